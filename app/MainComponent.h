#pragma once

#include "app/IosLookAndFeel.h"
#include "app/SettingsComponent.h"
#include "devicesettings/PreferencesWindow.h"
#include "engine/ArtTimecodeSender.h"
#include "engine/LtcSender.h"
#include "engine/MidiOutputDevices.h"
#include "engine/MtcSender.h"
#include "engine/Timecode.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** The content of the main window. Owns the audio device manager, the three senders, every control
    and the device settings window; its constructor is the program's start-up and its destructor
    the shutdown.
*/
class MainComponent : public juce::Component,
                      public juce::Button::Listener,
                      public juce::Timer,
                      public juce::Label::Listener,
                      public juce::ApplicationCommandTarget,
                      private juce::MenuBarModel,
                      public juce::ChangeListener
{
public:
    /** The program's own: the system's MIDI outputs and the framework's clocks. */
    MainComponent();

    /** With the MIDI outputs, the millisecond counter and the wall clock given. */
    MainComponent (MidiOutputDevices& midiOutputs,
                   std::function<int64_t()> millisecondCounter,
                   std::function<juce::Time()> currentTime);

    ~MainComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void labelTextChanged (juce::Label* label) override;
    void timerCallback() override;

    juce::StringArray getMenuBarNames() override;
    juce::PopupMenu getMenuForIndex (int topLevelMenuIndex, const juce::String& menuName) override;
    void menuItemSelected (int menuItemID, int topLevelMenuIndex) override;
    void menuBarActivated (bool isActive) override;

    void getCommandInfo (juce::CommandID commandID, juce::ApplicationCommandInfo& result) override;
    bool perform (const InvocationInfo& info) override;
    juce::ApplicationCommandTarget* getNextCommandTarget() override;
    void getAllCommands (juce::Array<juce::CommandID>& commands) override;

    void changeListenerCallback (juce::ChangeBroadcaster* source) override;
    void buttonClicked (juce::Button* button) override;

    /** The "Options" menu, for a window that shows its own menu bar. */
    juce::MenuBarModel& getMenuBarModel() noexcept { return *this; }

    /** The command manager, whose key mappings a window can listen to. */
    juce::ApplicationCommandManager& getCommandManager() noexcept { return commandManager; }

    enum CommandIDs
    {
        preferencesCommandId = 1
    };

private:
    enum ClockState
    {
        stopped = 1,
        running = 2
    };

    enum OutputMode
    {
        smpteOutput = 0,
        midiOutput = 1,
        artNetOutput = 2,
        noOutput = 3
    };

    void saveState();
    void initializeFolders();
    void setClockPlaying (bool playing);
    void updateClock();
    void refreshMidi();
    void checkForMidiRefresh();

    void readStoredSettings();
    void restoreOutputMode();
    void selectStoredMidiOutput();
    void refillChannelBox (bool atStartUp);

    void frameRateChanged();
    void midiOutputChanged();
    void outputChannelChanged();

    void relocate (int position);
    void setFrameCounters (int position);
    void returnToStart();
    void startRun();
    void stopRun();
    void clearRunningFlags();
    void showSecondRow (juce::Component& shown);
    void showFields (const ClockFields& fields);
    void clockFieldEntered (int fieldIndex, juce::Label& label);
    void ipAddressEntered();
    void setUpClockFieldEditor (juce::Label& label);

    juce::File settingsFile() const;
    juce::File audioConfigurationFile() const;

    MidiOutputDevices& midiOutputs;
    std::function<int64_t()> millisecondCounter;
    std::function<juce::Time()> currentTime;
    juce::File settingsFolder;

    std::unique_ptr<PreferencesWindow> preferencesWindow;
    bool midiRefreshPending = false;
    int32_t midiWatchCounter = 0;
    juce::AudioDeviceManager deviceManager;
    IosLookAndFeel iosLookAndFeel;
    juce::MenuBarComponent menuBar { this };
    juce::ApplicationCommandManager commandManager;
    int32_t prefOutputChannel = 0;
    LtcSender ltcSender;
    int32_t clockState = stopped;
    juce::TextButton smpteButton, midiButton, artNetButton;
    int32_t frameRate = 24;
    int32_t saveCounter = 0;
    int32_t outputMode = smpteOutput;
    juce::Image settingsOnImage, settingsImage, homeClockOnImage, homeClockImage,
        playImage, pauseImage, stopImage, backImage;
    std::unique_ptr<juce::DrawableButton> settingsButton, playPauseButton, stopButton, backButton, homeClockButton;
    SettingsComponent settingsComponent;
    ArtTimecodeSender artTimecodeSender;
    MtcSender mtcSender;
    int32_t startPosition = 0;
    int32_t clockPosition = 0;
    int32_t lastShownPosition = 0;
    int64_t nextDueTime = 0;
    uint8_t pacingCycle = 0;
    juce::String prefMidi;
    juce::Label colonLabel1, colonLabel2, pointLabel;
    juce::Label hoursLabel, minutesLabel, secondsLabel, hundredthsLabel;
    ClockFields enteredFields, shownFields;

    friend struct MainComponentTestAccess;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComponent)
};
