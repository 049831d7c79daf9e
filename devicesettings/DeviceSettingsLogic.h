#pragma once

#include <juce_graphics/juce_graphics.h>

/** Pure helpers of the device settings window, kept apart from the components so that they can be
    checked without a device.
*/

/** Channels 0 to 255 are the ones that fold into stereo pairs; higher channels keep their bits. */
constexpr int numPairableChannels = 256;

/** The row name of a stereo pair: the first name, " + ", and what the second name adds after the
    words both names share ("Output 1" and "Output 2" give "Output 1 + 2").
*/
juce::String stereoPairName (const juce::String& name1, const juce::String& name2);

/** Switches channel `index` of an active-channel set, keeping between minActive and maxActive
    channels on: an active channel goes off only above the minimum; switching one on at the
    maximum first switches off the lowest active channel below it, or else the highest one.
*/
void flipChannel (juce::BigInteger& channels, int index, int minActive, int maxActive);

/** One bit per stereo pair: pair p is on when channel 2p or 2p + 1 is on (channels 0 to 255). */
juce::BigInteger foldChannelsIntoPairs (const juce::BigInteger& channels);

/** Sets channels 0 to 255 from their pair bits; channels from 256 on keep their bits. */
void unfoldPairsIntoChannels (const juce::BigInteger& pairs, juce::BigInteger& channels);

/** Whether a channel-list row shows as active: its channel, or either channel of its pair. */
bool isChannelRowActive (const juce::BigInteger& channels, int row, bool useStereoPairs);

/** The text and id of a combo-box item. */
struct ComboBoxItem
{
    juce::String text;
    int id = 0;
};

/** A sample-rate item: the rate rounded to whole hertz, "48000 Hz" with id 48000. */
ComboBoxItem sampleRateItem (double sampleRate);

/** A buffer-size item, "512 samples (10.7 ms)" with id 512; a current rate of 0 counts as 48000. */
ComboBoxItem bufferSizeItem (int bufferSizeSamples, double currentSampleRate);

/** The value a level meter draws for an input level: its cube root, so that quiet input shows. */
float levelMeterValue (float level);

/** Whether a new input level differs enough from the one shown to be worth a repaint. */
bool levelChangeIsVisible (float shownLevel, float newLevel);

/** The colour of a list row's text: the list's text colour, at 60 % of its alpha when disabled. */
juce::Colour rowTextColour (juce::Colour textColour, bool enabled);
