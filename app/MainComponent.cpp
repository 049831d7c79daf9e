#include "MainComponent.h"

#include "app/EntryValidation.h"
#include "app/SettingsFile.h"
#include "engine/BoundedCall.h"
#include "engine/Ipv4Address.h"
#include "engine/MillisecondClock.h"
#include "engine/Pacing.h"

#include <BinaryData.h>

#include <cstdlib>

namespace
{
    const juce::Colour buttonColour { 0xff464646 };
    const juce::Colour darkTextColour { 0xff282828 };
    constexpr int fieldLimits[] = { 24, 60, 60, 100 };

    /** How long closing the audio device may take before its server or driver counts as hung. */
    constexpr int audioDeviceCloseTimeoutMilliseconds = 2000;

    juce::Image loadImage (const void* data, int size)
    {
        return juce::ImageCache::getFromMemory (data, size);
    }

    int& fieldAt (ClockFields& fields, int index)
    {
        switch (index)
        {
            case 0: return fields.hours;
            case 1: return fields.minutes;
            case 2: return fields.seconds;
            default: return fields.hundredths;
        }
    }

    constexpr int frameRates[] = { 24, 25, 30 };

    /** The frame-rate box lists 24, 25 and 30 fps with the ids 1, 2 and 3. */
    int frameRateOfBoxId (int id)
    {
        return frameRates[id - 1];
    }

    int boxIdOfFrameRate (int rate)
    {
        for (int i = 0; i < 3; ++i)
            if (frameRates[i] == rate)
                return i + 1;

        return 0;
    }

    juce::String twoDigits (int value)
    {
        return juce::String::formatted ("%02d", value);
    }
}

//==============================================================================
MainComponent::MainComponent()
    : MainComponent (systemMidiOutputDevices(), monotonicMillisecondCounter, juce::Time::getCurrentTime)
{
}

