#pragma once

#include <juce_core/juce_core.h>

/** True for a dotted-decimal IPv4 address: four parts of one to three decimal digits, each 0 to
    255, without leading zeros (the system's address parser reads those as octal, or falls back to
    a name lookup). Such a text is used as it is, without asking any name service.
*/
bool isNumericIpv4Address (const juce::String& text);
