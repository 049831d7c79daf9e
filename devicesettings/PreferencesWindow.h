#pragma once

#include "devicesettings/Preferences.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

/** The device settings window "Preferences", built hidden around the shared device manager.
    Its close button only hides it, so the next showing finds the same content.
*/
class PreferencesWindow : public juce::DocumentWindow
{
public:
    explicit PreferencesWindow (juce::AudioDeviceManager& sharedDeviceManager);

    /** Makes the window visible with the centre of its client area at a point of the screen. */
    void showCentredAt (juce::Point<int> centre);

    void paint (juce::Graphics& g) override;
    void resized() override;
    void closeButtonPressed() override;
    void moved() override;
    void broughtToFront() override;

private:
    void placeOnceFramed();

    // Where the window was last shown, until the window manager has framed it.
    std::optional<juce::Point<int>> centreToKeep;

    // Shown as the window's content without handing it over, so that it is deleted once, here.
    std::unique_ptr<Preferences> preferences;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PreferencesWindow)
};