MainComponent::MainComponent (MidiOutputDevices& midiOutputsToUse,
                              std::function<int64_t()> millisecondCounterToUse,
                              std::function<juce::Time()> currentTimeToUse)
    : midiOutputs (midiOutputsToUse),
      millisecondCounter (std::move (millisecondCounterToUse)),
      currentTime (std::move (currentTimeToUse)),
      settingsOnImage (loadImage (BinaryData::settingson_png, BinaryData::settingson_pngSize)),
      settingsImage (loadImage (BinaryData::settings_png, BinaryData::settings_pngSize)),
      homeClockOnImage (loadImage (BinaryData::homeclockon_png, BinaryData::homeclockon_pngSize)),
      homeClockImage (loadImage (BinaryData::homeclock_png, BinaryData::homeclock_pngSize)),
      playImage (loadImage (BinaryData::play_png, BinaryData::play_pngSize)),
      pauseImage (loadImage (BinaryData::pause_png, BinaryData::pause_pngSize)),
      stopImage (loadImage (BinaryData::stop_png, BinaryData::stop_pngSize)),
      backImage (loadImage (BinaryData::back_png, BinaryData::back_pngSize)),
      settingsComponent (midiOutputs),
      mtcSender (midiOutputs)
{
    // Without a parent or a look and feel of its own this reaches the framework's default one,
    // which every component without its own look and feel draws with.
    auto& defaultLookAndFeel = getLookAndFeel();
    defaultLookAndFeel.setColour (juce::PopupMenu::textColourId, juce::Colours::white);
    defaultLookAndFeel.setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xff393939));
    defaultLookAndFeel.setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour (0xff464646));
    defaultLookAndFeel.setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xff393939));
    defaultLookAndFeel.setColour (juce::TextButton::buttonColourId, juce::Colour (0xff393939));

   #if JUCE_MAC
    juce::MenuBarModel::setMacMainMenu (this, nullptr, {});
   #endif

    initializeFolders();

    preferencesWindow = std::make_unique<PreferencesWindow> (deviceManager);
    // Switching the title bar of a window on the desktop recreates it and brings it to the
    // front, which on X11 maps it although it was never made visible: switch it off the desktop.
    preferencesWindow->removeFromDesktop();
    preferencesWindow->setUsingNativeTitleBar (true);
    preferencesWindow->addToDesktop();

    readStoredSettings();

    addChildComponent (settingsComponent);

    for (auto* separator : { &colonLabel1, &colonLabel2, &pointLabel })
    {
        addAndMakeVisible (separator);
        separator->setEditable (false, false, false);
        separator->setFont (juce::Font (50.0f, juce::Font::bold));
    }

    colonLabel1.setText (":", juce::dontSendNotification);
    colonLabel2.setText (":", juce::dontSendNotification);
    pointLabel.setText (".", juce::dontSendNotification);

    for (auto* field : { &hoursLabel, &minutesLabel, &secondsLabel, &hundredthsLabel })
    {
        addAndMakeVisible (field);
        field->setJustificationType (juce::Justification::centred);
        field->setLookAndFeel (&iosLookAndFeel);
        field->setEditable (true, false, false);
        field->setFont (juce::Font (50.0f, juce::Font::bold));
        field->setText ("00", juce::dontSendNotification);
        field->addListener (this);
        field->onEditorShow = [this, field] { setUpClockFieldEditor (*field); };
    }

    const std::pair<juce::TextButton*, int> modeButtons[] = { { &smpteButton, juce::Button::ConnectedOnRight },
                                                              { &midiButton, juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight },
                                                              { &artNetButton, juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight } };
    const char* modeTexts[] = { "SMPTE", "MIDI", "Art-Net" };

    for (size_t i = 0; i < std::size (modeButtons); ++i)
    {
        auto* button = modeButtons[i].first;
        button->setButtonText (modeTexts[i]);
        button->setConnectedEdges (modeButtons[i].second);
        button->setLookAndFeel (&iosLookAndFeel);
        button->setColour (juce::TextButton::buttonColourId, buttonColour);
        button->setColour (juce::TextButton::buttonOnColourId, juce::Colours::lightgreen);
        button->setColour (juce::TextButton::textColourOnId, darkTextColour);
        button->setClickingTogglesState (true);
        addAndMakeVisible (button);
        button->addListener (this);
    }

    settingsComponent.fpsBox.onChange = [this] { frameRateChanged(); };
    settingsComponent.channelBox.onChange = [this] { outputChannelChanged(); };
    settingsComponent.midiBox.onChange = [this] { midiOutputChanged(); };

    struct ImageButtonSpec
    {
        std::unique_ptr<juce::DrawableButton>& button;
        const char* name;
        const juce::Image& image;
        const juce::Image* onImage;
        int connectedEdges;
    };

    const ImageButtonSpec imageButtons[] = {
        { settingsButton, "settings", settingsImage, &settingsOnImage, juce::Button::ConnectedOnLeft },
        { playPauseButton, "playpause", playImage, &pauseImage, juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight },
        { stopButton, "stop", stopImage, nullptr, juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight },
        { backButton, "back", backImage, nullptr, juce::Button::ConnectedOnRight },
        { homeClockButton, "homeclock", homeClockImage, &homeClockOnImage, juce::Button::ConnectedOnLeft }
    };

    for (const auto& spec : imageButtons)
    {
        spec.button = std::make_unique<juce::DrawableButton> (spec.name, juce::DrawableButton::ImageOnButtonBackground);
        auto& button = *spec.button;

        juce::DrawableImage image;
        image.setImage (spec.image);

        if (spec.onImage != nullptr)
        {
            juce::DrawableImage onImage;
            onImage.setImage (*spec.onImage);
            button.setImages (&image, &image, &image, nullptr, &onImage, &onImage, &onImage, nullptr);
        }
        else
        {
            button.setImages (&image);
        }

        button.setButtonText ({});
        button.setConnectedEdges (spec.connectedEdges);
        button.setLookAndFeel (&iosLookAndFeel);
        button.setColour (juce::TextButton::buttonColourId, buttonColour);

        if (spec.onImage != nullptr)
        {
            button.setColour (juce::TextButton::buttonOnColourId, juce::Colours::lightgreen);
            button.setColour (juce::TextButton::textColourOnId, darkTextColour);
            button.setClickingTogglesState (true);
        }

        button.addListener (this);
        addAndMakeVisible (button);
    }

    settingsComponent.ipLabel.addListener (this);

    selectStoredMidiOutput();
    restoreOutputMode();

    relocate (startPosition);
    enteredFields = clockFieldsOf (startPosition);
    shownFields = enteredFields;
    showFields (enteredFields);

    for (auto* label : { &hoursLabel, &minutesLabel, &secondsLabel, &hundredthsLabel, &colonLabel1, &colonLabel2, &pointLabel })
        label->setColour (juce::Label::textColourId, juce::Colours::lightblue);

    setSize (350, 322);

    setApplicationCommandManagerToWatch (&commandManager);
    commandManager.registerAllCommandsForTarget (this);
    addKeyListener (commandManager.getKeyMappings());

    // The command is the program's, not the focused window's: without this the command manager
    // looks for its target among the parents of the focused component, which the Preferences
    // window does not have.
    commandManager.setFirstCommandTarget (this);

