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

void PreferencesWindow::showCentredAt (juce::Point<int> centre, juce::BorderSize<int> likelyFrame)
{
    // A window manager maps a window with its frame at the position last sent for the window.
    // The framework leaves room for the frame once it knows it; before the first showing it does
    // not, and the frame of the program's other windows stands in.
    auto* peer = getPeer();
    auto bounds = getBounds().withCentre (centre);

    if (peer == nullptr || ! peer->getFrameSizeIfPresent())
        bounds.translate (-likelyFrame.getLeft(), -likelyFrame.getTop());

    // The position is sent only when it changes, but a hidden window sits where its frame was.
    setBounds (bounds.translated (1, 0));
    setBounds (bounds);
    setVisible (true);
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
