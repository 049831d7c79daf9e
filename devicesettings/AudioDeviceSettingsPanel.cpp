#include "devicesettings/AudioDeviceSettingsPanel.h"

#include "devicesettings/ChannelSelectorListBox.h"
#include "devicesettings/DeviceSettingsLayout.h"
#include "devicesettings/DeviceSettingsLogic.h"
#include "devicesettings/SimpleDeviceManagerInputLevelMeter.h"
#include "devicesettings/ZarnAudioDeviceSelectorComponent.h"

AudioDeviceSettingsPanel::AudioDeviceSettingsPanel (juce::AudioIODeviceType& typeToUse,
                                                    const AudioDeviceSetupDetails& setupToUse,
                                                    bool hideAdvancedOptionsWithButton)
    : deviceType (typeToUse)
    , setup (setupToUse)
{
    if (hideAdvancedOptionsWithButton)
    {
        advancedSettingsButton = std::make_unique<juce::TextButton> (juce::translate ("Show advanced settings..."));
        addAndMakeVisible (advancedSettingsButton.get());
        advancedSettingsButton->setClickingTogglesState (true);
        advancedSettingsButton->onClick = [this]
        { toggleAdvancedSettings(); };
    }

    deviceType.scanForDevices();
    setup.manager.addChangeListener (this);
}

AudioDeviceSettingsPanel::~AudioDeviceSettingsPanel()
{
    setup.manager.removeChangeListener (this);
}

//==============================================================================
void AudioDeviceSettingsPanel::resized()
{
    auto* selector = findParentComponentOfClass<ZarnAudioDeviceSelectorComponent>();

    if (selector == nullptr)
        return;

    const auto h = selector->getItemHeight();

    SettingsPanelContents contents;
    contents.width = getWidth();
    contents.itemHeight = h;
    contents.hasOutputDeviceBox = outputDeviceBox != nullptr;
    contents.hasInputDeviceBox = inputDeviceBox != nullptr;

    if (outputChannelList != nullptr)
        contents.outputChannelList = ListShape{outputChannelList->getNumRows(), outputChannelList->getOutlineThickness()};

    if (inputChannelList != nullptr)
        contents.inputChannelList = ListShape{inputChannelList->getNumRows(), inputChannelList->getOutlineThickness()};

    contents.hasAdvancedSettingsButton = advancedSettingsButton != nullptr;
    contents.advancedSettingsButtonOn = advancedSettingsButton != nullptr && advancedSettingsButton->getToggleState();
    contents.hasSampleRateBox = sampleRateBox != nullptr;
    contents.hasBufferSizeBox = bufferSizeBox != nullptr;

    if (controlPanelButton != nullptr)
        contents.controlPanelButtonWidth = controlPanelButton->getBestWidthForHeight (h);

    if (resetDeviceButton != nullptr)
        contents.resetDeviceButtonWidth = resetDeviceButton->getBestWidthForHeight (h);

    const auto layout = layOutSettingsPanel (contents);

    if (outputDeviceBox != nullptr)
        outputDeviceBox->setBounds (layout.outputDeviceBox);

    if (inputDeviceBox != nullptr)
    {
        inputLevelMeter->setBounds (layout.inputLevelMeter);
        inputDeviceBox->setBounds (layout.inputDeviceBox);
    }

    // The list moves its attached label along, so the label is placed after it.
    if (outputChannelList != nullptr)
    {
        outputChannelList->setRowHeight (layout.channelListRowHeight);
        outputChannelList->setBounds (layout.outputChannelList);
        outputChannelsLabel->setBounds (layout.outputChannelsLabel);
    }

    if (inputChannelList != nullptr)
    {
        inputChannelList->setRowHeight (layout.channelListRowHeight);
        inputChannelList->setBounds (layout.inputChannelList);
        inputChannelsLabel->setBounds (layout.inputChannelsLabel);
    }

    if (advancedSettingsButton != nullptr && sampleRateBox != nullptr && bufferSizeBox != nullptr)
    {
        advancedSettingsButton->setBounds (layout.advancedSettingsButton);
        advancedSettingsButton->setSize (advancedSettingsButton->getBestWidthForHeight (advancedSettingsButton->getHeight()),
                                         advancedSettingsButton->getHeight());
    }

    for (auto* box : {sampleRateBox.get(), bufferSizeBox.get()})
        if (box != nullptr)
            box->setVisible (layout.advancedSettingsShown);

    if (layout.advancedSettingsShown)
    {
        if (sampleRateBox != nullptr)
            sampleRateBox->setBounds (layout.sampleRateBox);

        if (bufferSizeBox != nullptr)
            bufferSizeBox->setBounds (layout.bufferSizeBox);
    }

    if (controlPanelButton != nullptr)
    {
        controlPanelButton->setVisible (layout.advancedSettingsShown);
        controlPanelButton->setBounds (layout.controlPanelButton);
    }

    if (resetDeviceButton != nullptr)
    {
        resetDeviceButton->setVisible (layout.advancedSettingsShown);
        resetDeviceButton->setBounds (layout.resetDeviceButton);
    }

    setSize (getWidth(), layout.height);
}