#if ! JUCE_MAC
    // Without a global menu bar to take the command's key, the Preferences window answers it too.
    preferencesWindow->addKeyListener (commandManager.getKeyMappings());
#endif

    nextDueTime = millisecondCounter();
    startTimer (1000);

    refillChannelBox (true);
    deviceManager.addChangeListener (this);
}

MainComponent::~MainComponent()
{
   #if JUCE_MAC
    juce::MenuBarModel::setMacMainMenu (nullptr);
   #endif

    // The menu model base outlives the command manager member; stop watching it while it exists.
    setApplicationCommandManagerToWatch (nullptr);

    deviceManager.removeChangeListener (this);

    if (auto state = deviceManager.createStateXml())
        writeXmlFile (*state, audioConfigurationFile());

    // Closing a device whose server or driver does not answer, such as a stopped JACK server,
    // never ends: it gets a bounded time, and the settings are written in any case.
    const auto closed = callWithin (audioDeviceCloseTimeoutMilliseconds, [this] { deviceManager.closeAudioDevice(); });
    saveState();

    if (! closed)
    {
        // The close goes on, on a thread of its own, and uses the device manager, which nothing
        // here may now destroy. Both files are written: the program ends here.
        std::_Exit (0);
    }

    deviceManager.removeAudioCallback (&ltcSender);
    preferencesWindow.reset();
}

//==============================================================================
void MainComponent::paint (juce::Graphics& g)
{
    const auto logo = juce::ImageCache::getFromMemory (BinaryData::logo_png, BinaryData::logo_pngSize);
    g.drawImageAt (logo, getWidth() - 70, getHeight() - 70);
}

void MainComponent::resized()
{
    const auto centreX = [this] (int offset) { return static_cast<int> (getWidth() * 0.5 + offset); };
    const auto clockY = static_cast<int> (getHeight() * 0.5 - 25);
    const auto bottomRowY = getHeight() - 100;

    smpteButton.setBounds (centreX (-100), 25, 50, 35);
    midiButton.setBounds (centreX (-49), 25, 48, 35);
    artNetButton.setBounds (centreX (0), 25, 50, 35);
    settingsButton->setBounds (centreX (51), 25, 49, 35);
    settingsComponent.setBounds (centreX (-100), 60, 200, 70);

    colonLabel1.setBounds (centreX (-86), clockY, 70, 50);
    colonLabel2.setBounds (centreX (-86 + 75), clockY, 70, 50);
    pointLabel.setBounds (centreX (-86 + 150), clockY, 70, 50);

    hoursLabel.setBounds (centreX (-147), clockY, 70, 50);
    minutesLabel.setBounds (centreX (-147 + 75), clockY, 70, 50);
    secondsLabel.setBounds (centreX (-147 + 150), clockY, 70, 50);
    hundredthsLabel.setBounds (centreX (-147 + 225), clockY, 70, 50);

    backButton->setBounds (centreX (-100), bottomRowY, 50, 35);
    stopButton->setBounds (centreX (-49), bottomRowY, 49, 35);
    playPauseButton->setBounds (centreX (1), bottomRowY, 49, 35);
    homeClockButton->setBounds (centreX (51), bottomRowY, 49, 35);
}

//==============================================================================
void MainComponent::changeListenerCallback (juce::ChangeBroadcaster*)
{
    refillChannelBox (false);
}

