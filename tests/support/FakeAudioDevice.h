#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

/** An audio device that is never opened: it only reports a sample rate and a number of output
    channels, for handing to a callback's audioDeviceAboutToStart.
*/
class FakeAudioDevice : public juce::AudioIODevice
{
public:
    explicit FakeAudioDevice (double sampleRate, int numOutputChannels = 2);

    juce::StringArray getOutputChannelNames() override;
    juce::StringArray getInputChannelNames() override { return {}; }
    juce::Array<double> getAvailableSampleRates() override { return {sampleRate}; }
    juce::Array<int> getAvailableBufferSizes() override { return {512}; }
    int getDefaultBufferSize() override { return 512; }

    juce::String open (const juce::BigInteger&, const juce::BigInteger&, double, int) override { return {}; }
    void close() override {}
    bool isOpen() override { return true; }
    void start (juce::AudioIODeviceCallback*) override {}
    void stop() override {}
    bool isPlaying() override { return true; }
    juce::String getLastError() override { return {}; }

    int getCurrentBufferSizeSamples() override { return 512; }
    double getCurrentSampleRate() override { return sampleRate; }
    int getCurrentBitDepth() override { return 32; }
    juce::BigInteger getActiveOutputChannels() const override;
    juce::BigInteger getActiveInputChannels() const override { return {}; }
    int getOutputLatencyInSamples() override { return 0; }
    int getInputLatencyInSamples() override { return 0; }

private:
    double sampleRate;
    int numOutputChannels;
};
