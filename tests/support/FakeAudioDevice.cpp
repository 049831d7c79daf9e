#include "FakeAudioDevice.h"

FakeAudioDevice::FakeAudioDevice (double rate, int outputs)
    : juce::AudioIODevice ("Fake device", "Fake")
    , sampleRate (rate)
    , numOutputChannels (outputs)
{
}

juce::StringArray FakeAudioDevice::getOutputChannelNames()
{
    juce::StringArray names;

    for (int i = 0; i < numOutputChannels; ++i)
        names.add ("Output " + juce::String (i + 1));

    return names;
}

juce::BigInteger FakeAudioDevice::getActiveOutputChannels() const
{
    juce::BigInteger channels;
    channels.setRange (0, numOutputChannels, true);
    return channels;
}
