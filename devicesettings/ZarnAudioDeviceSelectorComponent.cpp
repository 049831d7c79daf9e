#include "devicesettings/ZarnAudioDeviceSelectorComponent.h"

#include "devicesettings/AudioDeviceSettingsPanel.h"
#include "devicesettings/AudioDeviceSetupDetails.h"
#include "devicesettings/DeviceSettingsLayout.h"
#include "devicesettings/MidiInputSelectorComponentListBox.h"

#include <juce_audio_utils/juce_audio_utils.h>

ZarnAudioDeviceSelectorComponent::ZarnAudioDeviceSelectorComponent (juce::AudioDeviceManager& managerToUse,
                                                                    int minInputChannelsToUse,
                                                                    int maxInputChannelsToUse,
                                                                    int minOutputChannelsToUse,
                                                                    int maxOutputChannelsToUse,
                                                                    bool showMidiInputs,
                                                                    bool showMidiOutput,
                                                                    bool showChannelsAsStereoPairsToUse,
                                                                    bool hideAdvancedOptionsWithButtonToUse)
    : manager (managerToUse)
    , minOutputChannels (minOutputChannelsToUse)
    , maxOutputChannels (maxOutputChannelsToUse)
    , minInputChannels (minInputChannelsToUse)
    , maxInputChannels (maxInputChannelsToUse)
    , showChannelsAsStereoPairs (showChannelsAsStereoPairsToUse)
    , hideAdvancedOptionsWithButton (hideAdvancedOptionsWithButtonToUse)
{
    const auto& types = manager.getAvailableDeviceTypes();

    if (types.size() > 1)
    {
        deviceTypeBox = std::make_unique<juce::ComboBox>();

        for (int i = 0; i < types.size(); ++i)
            deviceTypeBox->addItem (types.getUnchecked (i)->getTypeName(), i + 1);

        addAndMakeVisible (deviceTypeBox.get());
        deviceTypeBox->onChange = [this]
        { updateDeviceType(); };

        deviceTypeLabel = std::make_unique<juce::Label> (juce::String(), juce::translate ("Audio device type:"));
        deviceTypeLabel->setJustificationType (juce::Justification::centredRight);
        deviceTypeLabel->attachToComponent (deviceTypeBox.get(), true);
    }

    if (showMidiInputs)
    {
        midiInputsList = std::make_unique<MidiInputSelectorComponentListBox> (manager, "(" + juce::translate ("No MIDI inputs available") + ")");
        addAndMakeVisible (midiInputsList.get());

        midiInputsLabel = std::make_unique<juce::Label> (juce::String(), juce::translate ("Active MIDI inputs:"));
        midiInputsLabel->setJustificationType (juce::Justification::topRight);
        midiInputsLabel->attachToComponent (midiInputsList.get(), true);

        bluetoothButton = std::make_unique<juce::TextButton> (juce::translate ("Bluetooth MIDI"), juce::translate ("Scan for bluetooth MIDI devices"));
        addAndMakeVisible (bluetoothButton.get());
        bluetoothButton->onClick = [this]
        { handleBluetoothButton(); };
    }

    if (showMidiOutput)
    {
        midiOutputBox = std::make_unique<juce::ComboBox>();
        addAndMakeVisible (midiOutputBox.get());
        midiOutputBox->onChange = [this]
        { updateMidiOutput(); };

        midiOutputLabel = std::make_unique<juce::Label> ("lm", juce::translate ("MIDI Output:"));
        midiOutputLabel->attachToComponent (midiOutputBox.get(), true);
    }

    manager.addChangeListener (this);
    updateAllControls();
    startTimer (1000);
}

ZarnAudioDeviceSelectorComponent::~ZarnAudioDeviceSelectorComponent()
{
    manager.removeChangeListener (this);
}

