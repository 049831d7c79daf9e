#include "JackAudioRecorder.h"
#include "TestEnvironment.h"

#include <algorithm>

JackAudioRecorder::JackAudioRecorder (const juce::String& clientName, int numChannels, double maximumSeconds)
{
    // The test's own server, started here when the test has not asked for it yet.
    if (! TestEnvironment::servicesAvailable())
        return;

    client = jack_client_open (clientName.toRawUTF8(), JackNoStartServer, nullptr);

    if (client == nullptr)
        return;

    // Everything the process callback touches is allocated here, before activation.
    const auto capacity = (size_t) (maximumSeconds * jack_get_sample_rate (client));
    storage.assign ((size_t) numChannels, std::vector<float> (capacity, 0.0f));

    for (int channel = 0; channel < numChannels; ++channel)
        ports.push_back (jack_port_register (client, ("in_" + juce::String (channel + 1)).toRawUTF8(), JACK_DEFAULT_AUDIO_TYPE, JackPortIsInput, 0));

    jack_set_process_callback (client, process, this);
    jack_set_xrun_callback (client, xrun, this);

    if (std::find (ports.begin(), ports.end(), nullptr) != ports.end() || jack_activate (client) != 0)
    {
        jack_client_close (client);
        client = nullptr;
    }
}

JackAudioRecorder::~JackAudioRecorder()
{
    if (client != nullptr)
        jack_client_close (client);
}

double JackAudioRecorder::sampleRate() const
{
    return client != nullptr ? (double) jack_get_sample_rate (client) : 0.0;
}

juce::StringArray JackAudioRecorder::audioOutputPorts() const
{
    juce::StringArray names;

    if (client == nullptr)
        return names;

    if (auto** found = jack_get_ports (client, nullptr, JACK_DEFAULT_AUDIO_TYPE, JackPortIsOutput))
    {
        for (auto** name = found; *name != nullptr; ++name)
            names.add (juce::String::fromUTF8 (*name));

        jack_free (found);
    }

    return names;
}

bool JackAudioRecorder::connect (const juce::String& sourcePort, int channel)
{
    return client != nullptr && jack_connect (client, sourcePort.toRawUTF8(), jack_port_name (ports[(size_t) channel])) == 0;
}

std::vector<float> JackAudioRecorder::samples (int channel) const
{
    const auto& channelStorage = storage[(size_t) channel];
    return {channelStorage.begin(), channelStorage.begin() + (std::ptrdiff_t) recorded.load (std::memory_order_acquire)};
}

int JackAudioRecorder::process (jack_nframes_t numFrames, void* arg)
{
    auto& recorder = *static_cast<JackAudioRecorder*> (arg);
    const auto start = recorder.recorded.load (std::memory_order_relaxed);
    const auto count = std::min ((size_t) numFrames, recorder.storage.front().size() - start);

    for (size_t channel = 0; channel < recorder.ports.size(); ++channel)
    {
        const auto* input = static_cast<const float*> (jack_port_get_buffer (recorder.ports[channel], numFrames));
        std::copy (input, input + count, recorder.storage[channel].begin() + (std::ptrdiff_t) start);
    }

    recorder.recorded.store (start + count, std::memory_order_release);
    return 0;
}

int JackAudioRecorder::xrun (void* arg)
{
    ++static_cast<JackAudioRecorder*> (arg)->xruns;
    return 0;
}
