#pragma once

#include "devicesettings/AudioDeviceSettingsPanel.h"

/** The input or output channels of the current device, one row per channel or stereo pair, each
    with a square that shows and switches whether the channel is active in the manager's setup.
    The list keeps no choice of its own: every row is painted from the manager's current setup.
*/
class AudioDeviceSettingsPanel::ChannelSelectorListBox : public juce::ListBox,
                                                         private juce::ListBoxModel
{
public:
    enum class BoxType
    {
        input = 0,
        output = 1
    };

    ChannelSelectorListBox (const AudioDeviceSetupDetails& setup, BoxType boxType, const juce::String& noItemsMessage);

    /** Re-reads the channel names of the current device; empty without a device. */
    void refresh();

    void paint (juce::Graphics& g) override;

    int getNumRows() override;
    void paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool rowIsSelected) override;
    void listBoxItemClicked (int row, const juce::MouseEvent& e) override;
    void listBoxItemDoubleClicked (int row, const juce::MouseEvent& e) override;
    void returnKeyPressed (int row) override;

    /** Switches the channel, or the pair, of a row in the manager's setup within the limits. */
    void flipEnablement (int row);

private:
    const AudioDeviceSetupDetails setup;
    const BoxType boxType;
    const juce::String noItemsMessage;
    juce::StringArray items;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ChannelSelectorListBox)
};
