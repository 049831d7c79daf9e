#include "app/SettingsComponent.h"

namespace
{
const juce::Colour panelTextColour (0xff282828);
constexpr int rowHeight = 35;
} // namespace

SettingsComponent::SettingsComponent (MidiOutputDevices& midiOutputs)
    : lastValidIp ("127.0.0.1")
{
    fpsBox.addItem ("24FPS", 1);
    fpsBox.addItem ("25FPS", 2);
    fpsBox.addItem ("30FPS", 3);
    fpsBox.setLookAndFeel (&lookAndFeel);
    fpsBox.setSelectedId (1, juce::sendNotificationAsync);
    fpsBox.setColour (juce::ComboBox::textColourId, panelTextColour);
    addAndMakeVisible (fpsBox);

    midiBox.clear (juce::sendNotificationAsync);

    int itemId = 1;

    for (const auto& device : midiOutputs.getAvailableDevices())
        midiBox.addItem (device.name, itemId++);

    midiBox.setLookAndFeel (&lookAndFeel);
    midiBox.setSelectedId (1, juce::sendNotificationAsync);
    midiBox.setTextWhenNothingSelected ("Select output");
    midiBox.setTextWhenNoChoicesAvailable ("No outputs available");
    midiBox.setColour (juce::ComboBox::textColourId, panelTextColour);
    addAndMakeVisible (midiBox);

    lookAndFeel.setColour (juce::Label::textColourId, panelTextColour);

    ipLabel.setColour (juce::Label::textColourId, panelTextColour);
    ipLabel.setEditable (true, false, false);
    ipLabel.setText (lastValidIp, juce::dontSendNotification);
    ipLabel.setJustificationType (juce::Justification::centred);
    ipLabel.setLookAndFeel (&lookAndFeel);
    ipLabel.setFont (juce::Font ((float) lookAndFeel.textButtonFontHeight));
    ipLabel.setColour (juce::Label::textWhenEditingColourId, panelTextColour);
    ipLabel.onEditorShow = [this]
    { centreIpEditor(); };
    addAndMakeVisible (ipLabel);

    channelBox.setLookAndFeel (&lookAndFeel);
    channelBox.setColour (juce::ComboBox::textColourId, panelTextColour);
    channelBox.setColour (juce::Label::textColourId, panelTextColour);
    channelBox.setTextWhenNothingSelected ("Select output");
    channelBox.setTextWhenNoChoicesAvailable ("No outputs available");
    // The box is still empty: this selects nothing but leaves a notification pending, so the
    // channel handler runs once after start-up like those of the other boxes.
    channelBox.setSelectedId (1, juce::sendNotificationAsync);
    addAndMakeVisible (channelBox);
}

void SettingsComponent::paint (juce::Graphics& g)
{
    const auto radius = (float) lookAndFeel.cornerSize;

    // Square on top, where the panel joins the row of buttons above it.
    juce::Path shape;
    shape.addRoundedRectangle (0.0f, 0.0f, (float) getWidth(), (float) (getHeight() - 1), radius, radius, false, false, true, true);

    g.setColour (juce::Colours::lightblue);
    g.fillPath (shape);
}

void SettingsComponent::resized()
{
    const auto width = getWidth();

    fpsBox.setBounds (0, 0, width, rowHeight);
    midiBox.setBounds (0, rowHeight, width, rowHeight);
    ipLabel.setBounds (0, rowHeight, width, rowHeight);
    channelBox.setBounds (0, rowHeight, width, rowHeight);
}

void SettingsComponent::centreIpEditor()
{
    auto* editor = ipLabel.getCurrentTextEditor();

    if (editor == nullptr)
        return;

    if (editor->getJustificationType() != juce::Justification::centred)
        editor->setJustification (juce::Justification::centred);

    editor->setColour (juce::TextEditor::highlightedTextColourId, juce::Colours::black);
    editor->setColour (juce::TextEditor::textColourId, juce::Colours::black);
}
