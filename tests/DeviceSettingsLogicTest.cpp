#include "devicesettings/DeviceSettingsLogic.h"

#include <gtest/gtest.h>

namespace
{
    juce::BigInteger channelsOf (std::initializer_list<int> indices)
    {
        juce::BigInteger bits;

        for (auto index : indices)
            bits.setBit (index);

        return bits;
    }
} // namespace

TEST (StereoPairName, JoinsWhatFollowsTheSharedWords)
{
    EXPECT_EQ (stereoPairName ("Output 1", "Output 2"), "Output 1 + 2");
    EXPECT_EQ (stereoPairName ("input 11", "input 12"), "input 11 + 12");
    EXPECT_EQ (stereoPairName ("Out 3", "out 4"), "Out 3 + 4");
    EXPECT_EQ (stereoPairName ("Left", "Right"), "Left + Right");
    EXPECT_EQ (stereoPairName ("Left", "Left"), "Left + Left");
}

TEST (StereoPairName, TrimsBothNamesAndCountsCharactersNotBytes)
{
    EXPECT_EQ (stereoPairName (" Front L ", " Front R "), "Front L + R");
    EXPECT_EQ (stereoPairName (juce::CharPointer_UTF8 ("Ausgang \xc3\xbc"
                                                       "1"),
                               juce::CharPointer_UTF8 ("Ausgang \xc3\xbc"
                                                       "2")),
               juce::String (juce::CharPointer_UTF8 ("Ausgang \xc3\xbc"
                                                     "1 + \xc3\xbc"
                                                     "2")));
    EXPECT_EQ (stereoPairName ("", "Right"), " + Right");
}

TEST (FlipChannel, SwitchesWithinTheLimits)
{
    auto channels = channelsOf ({0, 1});

    // At the maximum, a channel above the lowest active one pushes out the lowest...
    flipChannel (channels, 3, 0, 2);
    EXPECT_EQ (channels, channelsOf ({1, 3}));

    // ...and one below it pushes out the highest.
    flipChannel (channels, 0, 0, 2);
    EXPECT_EQ (channels, channelsOf ({0, 1}));

    flipChannel (channels, 1, 0, 2);
    EXPECT_EQ (channels, channelsOf ({0}));

    // With a minimum of one, the last active channel stays on.
    flipChannel (channels, 0, 1, 2);
    EXPECT_EQ (channels, channelsOf ({0}));

    flipChannel (channels, 0, 0, 2);
    EXPECT_TRUE (channels.isZero());

    // With nothing active there is nothing to push out, even at a maximum of zero.
    flipChannel (channels, 5, 0, 0);
    EXPECT_EQ (channels, channelsOf ({5}));
}

TEST (FlipChannel, TheProgramsLimitsNeverPushAChannelOutBelowTheMaximum)
{
    juce::BigInteger channels;

    for (int i = 0; i < 255; ++i)
        flipChannel (channels, i, 0, 256);

    EXPECT_EQ (channels.countNumberOfSetBits(), 255);

    flipChannel (channels, 300, 0, 256);
    EXPECT_EQ (channels.countNumberOfSetBits(), 256);
    EXPECT_TRUE (channels[300]);

    flipChannel (channels, 400, 0, 256);
    EXPECT_EQ (channels.countNumberOfSetBits(), 256);
    EXPECT_FALSE (channels[0]);
    EXPECT_TRUE (channels[400]);
}

TEST (StereoPairBits, FoldAndUnfoldCoverTheFirst256ChannelsOnly)
{
    const auto pairs = foldChannelsIntoPairs (channelsOf ({1, 2, 3, 254, 256, 300}));
    EXPECT_EQ (pairs, channelsOf ({0, 1, 127}));

    auto channels = channelsOf ({1, 256, 300});
    unfoldPairsIntoChannels (channelsOf ({0, 2, 130}), channels);
    EXPECT_EQ (channels, channelsOf ({0, 1, 4, 5, 256, 300}));
}

TEST (DeviceBoxItems, SampleRatesAreWholeHertz)
{
    const auto item = sampleRateItem (44100.4);
    EXPECT_EQ (item.text, "44100 Hz");
    EXPECT_EQ (item.id, 44100);

    EXPECT_EQ (sampleRateItem (48000.0).text, "48000 Hz");
    EXPECT_EQ (sampleRateItem (88199.6).id, 88200);
}

TEST (DeviceBoxItems, BufferSizesShowTheirDurationToOneDecimal)
{
    const auto item = bufferSizeItem (512, 48000.0);
    EXPECT_EQ (item.text, "512 samples (10.7 ms)");
    EXPECT_EQ (item.id, 512);

    EXPECT_EQ (bufferSizeItem (96, 48000.0).text, "96 samples (2.0 ms)");
    EXPECT_EQ (bufferSizeItem (441, 44100.0).text, "441 samples (10.0 ms)");
    EXPECT_EQ (bufferSizeItem (512, 0.0).text, "512 samples (10.7 ms)");
}

TEST (InputLevelMeter, DrawsTheCubeRootOfTheLevel)
{
    EXPECT_FLOAT_EQ (levelMeterValue (0.125f), 0.5f);
    EXPECT_FLOAT_EQ (levelMeterValue (1.0f), 1.0f);
    EXPECT_EQ (levelMeterValue (0.0f), 0.0f);
}

TEST (InputLevelMeter, RepaintsOnlyForAChangeAboveTheThreshold)
{
    EXPECT_FALSE (levelChangeIsVisible (0.0f, 0.005f));
    EXPECT_FALSE (levelChangeIsVisible (0.3f, 0.3f));
    EXPECT_TRUE (levelChangeIsVisible (0.0f, 0.0051f));
    EXPECT_TRUE (levelChangeIsVisible (0.5f, 0.2f));
}

TEST (RowText, DisabledRowsAreDrawnAtSixtyPercentAlpha)
{
    const juce::Colour white (0xffffffff);

    EXPECT_EQ (rowTextColour (white, true), white);
    EXPECT_EQ (rowTextColour (white, false).getAlpha(), 153);
    EXPECT_EQ (rowTextColour (white, false).withAlpha ((juce::uint8) 0xff), white);
    EXPECT_EQ (rowTextColour (juce::Colour (0x80ffffff), false).getAlpha(), 77);
    EXPECT_EQ (rowTextColour (juce::Colours::transparentBlack, false).getAlpha(), 0);
}