void AudioDeviceSettingsPanel::changeListenerCallback (juce::ChangeBroadcaster*)
{
    updateAllControls();
}

//==============================================================================
void AudioDeviceSettingsPanel::updateAllControls()
{
    updateOutputsComboBox();
    updateInputsComboBox();
    updateControlPanelButton();
    updateResetButton();

    if (auto* device = setup.manager.getCurrentAudioDevice())
    {
        updateChannelList (outputChannelList, outputChannelsLabel, false, device->getOutputChannelNames().size());
        updateChannelList (inputChannelList, inputChannelsLabel, true, device->getInputChannelNames().size());
        updateSampleRateComboBox (*device);
        updateBufferSizeComboBox (*device);
    }
    else
    {
        inputChannelsLabel.reset();
        outputChannelsLabel.reset();
        sampleRateLabel.reset();
        bufferSizeLabel.reset();
        inputChannelList.reset();
        outputChannelList.reset();
        sampleRateBox.reset();
        bufferSizeBox.reset();

        for (auto* box : {outputDeviceBox.get(), inputDeviceBox.get()})
            if (box != nullptr)
                box->setSelectedId (-1, juce::dontSendNotification);
    }

    sendLookAndFeelChange();
    resized();

    // Without an enclosing selector resized() leaves the layout alone and the children decide the
    // height; inside one, this change of size lays the panel out again and its height stands.
    int lowestBottom = 0;

    for (auto* child : getChildren())
        lowestBottom = juce::jmax (lowestBottom, child->getBottom());

    setSize (getWidth(), lowestBottom + 4);
}

void AudioDeviceSettingsPanel::updateOutputsComboBox()
{
    if (setup.maxNumOutputChannels > 0 || !deviceType.hasSeparateInputsAndOutputs())
    {
        if (outputDeviceBox == nullptr)
        {
            outputDeviceBox = std::make_unique<juce::ComboBox>();
            outputDeviceBox->onChange = [this]
            { updateConfig (true, false, false, false); };
            addAndMakeVisible (outputDeviceBox.get());

            outputDeviceLabel = std::make_unique<juce::Label> (juce::String(),
                                                               deviceType.hasSeparateInputsAndOutputs() ? juce::translate ("Output:")
                                                                                                        : juce::translate ("Device:"));
            outputDeviceLabel->attachToComponent (outputDeviceBox.get(), true);
        }

        addNamesToDeviceBox (*outputDeviceBox, false);
    }

    showCurrentDevice (outputDeviceBox.get(), false);
}

void AudioDeviceSettingsPanel::updateInputsComboBox()
{
    if (setup.maxNumInputChannels > 0 && deviceType.hasSeparateInputsAndOutputs())
    {
        if (inputDeviceBox == nullptr)
        {
            inputDeviceBox = std::make_unique<juce::ComboBox>();
            inputDeviceBox->onChange = [this]
            { updateConfig (false, true, false, false); };
            addAndMakeVisible (inputDeviceBox.get());

            inputDeviceLabel = std::make_unique<juce::Label> (juce::String(), juce::translate ("Input:"));
            inputDeviceLabel->attachToComponent (inputDeviceBox.get(), true);

            inputLevelMeter = std::make_unique<SimpleDeviceManagerInputLevelMeter> (setup.manager);
            addAndMakeVisible (inputLevelMeter.get());
        }

        addNamesToDeviceBox (*inputDeviceBox, true);
    }

    showCurrentDevice (inputDeviceBox.get(), true);
}

