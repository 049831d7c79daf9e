#pragma once

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_gui_basics/juce_gui_basics.h>

class AudioDeviceSettingsPanel;

/** A column of controls acting directly on the shared device manager: the device type where
    there is more than one, the settings panel of the current type, and optionally the MIDI
    inputs with a Bluetooth MIDI button and the MIDI output.

    It keeps no settings of its own and refreshes itself every second and on every change
    notification of the manager. Its owner gives it a width; it sets its own height.
*/
class ZarnAudioDeviceSelectorComponent : public juce::Component,
                                         private juce::ChangeListener,
                                         private juce::Timer
{
public:
    class MidiInputSelectorComponentListBox;

    ZarnAudioDeviceSelectorComponent (juce::AudioDeviceManager& manager,
                                      int minInputChannels,
                                      int maxInputChannels,
                                      int minOutputChannels,
                                      int maxOutputChannels,
                                      bool showMidiInputs,
                                      bool showMidiOutput,
                                      bool showChannelsAsStereoPairs,
                                      bool hideAdvancedOptionsWithButton);
    ~ZarnAudioDeviceSelectorComponent() override;

    void resized() override;

    /** Brings every child up to date with the manager, rebuilding the panel on a change of type. */
    void updateAllControls();

    /** The height of one row of controls. */
    int getItemHeight() const noexcept { return itemHeight; }

private:
    void timerCallback() override;
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

    void updateDeviceType();
    void updateMidiOutput();
    void handleBluetoothButton();

    juce::AudioDeviceManager& manager;
    std::unique_ptr<juce::ComboBox> deviceTypeBox;
    std::unique_ptr<juce::Label> deviceTypeLabel;
    std::unique_ptr<AudioDeviceSettingsPanel> settingsPanel;
    juce::String settingsPanelType;
    const int itemHeight = 24;
    const int minOutputChannels, maxOutputChannels, minInputChannels, maxInputChannels;
    const bool showChannelsAsStereoPairs;
    const bool hideAdvancedOptionsWithButton;
    juce::Array<juce::MidiDeviceInfo> currentMidiOutputs;
    std::unique_ptr<MidiInputSelectorComponentListBox> midiInputsList;
    std::unique_ptr<juce::ComboBox> midiOutputBox;
    std::unique_ptr<juce::Label> midiInputsLabel, midiOutputLabel;
    std::unique_ptr<juce::TextButton> bluetoothButton;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ZarnAudioDeviceSelectorComponent)
};
