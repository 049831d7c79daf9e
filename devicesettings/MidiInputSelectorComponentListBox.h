#pragma once

#include "devicesettings/ZarnAudioDeviceSelectorComponent.h"

/** The platform's MIDI inputs, one row each, with a tick box that shows and switches whether the
    device manager has the input enabled. The manager is the only record of what is enabled.
*/
class ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox : public juce::ListBox,
                                                                            private juce::ListBoxModel
{
public:
    MidiInputSelectorComponentListBox (juce::AudioDeviceManager& manager, const juce::String& noItemsMessage);

    /** Re-reads the platform's MIDI input devices. */
    void updateDevices();

    void paint (juce::Graphics& g) override;

    int getNumRows() override;
    void paintListBoxItem (int row, juce::Graphics& g, int width, int height, bool rowIsSelected) override;
    void listBoxItemClicked (int row, const juce::MouseEvent& e) override;
    void listBoxItemDoubleClicked (int row, const juce::MouseEvent& e) override;
    void returnKeyPressed (int row) override;

    /** Enables the row's input in the manager when it is disabled, and disables it otherwise. */
    void flipEnablement (int row);

private:
    juce::AudioDeviceManager& manager;
    const juce::String noItemsMessage;
    juce::Array<juce::MidiDeviceInfo> items;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiInputSelectorComponentListBox)
};
