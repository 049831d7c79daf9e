#include "app/IosLookAndFeel.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour dark (0xff282828);

juce::Image blankImage (int width, int height)
{
    return juce::Image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
}

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;

    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;

    return true;
}

int countPaintedPixels (const juce::Image& image)
{
    int count = 0;

    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (image.getPixelAt (x, y).getAlpha() != 0)
                ++count;

    return count;
}

// Colours come back un-premultiplied from the image, so faint edge pixels lose precision.
bool allPaintedPixelsNear (const juce::Image& image, juce::Colour colour, int minimumAlpha)
{
    for (int y = 0; y < image.getHeight(); ++y)
    {
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto pixel = image.getPixelAt (x, y);

            if (pixel.getAlpha() < minimumAlpha)
                continue;

            if (std::abs (pixel.getRed() - colour.getRed()) > 3 || std::abs (pixel.getGreen() - colour.getGreen()) > 3 || std::abs (pixel.getBlue() - colour.getBlue()) > 3)
                return false;
        }
    }

    return true;
}

struct ButtonCorners
{
    bool topLeft, topRight, bottomLeft, bottomRight;
};

/** Draws a button background and reports which extreme corner pixels are filled. */
ButtonCorners filledCorners (IosLookAndFeel& lookAndFeel, int connectedEdges)
{
    juce::TextButton button;
    button.setSize (50, 35);
    button.setConnectedEdges (connectedEdges);

    auto image = blankImage (50, 35);
    {
        juce::Graphics g (image);
        lookAndFeel.drawButtonBackground (g, button, juce::Colours::red, false, false);
    }

    const auto filled = [&image] (int x, int y)
    { return image.getPixelAt (x, y).getAlpha() > 0x80; };
    return {filled (0, 0), filled (49, 0), filled (0, 34), filled (49, 34)};
}

juce::Image drawItem (IosLookAndFeel& lookAndFeel, bool isSeparator, bool isActive, bool isHighlighted, const juce::String& text = "Item", const juce::Colour* textColour = nullptr)
{
    auto image = blankImage (196, 35);
    juce::Graphics g (image);
    lookAndFeel.drawPopupMenuItem (g, {0, 0, 196, 35}, isSeparator, isActive, isHighlighted, false, false, text, {}, nullptr, textColour);
    return image;
}

juce::Image drawReferenceText (const juce::String& text, float fontHeight, juce::Colour colour)
{
    auto image = blankImage (196, 35);
    juce::Graphics g (image);
    g.setColour (colour);
    g.setFont (juce::Font (fontHeight));
    g.drawFittedText (text, {0, 0, 196, 35}, juce::Justification::centred, 1);
    return image;
}

struct SmallPopupFontLook : public IosLookAndFeel
{
    juce::Font getPopupMenuFont() override { return juce::Font (12.0f); }
};
} // namespace

TEST (IosLookAndFeel, CornersAreSquareOnConnectedEdges)
{
    IosLookAndFeel lookAndFeel;

    const auto expectCorners = [&] (int edges, ButtonCorners squareExpected)
    {
        const auto filled = filledCorners (lookAndFeel, edges);
        EXPECT_EQ (filled.topLeft, squareExpected.topLeft) << "edges " << edges;
        EXPECT_EQ (filled.topRight, squareExpected.topRight) << "edges " << edges;
        EXPECT_EQ (filled.bottomLeft, squareExpected.bottomLeft) << "edges " << edges;
        EXPECT_EQ (filled.bottomRight, squareExpected.bottomRight) << "edges " << edges;

        const auto rounded = IosLookAndFeel::roundedCornersFor (edges);
        EXPECT_EQ (rounded.topLeft, !squareExpected.topLeft) << "edges " << edges;
        EXPECT_EQ (rounded.topRight, !squareExpected.topRight) << "edges " << edges;
        EXPECT_EQ (rounded.bottomLeft, !squareExpected.bottomLeft) << "edges " << edges;
        EXPECT_EQ (rounded.bottomRight, !squareExpected.bottomRight) << "edges " << edges;
    };

    expectCorners (0, {false, false, false, false});
    expectCorners (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight, {true, true, true, true});
    expectCorners (juce::Button::ConnectedOnLeft, {true, false, true, false});
    expectCorners (juce::Button::ConnectedOnRight, {false, true, false, true});
    expectCorners (juce::Button::ConnectedOnRight | juce::Button::ConnectedOnBottom, {false, true, true, true});
    expectCorners (juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnBottom, {true, false, true, true});
    expectCorners (juce::Button::ConnectedOnTop, {true, true, false, false});
}

