#include "app/IosLookAndFeel.h"

IosLookAndFeel::IosLookAndFeel()
    : cornerSize (10)
    , textButtonFontHeight (14)
    , popupMenuItemWidth (196)
    , popupMenuItemHeight (35)
{
    setColour (juce::PopupMenu::highlightedBackgroundColourId, juce::Colour (0xffdcdcdc));
    setColour (juce::PopupMenu::highlightedTextColourId, juce::Colour (0xe6353535));
    setColour (juce::PopupMenu::backgroundColourId, juce::Colour (0xe6353535));
    setColour (juce::PopupMenu::textColourId, juce::Colour (0xffdcdcdc));
    setColour (juce::TextEditor::highlightColourId, juce::Colours::darkgrey);
    setColour (juce::TextEditor::highlightedTextColourId, juce::Colours::white);
    setColour (juce::TextEditor::textColourId, juce::Colours::white);
}

IosLookAndFeel::RoundedCorners IosLookAndFeel::roundedCornersFor (int connectedEdgeFlags) noexcept
{
    const auto left = (connectedEdgeFlags & juce::Button::ConnectedOnLeft) != 0;
    const auto right = (connectedEdgeFlags & juce::Button::ConnectedOnRight) != 0;
    const auto top = (connectedEdgeFlags & juce::Button::ConnectedOnTop) != 0;
    const auto bottom = (connectedEdgeFlags & juce::Button::ConnectedOnBottom) != 0;

    return {!(left || top), !(right || top), !(left || bottom), !(right || bottom)};
}

juce::Font IosLookAndFeel::withHeightAtMost (juce::Font font, float maximumHeight)
{
    if (font.getHeight() > maximumHeight)
        font.setHeight (maximumHeight);

    return font;
}

//==============================================================================
void IosLookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour& backgroundColour, bool, bool)
{
    const auto area = button.getLocalBounds().toFloat();
    const auto radius = (float) cornerSize;

    g.setColour (backgroundColour);

    const auto flags = button.getConnectedEdgeFlags();

    if (flags == 0)
    {
        g.fillRoundedRectangle (area, radius);
        return;
    }

    const auto corners = roundedCornersFor (flags);

    juce::Path path;
    path.addRoundedRectangle (area.getX(), area.getY(), area.getWidth(), area.getHeight(), radius, radius, corners.topLeft, corners.topRight, corners.bottomLeft, corners.bottomRight);
    g.fillPath (path);
}

juce::Font IosLookAndFeel::getTextButtonFont (juce::TextButton&, int)
{
    return juce::Font ((float) textButtonFontHeight);
}

void IosLookAndFeel::drawTickBox (juce::Graphics& g, juce::Component& component, float x, float y, float w, float h, bool ticked, bool, bool, bool)
{
    g.setColour (component.findColour (juce::ToggleButton::tickDisabledColourId));
    g.drawRoundedRectangle (x, y, w, h, 4.0f, 1.0f);

    if (ticked)
    {
        const juce::Rectangle<float> tickArea (x + 4.0f, y + 5.0f, juce::jmax (0.0f, w - 8.0f), juce::jmax (0.0f, h - 10.0f));

        g.setColour (component.findColour (juce::ToggleButton::tickColourId));
        auto tick = getTickShape (0.75f);
        g.fillPath (tick, tick.getTransformToScaleToFit (tickArea, false));
    }
}

void IosLookAndFeel::fillTextEditorBackground (juce::Graphics&, int, int, juce::TextEditor&)
{
}

void IosLookAndFeel::drawTextEditorOutline (juce::Graphics&, int, int, juce::TextEditor&)
{
}

void IosLookAndFeel::drawPopupMenuBackground (juce::Graphics& g, int width, int height)
{
    // The top rows stay clear; the menu window is transparent because the colour is not opaque.
    const auto top = (float) juce::jmin (2, height);

    g.setColour (findColour (juce::PopupMenu::backgroundColourId));
    g.fillRoundedRectangle (0.5f, top + 0.5f, juce::jmax (0.0f, (float) width - 1.0f), juce::jmax (0.0f, (float) height - top - 1.0f), (float) cornerSize);
}

void IosLookAndFeel::drawPopupMenuItem (juce::Graphics& g, const juce::Rectangle<int>& area, bool isSeparator, bool isActive, bool isHighlighted, bool, bool, const juce::String& text, const juce::String& shortcutKeyText, const juce::Drawable*, const juce::Colour* textColour)
{
    if (isSeparator)
    {
        g.setColour (findColour (juce::PopupMenu::textColourId).withAlpha ((juce::uint8) 0x4c));
        g.fillRect (area);
        return;
    }

    const auto colour = textColour != nullptr ? *textColour : findColour (juce::PopupMenu::textColourId);

    if (isHighlighted && isActive)
    {
        g.setColour (findColour (juce::PopupMenu::highlightedBackgroundColourId));
        g.fillRoundedRectangle (area.toFloat(), (float) cornerSize);
        g.setColour (findColour (juce::PopupMenu::highlightedTextColourId));
    }
    else
    {
        g.setColour (colour.withMultipliedAlpha (isActive ? 1.0f : 0.5f));
    }

    const auto font = withHeightAtMost (getPopupMenuFont(), (float) textButtonFontHeight);
    g.setFont (font);
    g.drawFittedText (text, area, juce::Justification::centred, 1);

    if (shortcutKeyText.isNotEmpty())
    {
        auto shortcutFont = font;
        shortcutFont.setHeight (font.getHeight() * 0.75f);
        shortcutFont.setHorizontalScale (0.95f);
        g.setFont (shortcutFont);
        g.drawText (shortcutKeyText, area, juce::Justification::centred, true);
    }
}

void IosLookAndFeel::getIdealPopupMenuItemSize (const juce::String&, bool, int, int& idealWidth, int& idealHeight)
{
    idealWidth = popupMenuItemWidth;
    idealHeight = popupMenuItemHeight;
}

void IosLookAndFeel::drawComboBox (juce::Graphics& g, int width, int height, bool, int, int, int, int, juce::ComboBox&)
{
    // The colour stays set: the nothing-selected text is drawn with it right after.
    g.setColour (juce::Colour (0xff282828));
    g.drawLine (0.0f, (float) height, (float) width, (float) height, 1.0f);
}

void IosLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    label.setBounds (0, 0, box.getWidth(), box.getHeight());
    label.setFont (getComboBoxFont (box).withHeight ((float) textButtonFontHeight));
    label.setJustificationType (juce::Justification::centred);
}

void IosLookAndFeel::drawComboBoxTextWhenNothingSelected (juce::Graphics& g, juce::ComboBox& box, juce::Label&)
{
    g.setFont (getComboBoxFont (box).withHeight ((float) textButtonFontHeight));
    g.drawText (box.getTextWhenNothingSelected(), 0, 0, box.getWidth(), box.getHeight(), juce::Justification::centred, true);
}
