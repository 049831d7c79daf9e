#include "devicesettings/PreferencesWindow.h"

namespace
{
    const juce::Colour windowBackground (0xff282828);
}

PreferencesWindow::PreferencesWindow (juce::AudioDeviceManager& sharedDeviceManager)
    : juce::DocumentWindow ("Preferences", windowBackground, juce::DocumentWindow::closeButton, true)
{
    preferences = std::make_unique<Preferences> (sharedDeviceManager);
    setContentNonOwned (preferences.get(), false);
    setSize (600, 400);
}

void PreferencesWindow::paint (juce::Graphics& g)
{
    g.fillAll (windowBackground);
}

void PreferencesWindow::resized()
{
    if (preferences != nullptr)
        preferences->setBounds (0, 0, getWidth(), getHeight());
}

void PreferencesWindow::closeButtonPressed()
{
    setVisible (false);
}