void MainComponent::refillChannelBox (bool atStartUp)
{
    auto& box = settingsComponent.channelBox;
    box.clear (juce::sendNotificationAsync);

    auto* device = deviceManager.getCurrentAudioDevice();
    if (device == nullptr)
        return;

    const auto names = device->getOutputChannelNames();
    const auto active = device->getActiveOutputChannels();

    for (int channel = 0; channel < names.size(); ++channel)
        if (active[channel])
            box.addItem (names[channel], channel + 1);

    const auto preferredIsListed = box.getNumItems() > prefOutputChannel;

    if (atStartUp)
    {
        if (preferredIsListed)
            box.setSelectedId (box.getItemId (prefOutputChannel), juce::sendNotificationAsync);

        return;
    }

    if (preferredIsListed)
        ltcSender.outputChannel.store (prefOutputChannel);

    const auto index = preferredIsListed ? prefOutputChannel : ltcSender.outputChannel.load();
    box.setSelectedId (box.getItemId (index), juce::sendNotificationAsync);
}

//==============================================================================
void MainComponent::initializeFolders()
{
    const auto documents = juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
    settingsFolder = createSettingsFolders (documents);

    juce::RuntimePermissions::request (juce::RuntimePermissions::recordAudio,
                                       [this] (bool granted)
                                       {
                                           const auto audioConfiguration = readAudioConfiguration (audioConfigurationFile());
                                           deviceManager.initialise (granted ? 1 : 0, 0, audioConfiguration.get(), true, {}, nullptr);
                                       });
}

juce::File MainComponent::settingsFile() const
{
    return settingsFolder.getChildFile ("Autosave.zarntm");
}

juce::File MainComponent::audioConfigurationFile() const
{
    return settingsFolder.getChildFile ("audioConfig.zarnc");
}

void MainComponent::readStoredSettings()
{
    const auto stored = ::readSettingsFile (settingsFile());
    if (! stored.has_value())
        return;

    outputMode = stored->outputMode;

    frameRate = stored->frameRate;
    if (const auto boxId = boxIdOfFrameRate (frameRate); boxId != 0)
        settingsComponent.fpsBox.setSelectedId (boxId, juce::sendNotificationAsync);

    prefMidi = stored->prefMidi;
    startPosition = stored->start;

    settingsComponent.ipLabel.setText (stored->outgoingIp, juce::dontSendNotification);
    artTimecodeSender.host = stored->outgoingIp;
    settingsComponent.lastValidIp = stored->outgoingIp;

    prefOutputChannel = stored->prefOutputChannel;
}

void MainComponent::saveState()
{
    StoredSettings settings;
    settings.outputMode = outputMode;
    settings.frameRate = frameRate;
    settings.outgoingIp = artTimecodeSender.host;
    settings.prefOutputChannel = prefOutputChannel;
    settings.prefMidi = prefMidi;
    settings.start = startPosition;

    writeXmlFile (*createSettingsXml (settings), settingsFile());
}

void MainComponent::selectStoredMidiOutput()
{
    auto& box = settingsComponent.midiBox;
    auto matched = false;

    // Of several outputs with the stored name, the last one stays selected.
    for (int i = 0; i < box.getNumItems(); ++i)
    {
        if (box.getItemText (i) == prefMidi)
        {
            box.setSelectedId (box.getItemId (i), juce::sendNotificationAsync);
            matched = true;
        }
    }

    if (! matched)
        box.setSelectedId (box.getItemId (0), juce::sendNotificationAsync);
}

void MainComponent::restoreOutputMode()
{
    switch (outputMode)
    {
        case smpteOutput:
            smpteButton.setToggleState (true, juce::dontSendNotification);
            showSecondRow (settingsComponent.channelBox);
            mtcSender.mtcMode = false;
            artTimecodeSender.artNetMode = false;
            deviceManager.addAudioCallback (&ltcSender);
            break;

        case midiOutput:
            midiButton.setToggleState (true, juce::dontSendNotification);
            showSecondRow (settingsComponent.midiBox);
            mtcSender.mtcMode = true;
            artTimecodeSender.artNetMode = false;
            mtcSender.openMidiOutput (settingsComponent.midiBox.getText());
            break;

        case artNetOutput:
            artNetButton.setToggleState (true, juce::dontSendNotification);
            showSecondRow (settingsComponent.ipLabel);
            mtcSender.mtcMode = false;
            artTimecodeSender.artNetMode = true;
            break;

        default:
            break;
    }
}

void MainComponent::showSecondRow (juce::Component& shown)
{
    settingsComponent.midiBox.setVisible (&shown == &settingsComponent.midiBox);
    settingsComponent.ipLabel.setVisible (&shown == &settingsComponent.ipLabel);
    settingsComponent.channelBox.setVisible (&shown == &settingsComponent.channelBox);
}

