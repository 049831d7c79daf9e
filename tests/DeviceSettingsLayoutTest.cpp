#include "devicesettings/DeviceSettingsLayout.h"

#include <gtest/gtest.h>

namespace
{
    using Rect = juce::Rectangle<int>;

    // The program's panel: an output box, the output channels, and the rate and buffer boxes.
    SettingsPanelContents outputPanel (int width, int numChannels)
    {
        SettingsPanelContents contents;
        contents.width = width;
        contents.hasOutputDeviceBox = true;
        contents.outputChannelList = ListShape{numChannels, 0};
        contents.hasSampleRateBox = true;
        contents.hasBufferSizeBox = true;
        return contents;
    }
} // namespace

TEST (SettingsPanelLayout, TheProgramsPanelWithTwoOutputChannels)
{
    const auto layout = layOutSettingsPanel (outputPanel (500, 2));

    EXPECT_EQ (layout.outputDeviceBox, Rect (175, 0, 300, 24));
    EXPECT_EQ (layout.outputChannelList, Rect (175, 30, 300, 44));
    EXPECT_EQ (layout.outputChannelsLabel, Rect (0, 40, 175, 24));
    EXPECT_EQ (layout.channelListRowHeight, 22);
    EXPECT_EQ (layout.sampleRateBox, Rect (175, 92, 300, 24));
    EXPECT_EQ (layout.bufferSizeBox, Rect (175, 122, 300, 24));
    EXPECT_TRUE (layout.advancedSettingsShown);
    EXPECT_EQ (layout.height, 158);
}

TEST (SettingsPanelLayout, ChannelListsShowTwoToFourRows)
{
    EXPECT_EQ (layOutSettingsPanel (outputPanel (500, 1)).outputChannelList.getHeight(), 44);
    EXPECT_EQ (layOutSettingsPanel (outputPanel (500, 3)).outputChannelList.getHeight(), 66);
    EXPECT_EQ (layOutSettingsPanel (outputPanel (500, 9)).outputChannelList.getHeight(), 88);

    auto outlined = outputPanel (500, 9);
    outlined.outputChannelList->outlineThickness = 1;
    EXPECT_EQ (layOutSettingsPanel (outlined).outputChannelList.getHeight(), 90);
}

TEST (SettingsPanelLayout, TheColumnIsRoundedFromSinglePrecisionFractions)
{
    const auto layout = layOutSettingsPanel (outputPanel (333, 2));

    // 0.35 × 333 = 116.55 and 0.6 × 333 = 199.8.
    EXPECT_EQ (layout.outputDeviceBox, Rect (117, 0, 200, 24));
    EXPECT_EQ (layout.outputChannelsLabel.getWidth(), 117);
}

TEST (SettingsPanelLayout, ANarrowColumnGivesTheWholeInputRowToTheLevelMeter)
{
    SettingsPanelContents contents;
    contents.width = 60;
    contents.hasOutputDeviceBox = true;
    contents.hasInputDeviceBox = true;
    contents.inputChannelList = ListShape{2, 0};

    const auto layout = layOutSettingsPanel (contents);
    EXPECT_EQ (layout.inputLevelMeter, Rect (21, 30, 36, 24));
    EXPECT_EQ (layout.inputDeviceBox.getWidth(), 0);
    EXPECT_EQ (layout.inputChannelsLabel, Rect (0, 70, 21, 24));
}

TEST (SettingsPanelLayout, TheAdvancedSettingsButtonHidesTheRateAndBufferBoxes)
{
    auto contents = outputPanel (500, 2);
    contents.hasAdvancedSettingsButton = true;
    contents.controlPanelButtonWidth = 120;
    contents.resetDeviceButtonWidth = 400;

    const auto hidden = layOutSettingsPanel (contents);
    EXPECT_EQ (hidden.advancedSettingsButton, Rect (175, 92, 300, 24));
    EXPECT_FALSE (hidden.advancedSettingsShown);
    EXPECT_TRUE (hidden.sampleRateBox.isEmpty());
    EXPECT_EQ (hidden.controlPanelButton, Rect (175, 128, 120, 24));
    EXPECT_EQ (hidden.height, 158);

    contents.advancedSettingsButtonOn = true;
    const auto shown = layOutSettingsPanel (contents);
    EXPECT_TRUE (shown.advancedSettingsShown);
    EXPECT_EQ (shown.sampleRateBox, Rect (175, 122, 300, 24));
    EXPECT_EQ (shown.bufferSizeBox, Rect (175, 152, 300, 24));

    // The reset button gets what is left of the row after the control panel button and a gap.
    EXPECT_EQ (shown.controlPanelButton, Rect (175, 188, 120, 24));
    EXPECT_EQ (shown.resetDeviceButton, Rect (301, 188, 174, 24));
    EXPECT_EQ (shown.height, 218);
}

TEST (SettingsPanelLayout, ContentBeyondTheColumnIsCutAt3000)
{
    auto contents = outputPanel (500, 2);
    contents.itemHeight = 1000;

    const auto layout = layOutSettingsPanel (contents);
    EXPECT_EQ (layout.outputDeviceBox.getHeight(), 1000);
    EXPECT_EQ (layout.channelListRowHeight, 22);
    EXPECT_EQ (layout.sampleRateBox, Rect (175, 2044, 300, 956));
    EXPECT_EQ (layout.bufferSizeBox.getHeight(), 0);
    EXPECT_EQ (layout.height, 3000);
}

TEST (SelectorLayout, WithOnlyThePanelTheSelectorIs45TallerThanIt)
{
    SelectorContents contents;
    contents.width = 500;
    contents.settingsPanelHeight = 158;

    const auto layout = layOutSelector (contents);
    EXPECT_EQ (layout.settingsPanel, Rect (0, 15, 500, 158));
    EXPECT_EQ (layout.height, 158 + 45);
}

TEST (SelectorLayout, TheTypeBoxTakesARowAndThreeGaps)
{
    SelectorContents contents;
    contents.width = 500;
    contents.hasDeviceTypeBox = true;
    contents.settingsPanelHeight = 158;

    const auto layout = layOutSelector (contents);
    EXPECT_EQ (layout.deviceTypeBox, Rect (175, 15, 300, 24));
    EXPECT_EQ (layout.settingsPanel, Rect (0, 57, 500, 158));
    EXPECT_EQ (layout.height, 57 + 158 + 30);
}

TEST (SelectorLayout, MidiControlsFollowThePanel)
{
    SelectorContents contents;
    contents.width = 500;
    contents.height = 600;
    contents.settingsPanelHeight = 100;
    contents.midiInputsList = ListShape{0, 1};
    contents.hasBluetoothButton = true;
    contents.hasMidiOutputBox = true;

    // An empty list is still two rows high.
    const auto empty = layOutSelector (contents);
    EXPECT_EQ (empty.midiInputsRowHeight, 22);
    EXPECT_EQ (empty.midiInputsList, Rect (175, 121, 300, 46));
    EXPECT_EQ (empty.bluetoothButton, Rect (175, 173, 300, 24));
    EXPECT_EQ (empty.midiOutputBox, Rect (175, 203, 300, 24));
    EXPECT_EQ (empty.height, 251);

    // A long list stops at eight item heights...
    contents.midiInputsList->numRows = 20;
    EXPECT_EQ (layOutSelector (contents).midiInputsList.getHeight(), 192);

    // ...or earlier when the selector is short.
    contents.height = 300;
    EXPECT_EQ (layOutSelector (contents).midiInputsList.getHeight(), 300 - 121 - 6 - 24);
}