TEST (IosLookAndFeel, ButtonsHaveNoHoverOrPressShading)
{
    IosLookAndFeel lookAndFeel;
    juce::TextButton button;
    button.setSize (50, 35);
    button.setConnectedEdges (juce::Button::ConnectedOnRight);

    const auto draw = [&] (bool highlighted, bool down)
    {
        auto image = blankImage (50, 35);
        juce::Graphics g (image);
        lookAndFeel.drawButtonBackground (g, button, juce::Colour (0xff464646), highlighted, down);
        return image;
    };

    const auto plain = draw (false, false);
    EXPECT_EQ (plain.getPixelAt (25, 17), juce::Colour (0xff464646));
    EXPECT_TRUE (samePixels (plain, draw (true, false)));
    EXPECT_TRUE (samePixels (plain, draw (false, true)));
    EXPECT_TRUE (samePixels (plain, draw (true, true)));
}

TEST (IosLookAndFeel, TextButtonFontHasFixedHeight)
{
    IosLookAndFeel lookAndFeel;
    juce::TextButton button;

    for (const auto height : {10, 35, 200})
        EXPECT_FLOAT_EQ (lookAndFeel.getTextButtonFont (button, height).getHeight(), 14.0f);
}

TEST (IosLookAndFeel, EveryPopupItemAsksForTheSameSize)
{
    IosLookAndFeel lookAndFeel;
    const juce::PopupMenu::Options options;

    for (const auto isSeparator : {false, true})
    {
        for (const auto& text : {juce::String(), juce::String ("A rather long item text that would not fit")})
        {
            int width = 0, height = 0;
            lookAndFeel.getIdealPopupMenuItemSizeWithOptions (text, isSeparator, 17, width, height, options);
            EXPECT_EQ (width, 196);
            EXPECT_EQ (height, 35);
        }
    }
}

TEST (IosLookAndFeel, SeparatorIsATranslucentBand)
{
    IosLookAndFeel lookAndFeel;
    const auto image = drawItem (lookAndFeel, true, true, false);

    for (const auto& point : {juce::Point<int> (0, 0), juce::Point<int> (98, 17), juce::Point<int> (195, 34)})
        EXPECT_EQ (image.getPixelAt (point.x, point.y).getAlpha(), 0x4c);

    EXPECT_TRUE (allPaintedPixelsNear (image, juce::Colour (0xffdcdcdc), 0x4c));
}

TEST (IosLookAndFeel, HighlightOnlyForActiveItems)
{
    IosLookAndFeel lookAndFeel;

    const auto highlighted = drawItem (lookAndFeel, false, true, true);
    EXPECT_EQ (highlighted.getPixelAt (98, 1), juce::Colour (0xffdcdcdc));
    EXPECT_EQ (highlighted.getPixelAt (0, 0).getAlpha(), 0) << "the highlight has rounded corners";

    const auto inactive = drawItem (lookAndFeel, false, false, false);
    EXPECT_TRUE (samePixels (inactive, drawItem (lookAndFeel, false, false, true)));
    EXPECT_EQ (inactive.getPixelAt (98, 1).getAlpha(), 0);

    int strongestAlpha = 0;
    for (int y = 0; y < inactive.getHeight(); ++y)
        for (int x = 0; x < inactive.getWidth(); ++x)
            strongestAlpha = juce::jmax (strongestAlpha, (int) inactive.getPixelAt (x, y).getAlpha());

    EXPECT_GT (strongestAlpha, 0x60);
    EXPECT_LE (strongestAlpha, 0x80) << "inactive text is drawn at half alpha";
}