void AudioDeviceSettingsPanel::updateControlPanelButton()
{
    controlPanelButton.reset();

    auto* device = setup.manager.getCurrentAudioDevice();

    if (device != nullptr && device->hasControlPanel())
    {
        controlPanelButton = std::make_unique<juce::TextButton> (juce::translate ("Control Panel"),
                                                                 juce::translate ("Opens the device's own control panel"));
        addAndMakeVisible (controlPanelButton.get());
        controlPanelButton->onClick = [this]
        { showControlPanel(); };
    }

    resized();
}

void AudioDeviceSettingsPanel::updateResetButton()
{
    auto* device = setup.manager.getCurrentAudioDevice();

    if (device == nullptr || !device->hasControlPanel())
    {
        resetDeviceButton.reset();
        return;
    }

    if (resetDeviceButton == nullptr)
    {
        resetDeviceButton = std::make_unique<juce::TextButton> (
            juce::translate ("Reset Device"),
            juce::translate ("Resets the audio interface - sometimes needed after changing a device's properties in its custom control panel"));
        addAndMakeVisible (resetDeviceButton.get());
        resetDeviceButton->onClick = [this]
        { resetDevice(); };
        resized();
    }
}

void AudioDeviceSettingsPanel::updateChannelList (std::unique_ptr<ChannelSelectorListBox>& list,
                                                  std::unique_ptr<juce::Label>& label,
                                                  bool forInputs,
                                                  int numDeviceChannels)
{
    const auto minChannels = forInputs ? setup.minNumInputChannels : setup.minNumOutputChannels;
    const auto maxChannels = forInputs ? setup.maxNumInputChannels : setup.maxNumOutputChannels;

    if (maxChannels <= 0 || minChannels >= numDeviceChannels)
    {
        label.reset();
        list.reset();
        return;
    }

    if (list == nullptr)
    {
        list = std::make_unique<ChannelSelectorListBox> (setup,
                                                         forInputs ? ChannelSelectorListBox::BoxType::input
                                                                   : ChannelSelectorListBox::BoxType::output,
                                                         forInputs ? juce::translate ("(no audio input channels found)")
                                                                   : juce::translate ("(no audio output channels found)"));
        addAndMakeVisible (list.get());

        label = std::make_unique<juce::Label> (juce::String(),
                                               forInputs ? juce::translate ("Active input channels:")
                                                         : juce::translate ("Active output channels:"));
        label->setJustificationType (juce::Justification::centredRight);
        label->attachToComponent (list.get(), true);
    }

    list->refresh();
}

void AudioDeviceSettingsPanel::updateSampleRateComboBox (juce::AudioIODevice& device)
{
    if (sampleRateBox != nullptr)
    {
        // Clearing a selection notifies asynchronously; the handler set below then hands the rate
        // selected by then to the manager once more, which updateConfig ignores when it is current.
        sampleRateBox->clear();
        sampleRateBox->onChange = nullptr;
    }
    else
    {
        sampleRateBox = std::make_unique<juce::ComboBox>();
        addAndMakeVisible (sampleRateBox.get());

        sampleRateLabel = std::make_unique<juce::Label> (juce::String(), juce::translate ("Sample rate:"));
        sampleRateLabel->attachToComponent (sampleRateBox.get(), true);
    }

    for (auto rate : device.getAvailableSampleRates())
    {
        const auto item = sampleRateItem (rate);
        sampleRateBox->addItem (item.text, item.id);
    }

    sampleRateBox->setSelectedId (sampleRateItem (device.getCurrentSampleRate()).id, juce::dontSendNotification);
    sampleRateBox->onChange = [this]
    { updateConfig (false, false, true, false); };
}

void AudioDeviceSettingsPanel::updateBufferSizeComboBox (juce::AudioIODevice& device)
{
    if (bufferSizeBox != nullptr)
    {
        bufferSizeBox->clear();
        bufferSizeBox->onChange = nullptr;
    }
    else
    {
        bufferSizeBox = std::make_unique<juce::ComboBox>();
        addAndMakeVisible (bufferSizeBox.get());

        bufferSizeLabel = std::make_unique<juce::Label> (juce::String(), juce::translate ("Audio buffer size:"));
        bufferSizeLabel->attachToComponent (bufferSizeBox.get(), true);
    }

    const auto currentRate = device.getCurrentSampleRate();

    for (auto size : device.getAvailableBufferSizes())
    {
        const auto item = bufferSizeItem (size, currentRate);
        bufferSizeBox->addItem (item.text, item.id);
    }

    bufferSizeBox->setSelectedId (device.getCurrentBufferSizeSamples(), juce::dontSendNotification);
    bufferSizeBox->onChange = [this]
    { updateConfig (false, false, false, true); };
}

