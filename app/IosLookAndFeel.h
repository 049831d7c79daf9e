#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The program's own look: flat rounded buttons that square their corners on connected edges,
    translucent dark popup menus with fixed-size centred items, combo boxes drawn as centred text
    over a hairline, and text editors without background or outline.

    Each owner keeps its own instance, declared before the components that use it.
*/
class IosLookAndFeel : public juce::LookAndFeel_V4
{
public:
    IosLookAndFeel();

    /** Which corners of a button are rounded: a corner is square when either of its edges is connected. */
    struct RoundedCorners
    {
        bool topLeft = true;
        bool topRight = true;
        bool bottomLeft = true;
        bool bottomRight = true;
    };

    /** The rounded corners for a combination of juce::Button::ConnectedEdgeFlags. */
    static RoundedCorners roundedCornersFor (int connectedEdgeFlags) noexcept;

    /** The font with its height lowered to maximumHeight when it is taller; a smaller font stays. */
    static juce::Font withHeightAtMost (juce::Font font, float maximumHeight);

    //==============================================================================
    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;

    void drawTickBox (juce::Graphics&, juce::Component&, float x, float y, float w, float h, bool ticked, bool isEnabled, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    void fillTextEditorBackground (juce::Graphics&, int width, int height, juce::TextEditor&) override;
    void drawTextEditorOutline (juce::Graphics&, int width, int height, juce::TextEditor&) override;

    void drawPopupMenuBackground (juce::Graphics&, int width, int height) override;

    void drawPopupMenuItem (juce::Graphics&, const juce::Rectangle<int>& area, bool isSeparator, bool isActive, bool isHighlighted, bool isTicked, bool hasSubMenu, const juce::String& text, const juce::String& shortcutKeyText, const juce::Drawable* icon, const juce::Colour* textColour) override;

    void getIdealPopupMenuItemSize (const juce::String& text, bool isSeparator, int standardMenuItemHeight, int& idealWidth, int& idealHeight) override;

    void drawComboBox (juce::Graphics&, int width, int height, bool isButtonDown, int buttonX, int buttonY, int buttonW, int buttonH, juce::ComboBox&) override;

    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;

    void drawComboBoxTextWhenNothingSelected (juce::Graphics&, juce::ComboBox&, juce::Label&) override;

    //==============================================================================
    /** Corner radius of buttons, popup menus and highlighted items; also used by the settings panel. */
    const int cornerSize;

    /** Font height of text buttons and combo boxes, and the largest popup-item font. */
    const int textButtonFontHeight;

    const int popupMenuItemWidth;
    const int popupMenuItemHeight;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (IosLookAndFeel)
};
