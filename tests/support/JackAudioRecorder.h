#pragma once

#include <juce_core/juce_core.h>

#include <jack/jack.h>

#include <atomic>
#include <vector>

/** A JACK client of its own with audio input ports that records what arrives there from the
    moment it is activated, until its preallocated storage is full. Opens on the server named by
    JACK_DEFAULT_SERVER.
*/
class JackAudioRecorder
{
public:
    JackAudioRecorder (const juce::String& clientName, int numChannels, double maximumSeconds);
    ~JackAudioRecorder();

    bool isOpen() const noexcept { return client != nullptr; }

    double sampleRate() const;

    /** The full names of every audio output port on the server. */
    juce::StringArray audioOutputPorts() const;

    /** Connects an output port ("client:port") to the input of one channel. */
    bool connect (const juce::String& sourcePort, int channel);

    /** The samples one channel has received so far. */
    std::vector<float> samples (int channel) const;

    /** How often JACK has reported an xrun (a late or skipped cycle) since this client opened. */
    int numXruns() const noexcept { return xruns.load(); }

private:
    static int process (jack_nframes_t numFrames, void* arg);
    static int xrun (void* arg);

    jack_client_t* client = nullptr;
    std::vector<jack_port_t*> ports;
    std::vector<std::vector<float>> storage;
    std::atomic<size_t> recorded { 0 };
    std::atomic<int> xruns { 0 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (JackAudioRecorder)
};
