#pragma once

#include <juce_graphics/juce_graphics.h>

#include <optional>

/** The layout arithmetic of the device selector and its settings panel, as plain functions of what
    the components hold, so that it can be checked without building them.

    Both lay out one column that starts at 35 % of the width, is 60 % of the width wide and at most
    3000 high; every row takes its height from the top of what remains of the column.
*/

/** The size of a list whose height follows its number of rows. */
struct ListShape
{
    int numRows = 0;
    int outlineThickness = 0;
};

/** What the settings panel holds when it lays itself out. */
struct SettingsPanelContents
{
    int width = 0;
    int itemHeight = 24; // the enclosing selector's row height

    bool hasOutputDeviceBox = false;
    bool hasInputDeviceBox = false; // the input level meter comes with it
    std::optional<ListShape> outputChannelList;
    std::optional<ListShape> inputChannelList;
    bool hasAdvancedSettingsButton = false;
    bool advancedSettingsButtonOn = false;
    bool hasSampleRateBox = false;
    bool hasBufferSizeBox = false;
    std::optional<int> controlPanelButtonWidth; // the button's best width at the item height
    std::optional<int> resetDeviceButtonWidth;
};

/** Where the settings panel puts its children, and its resulting height. Rectangles of absent
    children stay empty. The advanced-settings button still has to be narrowed to its text.
*/
struct SettingsPanelLayout
{
    juce::Rectangle<int> outputDeviceBox, inputDeviceBox, inputLevelMeter;
    juce::Rectangle<int> outputChannelList, outputChannelsLabel;
    juce::Rectangle<int> inputChannelList, inputChannelsLabel;
    juce::Rectangle<int> advancedSettingsButton, sampleRateBox, bufferSizeBox;
    juce::Rectangle<int> controlPanelButton, resetDeviceButton;

    int channelListRowHeight = 0;
    bool advancedSettingsShown = true; // the rate and buffer boxes and the two device buttons
    int height = 0;
};

SettingsPanelLayout layOutSettingsPanel (const SettingsPanelContents& contents);

/** What the device selector holds when it lays itself out. */
struct SelectorContents
{
    int width = 0;
    int height = 0; // the selector's height before this layout
    int itemHeight = 24;

    bool hasDeviceTypeBox = false;
    std::optional<int> settingsPanelHeight; // after the panel has laid itself out
    std::optional<ListShape> midiInputsList;
    bool hasBluetoothButton = false;
    bool hasMidiOutputBox = false;
};

/** Where the device selector puts its children, and the height it gives itself. */
struct SelectorLayout
{
    juce::Rectangle<int> deviceTypeBox, settingsPanel, midiInputsList, bluetoothButton, midiOutputBox;

    int midiInputsRowHeight = 0;
    int height = 0;
};

SelectorLayout layOutSelector (const SelectorContents& contents);
