#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Draws the text of one row of a device-settings list into its bounds, on one line, centred
    vertically, in the owner list's text colour; a disabled row's text is drawn faded.
*/
void drawTextLayout (juce::Graphics& g,
                     juce::Component& owner,
                     juce::StringRef text,
                     const juce::Rectangle<int>& textBounds,
                     bool enabled);
