#include "devicesettings/DeviceSettingsLogic.h"

#include <cmath>

juce::String stereoPairName (const juce::String& name1, const juce::String& name2)
{
    juce::String common;

    for (int j = 0; j < name1.length(); ++j)
        if (name1.substring (0, j).equalsIgnoreCase (name2.substring (0, j)))
            common = name1.substring (0, j);

    // Split only after white space, so that "input 11" and "input 12" keep "12" whole.
    while (common.isNotEmpty() && !juce::CharacterFunctions::isWhitespace (common.getLastCharacter()))
        common = common.dropLastCharacters (1);

    return name1.trim() + " + " + name2.substring (common.length()).trim();
}

void flipChannel (juce::BigInteger& channels, int index, int minActive, int maxActive)
{
    const auto numActive = channels.countNumberOfSetBits();

    if (channels[index])
    {
        if (numActive > minActive)
            channels.clearBit (index);

        return;
    }

    if (numActive >= maxActive && numActive > 0)
    {
        const auto lowest = channels.findNextSetBit (0);
        channels.clearBit (index > lowest ? lowest : channels.getHighestBit());
    }

    channels.setBit (index);
}

juce::BigInteger foldChannelsIntoPairs (const juce::BigInteger& channels)
{
    juce::BigInteger pairs;

    for (int i = 0; i < numPairableChannels; i += 2)
        pairs.setBit (i / 2, channels[i] || channels[i + 1]);

    return pairs;
}

void unfoldPairsIntoChannels (const juce::BigInteger& pairs, juce::BigInteger& channels)
{
    for (int i = 0; i < numPairableChannels; ++i)
        channels.setBit (i, pairs[i / 2]);
}

bool isChannelRowActive (const juce::BigInteger& channels, int row, bool useStereoPairs)
{
    if (useStereoPairs)
        return channels[row * 2] || channels[row * 2 + 1];

    return channels[row];
}

ComboBoxItem sampleRateItem (double sampleRate)
{
    const auto hertz = juce::roundToInt (sampleRate);
    return {juce::String (hertz) + " Hz", hertz};
}

ComboBoxItem bufferSizeItem (int bufferSizeSamples, double currentSampleRate)
{
    const auto rate = currentSampleRate == 0.0 ? 48000.0 : currentSampleRate;
    const auto milliseconds = bufferSizeSamples * 1000.0 / rate;

    return {juce::String (bufferSizeSamples) + " samples (" + juce::String (milliseconds, 1) + " ms)",
            bufferSizeSamples};
}

float levelMeterValue (float level)
{
    return (float) std::exp (std::log (level) / 3.0);
}

bool levelChangeIsVisible (float shownLevel, float newLevel)
{
    return std::abs (shownLevel - newLevel) > 0.005f;
}

juce::Colour rowTextColour (juce::Colour textColour, bool enabled)
{
    return textColour.withMultipliedAlpha (enabled ? 1.0f : 0.6f);
}
