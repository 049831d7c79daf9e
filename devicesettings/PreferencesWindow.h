#pragma once

#include "devicesettings/Preferences.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The device settings window "Preferences", built hidden around the shared device manager.
    Its close button only hides it, so the next showing finds the same content.
*/
class PreferencesWindow : public juce::DocumentWindow
{
public:
    explicit PreferencesWindow (juce::AudioDeviceManager& sharedDeviceManager);

    /** Makes the window visible with the centre of its client area at a point of the screen;
        likelyFrame is the window manager's frame around another window of the program.
    */
    void showCentredAt (juce::Point<int> centre, juce::BorderSize<int> likelyFrame);

    void paint (juce::Graphics& g) override;
    void resized() override;
    void closeButtonPressed() override;

private:
    // Shown as the window's content without handing it over, so that it is deleted once, here.
    std::unique_ptr<Preferences> preferences;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PreferencesWindow)
};
