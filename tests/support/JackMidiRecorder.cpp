#include "JackMidiRecorder.h"
#include "TestEnvironment.h"

#include <jack/midiport.h>

JackMidiRecorder::JackMidiRecorder (const juce::String& clientName)
{
    // The test's own server, started here when the test has not asked for it yet.
    if (! TestEnvironment::servicesAvailable())
        return;

    client = jack_client_open (clientName.toRawUTF8(), JackNoStartServer, nullptr);

    if (client == nullptr)
        return;

    jack_set_process_callback (client, process, this);
    jack_set_xrun_callback (client, xrun, this);
    port = jack_port_register (client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);

    if (port == nullptr || jack_activate (client) != 0)
    {
        jack_client_close (client);
        client = nullptr;
        port = nullptr;
    }
}

JackMidiRecorder::~JackMidiRecorder()
{
    if (client != nullptr)
        jack_client_close (client);
}

juce::String JackMidiRecorder::portName() const
{
    return port != nullptr ? juce::String::fromUTF8 (jack_port_name (port)) : juce::String();
}

uint32_t JackMidiRecorder::sampleRate() const
{
    return client != nullptr ? jack_get_sample_rate (client) : 0;
}

int JackMidiRecorder::numConnections() const
{
    return port != nullptr ? jack_port_connected (port) : 0;
}

std::vector<JackMidiRecorder::Event> JackMidiRecorder::events() const
{
    std::vector<Event> result;
    const auto recorded = count.load();

    for (size_t i = 0; i < recorded; ++i)
        result.push_back ({ storage[i].frameTime, { storage[i].bytes.begin(), storage[i].bytes.begin() + storage[i].size } });

    return result;
}

int JackMidiRecorder::process (jack_nframes_t numFrames, void* arg)
{
    auto& recorder = *static_cast<JackMidiRecorder*> (arg);
    auto* buffer = jack_port_get_buffer (recorder.port, numFrames);
    const auto cycleStart = jack_last_frame_time (recorder.client);
    const auto numEvents = jack_midi_get_event_count (buffer);

    for (uint32_t i = 0; i < numEvents; ++i)
    {
        jack_midi_event_t event;
        const auto index = recorder.count.load();

        if (jack_midi_event_get (&event, buffer, i) != 0 || index >= recorder.storage.size())
            continue;

        auto& raw = recorder.storage[index];
        raw.frameTime = cycleStart + event.time;
        raw.size = (uint8_t) std::min<size_t> (event.size, raw.bytes.size());
        std::copy (event.buffer, event.buffer + raw.size, raw.bytes.begin());
        recorder.count.store (index + 1);
    }

    return 0;
}

int JackMidiRecorder::xrun (void* arg)
{
    ++static_cast<JackMidiRecorder*> (arg)->xruns;
    return 0;
}
