#pragma once

#include "app/IosLookAndFeel.h"
#include "devicesettings/AudioSetup.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** The content of the device settings window: a column of tabs on the left, holding the single
    tab "Audio", and that tab's page beside it.
*/
class Preferences : public juce::Component,
                    public juce::Button::Listener
{
public:
    explicit Preferences (juce::AudioDeviceManager& sharedDeviceManager);

    void paint (juce::Graphics& g) override;
    void resized() override;

    void buttonClicked (juce::Button* button) override;

private:
    // Declared first, so that it outlives the tab that draws with it.
    IosLookAndFeel lookAndFeel;
    std::unique_ptr<AudioSetup> audioSetup;
    juce::TextButton audioTab;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Preferences)
};