//==============================================================================
void MainComponent::relocate (int position)
{
    clockPosition = position;
    setFrameCounters (position);
}

void MainComponent::setFrameCounters (int position)
{
    if (const auto frames = ticksToFrames (position, frameRate))
    {
        artTimecodeSender.frameCounter = *frames;
        mtcSender.frameCounter = *frames;
        ltcSender.frameCounter.store (*frames);
    }
}

void MainComponent::returnToStart()
{
    relocate (startPosition);
    showFields (enteredFields);
    shownFields = enteredFields;
}

void MainComponent::startRun()
{
    setClockPlaying (true);
    clockState = running;
    nextDueTime = millisecondCounter();

    artTimecodeSender.isRunning = true;
    artTimecodeSender.nextDueTime = millisecondCounter();

    mtcSender.isRunning.exchange (true);
    mtcSender.nextDueTime = millisecondCounter();

    ltcSender.isRunning.exchange (true);
}

void MainComponent::stopRun()
{
    setClockPlaying (false);
    clockState = stopped;
    clearRunningFlags();
}

void MainComponent::clearRunningFlags()
{
    artTimecodeSender.isRunning = false;
    mtcSender.isRunning.exchange (false);
    ltcSender.isRunning.exchange (false);
}

void MainComponent::setClockPlaying (bool playing)
{
    for (auto* field : { &hoursLabel, &minutesLabel, &secondsLabel, &hundredthsLabel })
        field->setEditable (! playing, false, false);

    const auto colour = playing ? juce::Colours::lightgreen : juce::Colours::lightblue;

    for (auto* label : { &hoursLabel, &minutesLabel, &secondsLabel, &hundredthsLabel, &colonLabel1, &colonLabel2, &pointLabel })
        label->setColour (juce::Label::textColourId, colour);
}

void MainComponent::buttonClicked (juce::Button* button)
{
    if (button == homeClockButton.get())
    {
        if (homeClockButton->getToggleState())
        {
            const auto now = currentTime();
            const auto secondsOfDay = now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds();
            relocate (ticksPerSecond * secondsOfDay + now.getMilliseconds() / 33);

            playPauseButton->setToggleState (true, juce::dontSendNotification);
            startTimer (1);
            startRun();
        }
        else
        {
            playPauseButton->setToggleState (false, juce::dontSendNotification);
            stopRun();
            startTimer (1000);
        }
    }
    else if (button == backButton.get())
    {
        homeClockButton->setToggleState (false, juce::dontSendNotification);
        returnToStart();
        updateClock();
    }
    else if (button == stopButton.get())
    {
        setClockPlaying (false);
        returnToStart();
        clockState = stopped;
        clearRunningFlags();

        playPauseButton->setToggleState (false, juce::dontSendNotification);
        homeClockButton->setToggleState (false, juce::dontSendNotification);
        startTimer (1000);
    }
    else if (button == playPauseButton.get())
    {
        if (playPauseButton->getToggleState())
        {
            startTimer (1);
            startRun();
        }
        else
        {
            stopRun();
            homeClockButton->setToggleState (false, juce::dontSendNotification);
            startTimer (1000);
        }
    }
    else if (button == &smpteButton)
    {
        if (smpteButton.getToggleState())
        {
            outputMode = smpteOutput;
            relocate (clockPosition);
            mtcSender.stopSendThread();
            midiButton.setToggleState (false, juce::dontSendNotification);
            artNetButton.setToggleState (false, juce::dontSendNotification);
            deviceManager.addAudioCallback (&ltcSender);
            showSecondRow (settingsComponent.channelBox);
            mtcSender.mtcMode = false;
            artTimecodeSender.artNetMode = false;
        }
        else
        {
            outputMode = noOutput;
            deviceManager.removeAudioCallback (&ltcSender);
        }
    }
    else if (button == &midiButton)
    {
        if (midiButton.getToggleState())
        {
            outputMode = midiOutput;
            mtcSender.openMidiOutput (settingsComponent.midiBox.getText());
            smpteButton.setToggleState (false, juce::dontSendNotification);
            deviceManager.removeAudioCallback (&ltcSender);
            artNetButton.setToggleState (false, juce::dontSendNotification);
            showSecondRow (settingsComponent.midiBox);
            mtcSender.mtcMode = true;
            artTimecodeSender.artNetMode = false;
        }
        else
        {
            outputMode = noOutput;
            mtcSender.stopSendThread();
            mtcSender.mtcMode = false;
        }
    }
    else if (button == &artNetButton)
    {
        if (artNetButton.getToggleState())
        {
            mtcSender.stopSendThread();
            outputMode = artNetOutput;
            midiButton.setToggleState (false, juce::dontSendNotification);
            smpteButton.setToggleState (false, juce::dontSendNotification);
            deviceManager.removeAudioCallback (&ltcSender);
            showSecondRow (settingsComponent.ipLabel);
            mtcSender.mtcMode = false;
            artTimecodeSender.artNetMode = true;
        }
        else
        {
            outputMode = noOutput;
            artTimecodeSender.artNetMode = false;
        }
    }
    else if (button == settingsButton.get())
    {
        const auto open = settingsButton->getToggleState();
        settingsComponent.setVisible (open);
        smpteButton.setConnectedEdges (juce::Button::ConnectedOnRight | (open ? juce::Button::ConnectedOnBottom : 0));
        settingsButton->setConnectedEdges (juce::Button::ConnectedOnLeft | (open ? juce::Button::ConnectedOnBottom : 0));

        for (auto* modeButton : { &smpteButton, &midiButton, &artNetButton })
            modeButton->setColour (juce::TextButton::buttonOnColourId, open ? juce::Colours::lightblue : juce::Colours::lightgreen);
    }
}

