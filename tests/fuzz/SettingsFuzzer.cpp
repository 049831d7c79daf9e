#include "app/SettingsFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

// Feeds arbitrary bytes to the settings reader; whatever it accepts must survive being written
// and read again unchanged.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size > static_cast<size_t> (std::numeric_limits<int>::max()))
        return 0;

    // Decoded as the settings file is: UTF-8 when valid (after a byte order mark), UTF-16 after
    // its mark, otherwise Windows-1252. A juce::String must hold valid UTF-8, so the raw bytes
    // cannot be wrapped as they are. The decoder peeks one byte past a text that is only a byte
    // order mark; the file reader's buffer always has room there, so this one gets it too.
    std::vector<uint8_t> bytes (data, data + size);
    bytes.push_back (0);

    const auto text = juce::String::createStringFromData (bytes.data(), static_cast<int> (size));

    if (const auto settings = parseSettings (text))
    {
        const auto written = createSettingsXml (*settings)->toString();
        const auto readBack = parseSettings (written);

        if (! readBack.has_value() || *readBack != *settings)
            std::abort();
    }

    return 0;
}
