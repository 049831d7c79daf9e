#include "devicesettings/MidiInputSelectorComponentListBox.h"

#include "devicesettings/DrawTextLayout.h"

ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::MidiInputSelectorComponentListBox (juce::AudioDeviceManager& managerToUse,
                                                                                                        const juce::String& noItemsText)
    : juce::ListBox ({}, nullptr)
    , manager (managerToUse)
    , noItemsMessage (noItemsText)
{
    updateDevices();
    setModel (this);
    setOutlineThickness (1);
}

void ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::updateDevices()
{
    items = juce::MidiInput::getAvailableDevices();
}

void ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::paint (juce::Graphics& g)
{
    juce::ListBox::paint (g);

    if (items.isEmpty())
    {
        g.setColour (juce::Colours::grey);
        g.setFont (0.5f * (float) getRowHeight());
        g.drawText (noItemsMessage, 0, 0, getWidth(), getHeight() / 2, juce::Justification::centred, true);
    }
}

int ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::getNumRows()
{
    return items.size();
}

void ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::paintListBoxItem (int row,
                                                                                            juce::Graphics& g,
                                                                                            int width,
                                                                                            int height,
                                                                                            bool rowIsSelected)
{
    if (!juce::isPositiveAndBelow (row, items.size()))
        return;

    if (rowIsSelected)
        g.fillAll (findColour (juce::TextEditor::highlightColourId).withMultipliedAlpha (0.3f));

    const auto& item = items.getReference (row);
    const auto enabled = manager.isMidiInputDeviceEnabled (item.identifier);

    // The tick box ends at the row height, like the squares of the channel lists.
    const auto tickX = getRowHeight();
    const auto tickSize = (float) height * 0.75f;

    getLookAndFeel().drawTickBox (g, *this, (float) tickX - tickSize, ((float) height - tickSize) * 0.5f, tickSize, tickSize, enabled, true, true, false);

    drawTextLayout (g, *this, item.name, {tickX + 5, 0, width - tickX - 5, height}, enabled);
}

void ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::listBoxItemClicked (int row, const juce::MouseEvent& e)
{
    selectRow (row);

    if (e.x < getRowHeight())
        flipEnablement (row);
}

void ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::listBoxItemDoubleClicked (int row, const juce::MouseEvent&)
{
    flipEnablement (row);
}

void ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::returnKeyPressed (int row)
{
    flipEnablement (row);
}

void ZarnAudioDeviceSelectorComponent::MidiInputSelectorComponentListBox::flipEnablement (int row)
{
    if (!juce::isPositiveAndBelow (row, items.size()))
        return;

    const auto identifier = items[row].identifier;
    manager.setMidiInputDeviceEnabled (identifier, !manager.isMidiInputDeviceEnabled (identifier));
}