//==============================================================================
void ZarnAudioDeviceSelectorComponent::resized()
{
    SelectorContents contents;
    contents.width = getWidth();
    contents.height = getHeight();
    contents.itemHeight = itemHeight;
    contents.hasDeviceTypeBox = deviceTypeBox != nullptr;

    if (settingsPanel != nullptr)
    {
        settingsPanel->resized();
        contents.settingsPanelHeight = settingsPanel->getHeight();
    }

    if (midiInputsList != nullptr)
        contents.midiInputsList = ListShape{midiInputsList->getNumRows(), midiInputsList->getOutlineThickness()};

    contents.hasBluetoothButton = bluetoothButton != nullptr;
    contents.hasMidiOutputBox = midiOutputBox != nullptr;

    const auto layout = layOutSelector (contents);

    if (deviceTypeBox != nullptr)
        deviceTypeBox->setBounds (layout.deviceTypeBox);

    if (settingsPanel != nullptr)
        settingsPanel->setBounds (layout.settingsPanel);

    if (midiInputsList != nullptr)
    {
        midiInputsList->setRowHeight (layout.midiInputsRowHeight);
        midiInputsList->setBounds (layout.midiInputsList);
    }

    if (bluetoothButton != nullptr)
        bluetoothButton->setBounds (layout.bluetoothButton);

    if (midiOutputBox != nullptr)
        midiOutputBox->setBounds (layout.midiOutputBox);

    setSize (getWidth(), layout.height);
}

void ZarnAudioDeviceSelectorComponent::timerCallback()
{
    updateAllControls();
}

void ZarnAudioDeviceSelectorComponent::changeListenerCallback (juce::ChangeBroadcaster*)
{
    updateAllControls();
}

//==============================================================================
void ZarnAudioDeviceSelectorComponent::updateAllControls()
{
    const auto currentType = manager.getCurrentAudioDeviceType();

    if (deviceTypeBox != nullptr)
        deviceTypeBox->setText (currentType, juce::dontSendNotification);

    if (settingsPanel == nullptr || settingsPanelType != currentType)
    {
        settingsPanelType = currentType;
        settingsPanel.reset();

        const auto typeIndex = deviceTypeBox == nullptr ? 0 : deviceTypeBox->getSelectedId() - 1;

        // A type that cannot be found leaves the panel out until a later refresh finds one.
        if (auto* type = manager.getAvailableDeviceTypes()[typeIndex])
        {
            const AudioDeviceSetupDetails details{manager,
                                                  minInputChannels,
                                                  maxInputChannels,
                                                  minOutputChannels,
                                                  maxOutputChannels,
                                                  showChannelsAsStereoPairs};

            settingsPanel = std::make_unique<AudioDeviceSettingsPanel> (*type, details, hideAdvancedOptionsWithButton);
            addAndMakeVisible (settingsPanel.get());
            settingsPanel->updateAllControls();
        }
    }

    if (midiInputsList != nullptr)
    {
        midiInputsList->updateDevices();
        midiInputsList->updateContent();
        midiInputsList->repaint();
    }

    if (midiOutputBox != nullptr)
    {
        midiOutputBox->clear (juce::sendNotificationAsync);
        currentMidiOutputs = juce::MidiOutput::getAvailableDevices();

        midiOutputBox->addItem ("<< " + juce::translate ("None") + " >>", -1);
        midiOutputBox->addSeparator();

        const auto defaultIdentifier = manager.getDefaultMidiOutputIdentifier();

        for (int i = 0; i < currentMidiOutputs.size(); ++i)
        {
            const auto& output = currentMidiOutputs.getReference (i);
            midiOutputBox->addItem (output.name, i + 1);

            if (defaultIdentifier.isNotEmpty() && output.identifier == defaultIdentifier)
                midiOutputBox->setSelectedId (i + 1, juce::sendNotificationAsync);
        }
    }

    resized();
}

void ZarnAudioDeviceSelectorComponent::updateDeviceType()
{
    if (auto* type = manager.getAvailableDeviceTypes()[deviceTypeBox->getSelectedId() - 1])
    {
        settingsPanel.reset();
        manager.setCurrentAudioDeviceType (type->getTypeName(), true);

        // Builds the new panel even when the type did not change.
        updateAllControls();
    }
}

void ZarnAudioDeviceSelectorComponent::updateMidiOutput()
{
    const auto selectedId = midiOutputBox->getSelectedId();

    // "None" and an empty selection both clear the default output.
    if (selectedId >= 1 && selectedId <= currentMidiOutputs.size())
        manager.setDefaultMidiOutputDevice (currentMidiOutputs.getReference (selectedId - 1).identifier);
    else
        manager.setDefaultMidiOutputDevice ({});
}

void ZarnAudioDeviceSelectorComponent::handleBluetoothButton()
{
    // Some platforms, Linux among them, have no pairing dialogue; there the button does nothing.
    if (juce::BluetoothMidiDevicePairingDialogue::isAvailable())
        juce::BluetoothMidiDevicePairingDialogue::open();
}
