#include "devicesettings/DeviceSettingsLayout.h"

namespace
{
    constexpr int columnHeight = 3000;
    constexpr int maxListRowHeight = 22;
    constexpr int maxChannelListHeight = 100;
    constexpr int maxLevelMeterWidth = 50;

    juce::Rectangle<int> columnOf (int width, int top)
    {
        return {juce::roundToInt ((float) width * 0.35f), top, juce::roundToInt ((float) width * 0.6f), columnHeight};
    }

    int listRowHeight (int itemHeight)
    {
        return juce::jmax (1, juce::jmin (maxListRowHeight, itemHeight));
    }

    // A channel list shows two rows at least and scrolls beyond 100 pixels.
    int channelListHeight (int rowHeight, const ListShape& list)
    {
        return rowHeight * juce::jlimit (2, juce::jmax (2, maxChannelListHeight / rowHeight), list.numRows) + 2 * list.outlineThickness;
    }

    void placeChannelList (juce::Rectangle<int>& column,
                           const ListShape& list,
                           int itemHeight,
                           int gap,
                           juce::Rectangle<int>& listBounds,
                           juce::Rectangle<int>& labelBounds)
    {
        listBounds = column.removeFromTop (channelListHeight (listRowHeight (itemHeight), list));
        labelBounds = {0, listBounds.getY() + listBounds.getHeight() / 2 - itemHeight / 2, column.getX(), itemHeight};
        column.removeFromTop (gap);
    }
} // namespace

SettingsPanelLayout layOutSettingsPanel (const SettingsPanelContents& contents)
{
    SettingsPanelLayout layout;

    const auto h = contents.itemHeight;
    const auto gap = h / 4;
    auto column = columnOf (contents.width, 0);

    if (contents.hasOutputDeviceBox)
    {
        layout.outputDeviceBox = column.removeFromTop (h);
        column.removeFromTop (gap);
    }

    if (contents.hasInputDeviceBox)
    {
        auto row = column.removeFromTop (h);
        layout.inputLevelMeter = row.removeFromRight (juce::jmin (maxLevelMeterWidth, row.getWidth()));
        layout.inputDeviceBox = row.withWidth (juce::jmax (0, row.getWidth() - gap));
        column.removeFromTop (gap);
    }

    layout.channelListRowHeight = listRowHeight (h);

    if (contents.outputChannelList.has_value())
        placeChannelList (column, *contents.outputChannelList, h, gap, layout.outputChannelList, layout.outputChannelsLabel);

    if (contents.inputChannelList.has_value())
        placeChannelList (column, *contents.inputChannelList, h, gap, layout.inputChannelList, layout.inputChannelsLabel);

    column.removeFromTop (2 * gap);

    if (contents.hasAdvancedSettingsButton && contents.hasSampleRateBox && contents.hasBufferSizeBox)
    {
        layout.advancedSettingsButton = column.removeFromTop (h);
        column.removeFromTop (gap);
    }

    layout.advancedSettingsShown = !contents.hasAdvancedSettingsButton || contents.advancedSettingsButtonOn;

    if (layout.advancedSettingsShown)
    {
        if (contents.hasSampleRateBox)
        {
            layout.sampleRateBox = column.removeFromTop (h);
            column.removeFromTop (gap);
        }

        if (contents.hasBufferSizeBox)
        {
            layout.bufferSizeBox = column.removeFromTop (h);
            column.removeFromTop (gap);
        }
    }

    column.removeFromTop (gap);

    if (contents.controlPanelButtonWidth.has_value() || contents.resetDeviceButtonWidth.has_value())
    {
        auto buttonRow = column.removeFromTop (h);

        if (contents.controlPanelButtonWidth.has_value())
        {
            layout.controlPanelButton = buttonRow.removeFromLeft (*contents.controlPanelButtonWidth);
            buttonRow.removeFromLeft (gap);
        }

        if (contents.resetDeviceButtonWidth.has_value())
            layout.resetDeviceButton = buttonRow.removeFromLeft (*contents.resetDeviceButtonWidth);

        column.removeFromTop (gap);
    }

    layout.height = column.getY();
    return layout;
}

SelectorLayout layOutSelector (const SelectorContents& contents)
{
    SelectorLayout layout;

    const auto h = contents.itemHeight;
    const auto gap = h / 4;
    auto column = columnOf (contents.width, 15);

    if (contents.hasDeviceTypeBox)
    {
        layout.deviceTypeBox = column.removeFromTop (h);
        column.removeFromTop (3 * gap);
    }

    if (contents.settingsPanelHeight.has_value())
    {
        layout.settingsPanel = column.removeFromTop (*contents.settingsPanelHeight)
                                   .withX (0)
                                   .withWidth (juce::jmax (0, contents.width));
        column.removeFromTop (gap);
    }

    layout.midiInputsRowHeight = listRowHeight (h);

    if (contents.midiInputsList.has_value())
    {
        const auto& list = *contents.midiInputsList;
        const auto rowHeight = layout.midiInputsRowHeight;
        const auto outline = 2 * list.outlineThickness;
        const auto preferred = juce::jmin (8 * h, contents.height - column.getY() - gap - h);

        layout.midiInputsList = column.removeFromTop (juce::jmax (2 * rowHeight + outline,
                                                                  juce::jmin (list.numRows * rowHeight + outline, preferred)));
        column.removeFromTop (gap);
    }

    if (contents.hasBluetoothButton)
    {
        layout.bluetoothButton = column.removeFromTop (24);
        column.removeFromTop (gap);
    }

    if (contents.hasMidiOutputBox)
        layout.midiOutputBox = column.removeFromTop (h);

    column.removeFromTop (h);
    layout.height = column.getY();
    return layout;
}