//==============================================================================
void MainComponent::showFields (const ClockFields& fields)
{
    hoursLabel.setText (twoDigits (fields.hours), juce::dontSendNotification);
    minutesLabel.setText (twoDigits (fields.minutes), juce::dontSendNotification);
    secondsLabel.setText (twoDigits (fields.seconds), juce::dontSendNotification);
    hundredthsLabel.setText (twoDigits (fields.hundredths), juce::dontSendNotification);
}

void MainComponent::updateClock()
{
    if (clockState != running)
        return;

    const auto position = clockPosition;
    if (position != 0 && position == lastShownPosition)
        return;

    lastShownPosition = position;

    if (position > lastPositionOfDay || position < 0)
    {
        showFields ({});
        return;
    }

    shownFields = clockFieldsOf (position);
    showFields (shownFields);
}

void MainComponent::labelTextChanged (juce::Label* label)
{
    const juce::Label* const fields[] = { &hoursLabel, &minutesLabel, &secondsLabel, &hundredthsLabel };

    for (int i = 0; i < 4; ++i)
    {
        if (label == fields[i])
        {
            clockFieldEntered (i, *label);
            return;
        }
    }

    if (label == &settingsComponent.ipLabel)
        ipAddressEntered();
}

void MainComponent::clockFieldEntered (int fieldIndex, juce::Label& label)
{
    enteredFields = shownFields;

    if (const auto value = readIntegerEntry (label.getText()))
    {
        if (*value >= 0 && *value < fieldLimits[fieldIndex])
        {
            fieldAt (enteredFields, fieldIndex) = *value;
            fieldAt (shownFields, fieldIndex) = *value;
        }
    }

    startPosition = positionOfClockFields (enteredFields);
    relocate (startPosition);
    showFields (enteredFields);
}

void MainComponent::ipAddressEntered()
{
    auto& ipLabel = settingsComponent.ipLabel;
    const auto text = ipLabel.getText();

    if (isNumericIpv4Address (text))
        settingsComponent.lastValidIp = text;
    else
        ipLabel.setText (settingsComponent.lastValidIp, juce::dontSendNotification);

    artTimecodeSender.host = settingsComponent.lastValidIp;
}

void MainComponent::setUpClockFieldEditor (juce::Label& label)
{
    auto* editor = label.getCurrentTextEditor();
    if (editor == nullptr)
        return;

    editor->setJustification (juce::Justification::centredTop);
    editor->setLookAndFeel (&iosLookAndFeel);
}

