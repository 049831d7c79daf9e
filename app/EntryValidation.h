#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <optional>

/** The number at the start of a text as C's strtol reads it in base 10: leading white space, an
    optional sign, then decimal digits up to the first other character. Nothing when no digit
    begins the number. A value beyond the 32-bit range comes back as one step past that range, so
    callers can tell it apart without overflowing.
*/
std::optional<int64_t> readLeadingDecimal (const juce::String& text);

/** Reads a typed clock-field value the way std::stoi does (leading white space, optional sign,
    decimal digits, anything after them ignored). Nothing when no digit begins the number or the
    value is outside the 32-bit range. Never throws.
*/
std::optional<int> readIntegerEntry (const juce::String& text);

