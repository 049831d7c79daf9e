#include "devicesettings/Preferences.h"

Preferences::Preferences (juce::AudioDeviceManager& sharedDeviceManager)
{
    audioSetup = std::make_unique<AudioSetup> (sharedDeviceManager);
    addAndMakeVisible (audioSetup.get());

    audioTab.setButtonText ("Audio");
    audioTab.setConnectedEdges (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
    audioTab.setLookAndFeel (&lookAndFeel);
    audioTab.setColour (juce::TextButton::buttonColourId, juce::Colour (0xff464646));
    audioTab.setColour (juce::TextButton::buttonOnColourId, juce::Colours::lightgreen);
    audioTab.setColour (juce::TextButton::textColourOnId, juce::Colour (0xff282828));
    audioTab.setClickingTogglesState (true);
    audioTab.setToggleState (true, juce::dontSendNotification);
    addAndMakeVisible (audioTab);
    audioTab.addListener (this);

    setSize (600, 400);
}

void Preferences::paint (juce::Graphics&)
{
    // Nothing: the window's background shows in the tab column.
}

void Preferences::resized()
{
    audioSetup->setBounds (100, 0, getWidth() - 100, getHeight());
    audioTab.setBounds (0, 0, 100, 29);
}

void Preferences::buttonClicked (juce::Button* button)
{
    if (button != &audioTab)
        return;

    // The one tab stays on: a click that turned it off turns it on again.
    if (audioTab.getToggleState())
        audioSetup->setVisible (true);
    else
        audioTab.setToggleState (true, juce::dontSendNotification);
}
