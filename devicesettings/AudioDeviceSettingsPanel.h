#pragma once

#include "devicesettings/AudioDeviceSetupDetails.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_gui_basics/juce_gui_basics.h>

/** The settings of one audio device type inside the device selector: output and input device,
    active channels, sample rate and buffer size, and the buttons of a device that has its own
    control panel.

    Every choice goes straight to the shared device manager, and the panel rebuilds its controls
    from the manager on each of its change notifications; it keeps no settings of its own. Which
    controls exist follows from the setup details and from the current device.
*/
class AudioDeviceSettingsPanel : public juce::Component,
                                 private juce::ChangeListener
{
public:
    class ChannelSelectorListBox;

    /** The owner adds the new panel to itself before calling updateAllControls(), so that the
        first layout finds the enclosing selector.
    */
    AudioDeviceSettingsPanel (juce::AudioIODeviceType& deviceType,
                              const AudioDeviceSetupDetails& setup,
                              bool hideAdvancedOptionsWithButton);
    ~AudioDeviceSettingsPanel() override;

    void resized() override;

    /** Creates, refills or removes every child for the manager's current device and lays out. */
    void updateAllControls();

    /** Applies the choice of one box to the manager; shows an alert when the device fails. */
    void updateConfig (bool outputDeviceChanged, bool inputDeviceChanged, bool sampleRateChanged, bool bufferSizeChanged);

    /** Rebuilds the Control Panel button for the current device, then lays out. */
    void updateControlPanelButton();

    /** Refills a device box with the type's input or output device names and "no input"/"no output". */
    void addNamesToDeviceBox (juce::ComboBox& box, bool forInputs);

private:
    void changeListenerCallback (juce::ChangeBroadcaster*) override;

    void updateOutputsComboBox();
    void updateInputsComboBox();
    void updateResetButton();
    void updateChannelList (std::unique_ptr<ChannelSelectorListBox>& list,
                            std::unique_ptr<juce::Label>& label,
                            bool forInputs,
                            int numDeviceChannels);
    void updateSampleRateComboBox (juce::AudioIODevice& device);
    void updateBufferSizeComboBox (juce::AudioIODevice& device);
    void showCurrentDevice (juce::ComboBox* box, bool forInputs);

    void showControlPanel();
    void resetDevice();
    void toggleAdvancedSettings();

    juce::AudioIODeviceType& deviceType;
    const AudioDeviceSetupDetails setup;

    std::unique_ptr<juce::ComboBox> outputDeviceBox, inputDeviceBox, sampleRateBox, bufferSizeBox;
    std::unique_ptr<juce::Label> outputDeviceLabel, inputDeviceLabel, sampleRateLabel, bufferSizeLabel;
    std::unique_ptr<juce::Label> inputChannelsLabel, outputChannelsLabel;
    std::unique_ptr<juce::Component> inputLevelMeter;
    std::unique_ptr<juce::TextButton> controlPanelButton, advancedSettingsButton, resetDeviceButton;
    std::unique_ptr<ChannelSelectorListBox> inputChannelList, outputChannelList;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioDeviceSettingsPanel)
};
