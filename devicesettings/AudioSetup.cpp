#include "devicesettings/AudioSetup.h"

namespace
{
    const juce::Colour pageBackground (0xff282828);
}

AudioSetup::AudioSetup (juce::AudioDeviceManager& sharedManager)
    : sharedDeviceManager (sharedManager)
{
    restyleDefaultLookAndFeel();

    // No input settings, up to 256 single output channels, no MIDI, advanced settings shown.
    selector = std::make_unique<ZarnAudioDeviceSelectorComponent> (sharedDeviceManager, 0, 0, 0, 256, false, false, false, false);
    addAndMakeVisible (selector.get());

    sharedDeviceManager.addChangeListener (this);

    viewport.setViewedComponent (selector.get(), false);
    viewport.setScrollBarsShown (true, false);
    addAndMakeVisible (viewport);
    viewport.setScrollBarThickness (12);
    viewport.getVerticalScrollBar().setColour (juce::ScrollBar::thumbColourId, juce::Colours::silver);
}

AudioSetup::~AudioSetup()
{
    sharedDeviceManager.removeChangeListener (this);
}

// The page has no parent yet, so these colours go to the framework's default look and feel, which
// every component without a look and feel of its own, the whole selector among them, draws with.
void AudioSetup::restyleDefaultLookAndFeel()
{
    auto& defaultLookAndFeel = getLookAndFeel();

    defaultLookAndFeel.setColour (juce::ComboBox::backgroundColourId, juce::Colour (0xff393939));
    defaultLookAndFeel.setColour (juce::ComboBox::outlineColourId, juce::Colour (0xff393939));
    defaultLookAndFeel.setColour (juce::ResizableWindow::backgroundColourId, juce::Colours::darkgrey);
    defaultLookAndFeel.setColour (juce::ResizableWindow::backgroundColourId, juce::Colour (0xff212121));
    defaultLookAndFeel.setColour (juce::Slider::thumbColourId, juce::Colours::white);
    defaultLookAndFeel.setColour (juce::ListBox::backgroundColourId, juce::Colour (0xff393939));
    defaultLookAndFeel.setColour (juce::ScrollBar::thumbColourId, juce::Colours::silver);
    defaultLookAndFeel.setColour (juce::PopupMenu::textColourId, juce::Colours::white);
    defaultLookAndFeel.setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xff393939));
    defaultLookAndFeel.setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour (0xff464646));
    defaultLookAndFeel.setColour (juce::TextButton::buttonOnColourId, juce::Colour (0xff393939));
    defaultLookAndFeel.setColour (juce::TextButton::buttonColourId, juce::Colour (0xff393939));
    defaultLookAndFeel.setColour (juce::Slider::thumbColourId, juce::Colours::lightgreen);
    defaultLookAndFeel.setColour (juce::ListBox::backgroundColourId, pageBackground);
}

void AudioSetup::paint (juce::Graphics& g)
{
    g.fillAll (pageBackground);
}

void AudioSetup::resized()
{
    viewport.setBounds (getLocalBounds());

    // The selector sets its own height from this width; it keeps the page's full width, so the
    // scroll bar, when shown, covers its right edge.
    selector->setBounds (0, 0, getWidth(), selector->getItemHeight());
}

void AudioSetup::prepareToPlay (int, double) {}

void AudioSetup::releaseResources() {}

void AudioSetup::getNextAudioBlock (const juce::AudioSourceChannelInfo&) {}

void AudioSetup::changeListenerCallback (juce::ChangeBroadcaster*) {}