//==============================================================================
void MainComponent::timerCallback()
{
    if (midiWatchDue (midiWatchCounter, getTimerInterval()))
    {
        if (midiRefreshPending)
            refreshMidi();
        else
            checkForMidiRefresh();
    }

    if (clockState != running)
    {
        saveState();
        return;
    }

    if (takeStepIfDue (nextDueTime, pacingCycle, clockStepPacing(), millisecondCounter()))
        clockPosition = wrappingAdd (clockPosition, 1);

    if (artTimecodeSender.isRunning)
        if (const auto* row = artNetFramePacing (artTimecodeSender.frameRate))
            if (takeStepIfDue (artTimecodeSender.nextDueTime, artTimecodeSender.pacingCycle, *row, millisecondCounter()))
                artTimecodeSender.sendFrame();

    if (mtcSender.isRunning.load())
        if (const auto* row = mtcBlockPacing (mtcSender.frameRate))
            if (takeStepIfDue (mtcSender.nextDueTime, mtcSender.pacingCycle, *row, millisecondCounter()))
                mtcSender.sendFrame();

    if (periodicSaveDue (saveCounter))
        saveState();

    updateClock();
}

void MainComponent::frameRateChanged()
{
    const auto selectedId = settingsComponent.fpsBox.getSelectedId();

    // Nothing selected changes no rate; the counters are re-derived at the current one.
    if (selectedId >= 1 && selectedId <= 3)
    {
        frameRate = frameRateOfBoxId (selectedId);
        artTimecodeSender.frameRate = frameRate;
        mtcSender.frameRate = frameRate;
        ltcSender.frameRate.store (frameRate);
    }

    setFrameCounters (clockPosition);
}

void MainComponent::checkForMidiRefresh()
{
    const auto devices = midiOutputs.getAvailableDevices();
    auto& box = settingsComponent.midiBox;

    if (devices.size() != box.getNumItems())
    {
        midiRefreshPending = true;
        return;
    }

    for (int i = 0; i < devices.size(); ++i)
    {
        if (devices[i].name != box.getItemText (i))
        {
            midiRefreshPending = true;
            return;
        }
    }
}

void MainComponent::refreshMidi()
{
    auto& box = settingsComponent.midiBox;
    const auto remembered = box.getText();

    midiRefreshPending = false;
    box.clear (juce::sendNotificationAsync);

    const auto devices = midiOutputs.getAvailableDevices();
    auto chosen = 0;

    for (int i = 0; i < devices.size(); ++i)
    {
        box.addItem (devices[i].name, i + 1);

        if (devices[i].name == remembered)
            chosen = i;
    }

    if (box.getNumItems() > 0)
        box.setSelectedId (box.getItemId (chosen), juce::sendNotificationAsync);
}

void MainComponent::midiOutputChanged()
{
    const auto name = settingsComponent.midiBox.getText();

    if (outputMode == midiOutput)
        mtcSender.openMidiOutput (name);

    prefMidi = name;
}

void MainComponent::outputChannelChanged()
{
    const auto index = settingsComponent.channelBox.getSelectedItemIndex();
    prefOutputChannel = index;
    ltcSender.outputChannel.store (index);
}

//==============================================================================
juce::StringArray MainComponent::getMenuBarNames()
{
    return { "Options" };
}

juce::PopupMenu MainComponent::getMenuForIndex (int, const juce::String& menuName)
{
    juce::PopupMenu menu;

    if (menuName == "Options")
        menu.addCommandItem (&commandManager, preferencesCommandId);

    return menu;
}

void MainComponent::menuItemSelected (int, int) {}

void MainComponent::menuBarActivated (bool) {}

void MainComponent::getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result)
{
    if (commandID != preferencesCommandId)
        return;

    result.setInfo ("Preferences", "Preferences", "Menu", 0);
    result.addDefaultKeypress ('p', juce::ModifierKeys::commandModifier);
}

bool MainComponent::perform (const InvocationInfo& info)
{
    if (info.commandID != preferencesCommandId)
        return false;

    if (preferencesWindow->isVisible())
    {
        preferencesWindow->setVisible (false);
        return true;
    }

    const auto topLeft = getScreenPosition();
    auto* peer = getPeer();
    const auto frame = peer != nullptr ? peer->getFrameSizeIfPresent() : juce::ComponentPeer::OptionalBorderSize();
    preferencesWindow->showCentredAt ({ static_cast<int> (topLeft.x + getWidth() * 0.5),
                                        static_cast<int> (topLeft.y + getHeight() * 0.5) },
                                      frame ? *frame : juce::BorderSize<int>());
    return true;
}

juce::ApplicationCommandTarget* MainComponent::getNextCommandTarget()
{
    return nullptr;
}

void MainComponent::getAllCommands (juce::Array<juce::CommandID>& commands)
{
    commands.add (preferencesCommandId);
}