void AudioDeviceSettingsPanel::showCurrentDevice (juce::ComboBox* box, bool forInputs)
{
    if (box == nullptr)
        return;

    const auto index = deviceType.getIndexOfDevice (setup.manager.getCurrentAudioDevice(), forInputs);
    box->setSelectedId (index >= 0 ? index + 1 : -1, juce::dontSendNotification);
}

void AudioDeviceSettingsPanel::addNamesToDeviceBox (juce::ComboBox& box, bool forInputs)
{
    const auto names = deviceType.getDeviceNames (forInputs);

    box.clear (juce::dontSendNotification);

    for (int i = 0; i < names.size(); ++i)
        box.addItem (names[i], i + 1);

    box.addItem (forInputs ? "no input" : "no output", -1);
    box.setSelectedId (-1, juce::dontSendNotification);
}

//==============================================================================
void AudioDeviceSettingsPanel::updateConfig (bool outputDeviceChanged,
                                             bool inputDeviceChanged,
                                             bool sampleRateChanged,
                                             bool bufferSizeChanged)
{
    auto config = setup.manager.getAudioDeviceSetup();
    juce::String error;

    if (outputDeviceChanged || inputDeviceChanged)
    {
        if (outputDeviceBox != nullptr)
            config.outputDeviceName = outputDeviceBox->getSelectedId() < 0 ? juce::String() : outputDeviceBox->getText();

        if (inputDeviceBox != nullptr)
            config.inputDeviceName = inputDeviceBox->getSelectedId() < 0 ? juce::String() : inputDeviceBox->getText();

        if (!deviceType.hasSeparateInputsAndOutputs())
            config.inputDeviceName = config.outputDeviceName;

        if (inputDeviceChanged)
            config.useDefaultInputChannels = true;
        else
            config.useDefaultOutputChannels = true;

        error = setup.manager.setAudioDeviceSetup (config, true);

        showCurrentDevice (inputDeviceBox.get(), true);
        showCurrentDevice (outputDeviceBox.get(), false);

        updateControlPanelButton();
        resized();
    }
    else if (sampleRateChanged)
    {
        const auto chosenRate = sampleRateBox->getSelectedId();

        // The items are whole hertz. Handing the manager its own fractional rate rounded would
        // reopen the device, whose change message refreshes this box and hands it over again.
        if (chosenRate > 0 && chosenRate != sampleRateItem (config.sampleRate).id)
        {
            config.sampleRate = chosenRate;
            error = setup.manager.setAudioDeviceSetup (config, true);
        }
    }
    else if (bufferSizeChanged)
    {
        if (bufferSizeBox->getSelectedId() > 0)
        {
            config.bufferSize = bufferSizeBox->getSelectedId();
            error = setup.manager.setAudioDeviceSetup (config, true);
        }
    }

    if (error.isNotEmpty())
        juce::AlertWindow::showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon,
                                                juce::translate ("Error when trying to open audio device!"),
                                                error);
}

//==============================================================================
void AudioDeviceSettingsPanel::showControlPanel()
{
    auto* device = setup.manager.getCurrentAudioDevice();

    if (device == nullptr)
        return;

    bool deviceChanged = false;

    {
        // Blocks input to the program's own windows while the device's panel is open.
        juce::Component modalBlocker;
        modalBlocker.setOpaque (true);
        modalBlocker.addToDesktop (0);
        modalBlocker.enterModalState();

        deviceChanged = device->showControlPanel();
    }

    if (deviceChanged)
    {
        setup.manager.closeAudioDevice();
        setup.manager.restartLastAudioDevice();
        getTopLevelComponent()->toFront (true);
    }
}

void AudioDeviceSettingsPanel::resetDevice()
{
    setup.manager.closeAudioDevice();
    setup.manager.restartLastAudioDevice();
}

void AudioDeviceSettingsPanel::toggleAdvancedSettings()
{
    advancedSettingsButton->setButtonText ((advancedSettingsButton->getToggleState() ? "Hide " : "Show ") + juce::String ("advanced settings..."));
    resized();
}
