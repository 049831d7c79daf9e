#pragma once

#include <juce_core/juce_core.h>

#include <jack/jack.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

/** A JACK client of its own with one MIDI input port, recording every event that arrives there
    with the JACK frame time at which it falls. Opens on the server named by JACK_DEFAULT_SERVER.
*/
class JackMidiRecorder
{
public:
    struct Event
    {
        uint32_t frameTime = 0;
        std::vector<uint8_t> bytes;
    };

    explicit JackMidiRecorder (const juce::String& clientName = "mtc recorder");
    ~JackMidiRecorder();

    bool isOpen() const noexcept { return port != nullptr; }

    /** The input port's full name, "client:port". */
    juce::String portName() const;

    uint32_t sampleRate() const;

    /** How many ports are connected to the input port. */
    int numConnections() const;

    size_t numEvents() const noexcept { return count.load(); }

    /** The events recorded so far, in order of arrival. */
    std::vector<Event> events() const;

    /** How often JACK has reported an xrun (a late or skipped cycle) since this client opened. */
    int numXruns() const noexcept { return xruns.load(); }

private:
    static int process (jack_nframes_t numFrames, void* arg);
    static int xrun (void* arg);

    struct RawEvent
    {
        uint32_t frameTime = 0;
        uint8_t size = 0;
        std::array<uint8_t, 3> bytes{};
    };

    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    std::array<RawEvent, 16384> storage;
    std::atomic<size_t> count{ 0 };
    std::atomic<int> xruns{ 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JackMidiRecorder)
};
