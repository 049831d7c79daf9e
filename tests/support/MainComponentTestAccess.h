#pragma once

#include "app/MainComponent.h"

/** Reaches the main component's private state, so tests can drive and inspect it. */
struct MainComponentTestAccess
{
    explicit MainComponentTestAccess (MainComponent& c) : component (c) {}

    MainComponent& component;

    juce::AudioDeviceManager& deviceManager() { return component.deviceManager; }
    LtcSender& ltcSender() { return component.ltcSender; }
    MtcSender& mtcSender() { return component.mtcSender; }
    ArtTimecodeSender& artTimecodeSender() { return component.artTimecodeSender; }
    SettingsComponent& settingsComponent() { return component.settingsComponent; }
    PreferencesWindow* preferencesWindow() { return component.preferencesWindow.get(); }

    juce::TextButton& smpteButton() { return component.smpteButton; }
    juce::TextButton& midiButton() { return component.midiButton; }
    juce::TextButton& artNetButton() { return component.artNetButton; }
    juce::DrawableButton& settingsButton() { return *component.settingsButton; }
    juce::DrawableButton& playPauseButton() { return *component.playPauseButton; }
    juce::DrawableButton& stopButton() { return *component.stopButton; }
    juce::DrawableButton& backButton() { return *component.backButton; }
    juce::DrawableButton& homeClockButton() { return *component.homeClockButton; }

    juce::Label& hoursLabel() { return component.hoursLabel; }
    juce::Label& minutesLabel() { return component.minutesLabel; }
    juce::Label& secondsLabel() { return component.secondsLabel; }
    juce::Label& hundredthsLabel() { return component.hundredthsLabel; }
    juce::Label& colonLabel1() { return component.colonLabel1; }
    juce::Label& pointLabel() { return component.pointLabel; }

    int32_t& clockPosition() { return component.clockPosition; }
    int32_t& startPosition() { return component.startPosition; }
    int32_t& clockState() { return component.clockState; }
    int32_t& frameRate() { return component.frameRate; }
    int32_t& outputMode() { return component.outputMode; }
    int32_t& prefOutputChannel() { return component.prefOutputChannel; }
    juce::String& prefMidi() { return component.prefMidi; }
    int32_t& saveCounter() { return component.saveCounter; }
    int32_t& midiWatchCounter() { return component.midiWatchCounter; }
    bool& midiRefreshPending() { return component.midiRefreshPending; }
    int64_t& nextDueTime() { return component.nextDueTime; }
    uint8_t& pacingCycle() { return component.pacingCycle; }
    ClockFields& enteredFields() { return component.enteredFields; }
    ClockFields& shownFields() { return component.shownFields; }

    /** The four clock labels' texts, joined by spaces. */
    juce::String clockText()
    {
        return hoursLabel().getText() + " " + minutesLabel().getText() + " "
             + secondsLabel().getText() + " " + hundredthsLabel().getText();
    }

    /** Clicks a button as the user would, synchronously: a toggle flips first, then the handler runs. */
    void click (juce::Button& button)
    {
        if (button.getClickingTogglesState())
            button.setToggleState (! button.getToggleState(), juce::dontSendNotification);

        component.buttonClicked (&button);
    }
};
