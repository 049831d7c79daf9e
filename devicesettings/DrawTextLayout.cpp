#include "devicesettings/DrawTextLayout.h"

#include "devicesettings/DeviceSettingsLogic.h"

void drawTextLayout (juce::Graphics& g,
                     juce::Component& owner,
                     juce::StringRef text,
                     const juce::Rectangle<int>& textBounds,
                     bool enabled)
{
    juce::AttributedString attributedString{text};
    attributedString.setColour (rowTextColour (owner.findColour (juce::ListBox::textColourId, true), enabled));
    attributedString.setFont ((float) textBounds.getHeight() * 0.6f);
    attributedString.setJustification (juce::Justification::centredLeft);
    attributedString.setWordWrap (juce::AttributedString::WordWrap::none);

    juce::TextLayout textLayout;
    textLayout.createLayout (attributedString, (float) textBounds.getWidth(), (float) textBounds.getHeight());
    textLayout.draw (g, textBounds.toFloat());
}
