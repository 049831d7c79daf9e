#include "SettingsFile.h"

#include "app/EntryValidation.h"

#include <sys/stat.h>

#include <algorithm>
#include <limits>

namespace
{
    const juce::Identifier outputModeAttribute{ "outputmode" };
    const juce::Identifier frameRateAttribute{ "outgoingfps" };
    const juce::Identifier outgoingIpAttribute{ "outgoingip" };
    const juce::Identifier outputChannelAttribute{ "prefoutputchannel" };
    const juce::Identifier midiAttribute{ "prefmidi" };
    const juce::Identifier startAttribute{ "start" };

    // The program's own files hold a handful of tags; thousands only come from a damaged or
    // crafted file.
    constexpr int maximumTagCount = 1000;

    // The framework's parser cannot take every document: it expands declared entities recursively
    // without a limit (one that refers to itself never ends), parses an unknown entity whose name
    // begins with '<' as markup, recurses once per nested element, loops for ever on a processing
    // instruction followed by text inside an element, and reads past the end of a text that ends
    // within a hexadecimal character reference. The files the program writes contain none of these,
    // so documents that might are refused unparsed.
    bool isSafeToParse (const juce::String& text)
    {
        if (text.containsIgnoreCase ("<!ENTITY") || text.contains ("&<"))
            return false;

        if (const auto reference = text.lastIndexOfIgnoreCase ("&#x"); reference >= 0)
        {
            const auto digits = text.substring (reference + 3);

            if (digits.length() <= 8 && digits.containsOnly ("0123456789abcdefABCDEF"))
                return false;
        }

        int tags = 0;
        bool insideAnElement = false;

        for (auto p = text.getCharPointer(); ! p.isEmpty(); ++p)
        {
            if (*p != '<')
                continue;

            if (++tags > maximumTagCount)
                return false;

            const auto next = p[1];

            if (next == '?' && insideAnElement)
                return false;

            if (next != '?' && next != '!')
                insideAnElement = true;
        }

        return true;
    }

    std::unique_ptr<juce::XmlElement> parseDocument (const juce::String& documentText)
    {
        // Reading a file, the framework keeps overlong UTF-8 sequences as they are, and copying such
        // a text later can overrun the copy's buffer; decoding and encoding it again makes it canonical.
        const juce::String text (documentText.toUTF32());

        if (! isSafeToParse (text))
            return nullptr;

        return juce::XmlDocument::parse (text);
    }

    // The content of a file as the framework reads text, without going through the parser's own
    // file access, which would follow a document's external references.
    std::optional<juce::String> readText (const juce::File& file)
    {
        if (! file.existsAsFile())
            return std::nullopt;

        return file.loadFileAsString();
    }
} // namespace

bool StoredSettings::operator== (const StoredSettings& other) const
{
    return outputMode == other.outputMode &&
           frameRate == other.frameRate &&
           outgoingIp == other.outgoingIp &&
           prefOutputChannel == other.prefOutputChannel &&
           prefMidi == other.prefMidi &&
           start == other.start;
}

bool StoredSettings::operator!= (const StoredSettings& other) const
{
    return ! operator== (other);
}

int parseStoredInteger (const juce::String& text)
{
    const auto value = readLeadingDecimal (text).value_or (0);

    return static_cast<int> (std::clamp<int64_t> (value,
                                                  std::numeric_limits<int>::min(),
                                                  std::numeric_limits<int>::max()));
}

std::optional<StoredSettings> parseSettings (const juce::String& documentText)
{
    const auto xml = parseDocument (documentText);

    if (xml == nullptr || ! xml->getTagName().equalsIgnoreCase ("Config"))
        return std::nullopt;

    StoredSettings settings;
    settings.outputMode = parseStoredInteger (xml->getStringAttribute (outputModeAttribute));
    settings.frameRate = parseStoredInteger (xml->getStringAttribute (frameRateAttribute));
    settings.prefMidi = xml->getStringAttribute (midiAttribute);
    settings.start = parseStoredInteger (xml->getStringAttribute (startAttribute));
    settings.outgoingIp = xml->getStringAttribute (outgoingIpAttribute);
    settings.prefOutputChannel = parseStoredInteger (xml->getStringAttribute (outputChannelAttribute));
    return settings;
}

std::optional<StoredSettings> readSettingsFile (const juce::File& file)
{
    if (const auto text = readText (file))
        return parseSettings (*text);

    return std::nullopt;
}

std::unique_ptr<juce::XmlElement> createSettingsXml (const StoredSettings& settings)
{
    auto xml = std::make_unique<juce::XmlElement> ("Config");
    xml->setAttribute (outputModeAttribute, settings.outputMode);
    xml->setAttribute (frameRateAttribute, settings.frameRate);
    xml->setAttribute (outgoingIpAttribute, settings.outgoingIp);
    xml->setAttribute (outputChannelAttribute, settings.prefOutputChannel);
    xml->setAttribute (midiAttribute, settings.prefMidi);
    xml->setAttribute (startAttribute, settings.start);
    return xml;
}

bool writeXmlFile (const juce::XmlElement& element, const juce::File& file)
{
    return element.writeTo (file);
}

juce::File createSettingsFolders (const juce::File& documentsFolder)
{
    const auto documents = documentsFolder.getFullPathName();
    const auto makerFolder = documents + "/ZARN";
    const auto settingsFolder = documents + "/ZARN/Rozavado Deduzadiv";

    // An existing folder or a failure is not an error: the files then simply cannot be read or
    // written. A new home may have no documents folder yet, which would lose every setting.
    ::mkdir (documents.toRawUTF8(), 0755);
    ::mkdir (makerFolder.toRawUTF8(), 0700);
    ::mkdir (settingsFolder.toRawUTF8(), 0700);

    return juce::File (settingsFolder);
}

std::unique_ptr<juce::XmlElement> readAudioConfiguration (const juce::File& file)
{
    if (const auto text = readText (file))
        return parseDocument (*text);

    return nullptr;
}
