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

void PreferencesWindow::showCentredAt (juce::Point<int> centre)
{
    setCentrePosition (centre);
    setVisible (true);

    // Set only now: making the window visible brings it to the front at once, before the window
    // manager has mapped it.
    centreToKeep = centre;
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

void PreferencesWindow::moved()
{
    juce::DocumentWindow::moved();
    placeOnceFramed();
}

void PreferencesWindow::broughtToFront()
{
    placeOnceFramed();
}

void PreferencesWindow::placeOnceFramed()
{
    auto* peer = getPeer();
    const auto frame = peer != nullptr ? peer->getFrameSizeIfPresent() : juce::ComponentPeer::OptionalBorderSize();

    if (! centreToKeep.has_value() || ! frame)
        return;

    // A window manager that maps a window puts its frame, not its client area, where the window
    // was asked to be, when it did not know the frame before (the first showing) or was not asked
    // again (the window had not moved since it was hidden). Knowing the frame now, the window
    // moves by it to the centre it was shown at.
    const auto centre = *std::exchange (centreToKeep, std::nullopt);

    if (getBounds().getCentre() == centre + juce::Point<int> (frame->getLeft(), frame->getTop()))
        setCentrePosition (centre);
    else if (getBounds().getCentre() != centre)
        centreToKeep = centre;
}