TEST (IosLookAndFeel, PopupItemTextIsCentredAndCappedAtButtonFontHeight)
{
    IosLookAndFeel lookAndFeel;
    const juce::Colour text (0xffdcdcdc);

    EXPECT_TRUE (samePixels (drawItem (lookAndFeel, false, true, false, "24FPS"), drawReferenceText ("24FPS", 14.0f, text)));

    SmallPopupFontLook smallLook;
    EXPECT_TRUE (samePixels (drawItem (smallLook, false, true, false, "24FPS"), drawReferenceText ("24FPS", 12.0f, text)));

    const juce::Colour own (0xff00ff00);
    EXPECT_TRUE (samePixels (drawItem (lookAndFeel, false, true, false, "24FPS", &own), drawReferenceText ("24FPS", 14.0f, own)));

    EXPECT_FLOAT_EQ (IosLookAndFeel::withHeightAtMost (juce::Font (17.0f), 14.0f).getHeight(), 14.0f);
    EXPECT_FLOAT_EQ (IosLookAndFeel::withHeightAtMost (juce::Font (12.0f), 14.0f).getHeight(), 12.0f);
}

TEST (IosLookAndFeel, PopupBackgroundLeavesTopRowsAndCornersClear)
{
    IosLookAndFeel lookAndFeel;
    auto image = blankImage (196, 100);
    {
        juce::Graphics g (image);
        lookAndFeel.drawPopupMenuBackground (g, 196, 100);
    }

    EXPECT_EQ (image.getPixelAt (98, 0).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (98, 1).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (0, 2).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (195, 99).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (98, 50).getAlpha(), 0xe6);
    EXPECT_TRUE (allPaintedPixelsNear (image, juce::Colour (0xe6353535), 0xe6));
}

TEST (IosLookAndFeel, ComboBoxIsCentredDarkTextOverAHairline)
{
    IosLookAndFeel lookAndFeel;
    juce::ComboBox box;
    box.setLookAndFeel (&lookAndFeel);
    box.setSize (200, 35);
    box.setTextWhenNothingSelected ("Select output");

    const auto empty = box.createComponentSnapshot (box.getLocalBounds());

    EXPECT_GT (empty.getPixelAt (100, 34).getAlpha(), 0) << "hairline along the bottom edge";
    EXPECT_EQ (empty.getPixelAt (100, 33).getAlpha(), 0);
    EXPECT_EQ (empty.getPixelAt (2, 2).getAlpha(), 0) << "no background";
    EXPECT_EQ (empty.getPixelAt (190, 17).getAlpha(), 0) << "no arrow";
    EXPECT_GT (countPaintedPixels (empty), 200 + 20) << "the nothing-selected text is drawn";
    EXPECT_TRUE (allPaintedPixelsNear (empty, dark, 0x60));

    auto* label = dynamic_cast<juce::Label*> (box.getChildComponent (0));
    ASSERT_NE (label, nullptr);
    EXPECT_EQ (label->getBounds(), box.getLocalBounds());
    EXPECT_FLOAT_EQ (label->getFont().getHeight(), 14.0f);
    EXPECT_EQ (label->getJustificationType(), juce::Justification::centred);

    box.setLookAndFeel (nullptr);
}

TEST (IosLookAndFeel, TextEditorsHaveNoBackgroundOrOutline)
{
    IosLookAndFeel lookAndFeel;
    juce::TextEditor editor;
    editor.setLookAndFeel (&lookAndFeel);
    editor.setSize (100, 30);

    EXPECT_EQ (countPaintedPixels (editor.createComponentSnapshot (editor.getLocalBounds())), 0);

    editor.setText ("88");
    const auto withText = editor.createComponentSnapshot (editor.getLocalBounds());
    EXPECT_GT (countPaintedPixels (withText), 0);
    EXPECT_TRUE (allPaintedPixelsNear (withText, juce::Colours::white, 0x60));

    editor.setLookAndFeel (nullptr);
}
