#include "EntryValidation.h"

#include <algorithm>
#include <limits>

namespace
{
    constexpr int64_t belowIntRange = int64_t{ std::numeric_limits<int>::min() } - 1;
    constexpr int64_t aboveIntRange = int64_t{ std::numeric_limits<int>::max() } + 1;

    // The C library's white space in the "C" locale; other Unicode spaces do not count.
    bool isCWhitespace (juce::juce_wchar c) noexcept
    {
        return c == ' ' || (c >= '\t' && c <= '\r');
    }

    bool isDecimalDigit (juce::juce_wchar c) noexcept
    {
        return c >= '0' && c <= '9';
    }
} // namespace

std::optional<int64_t> readLeadingDecimal (const juce::String& text)
{
    auto p = text.getCharPointer();

    while (isCWhitespace (*p))
        ++p;

    const auto negative = *p == '-';

    if (*p == '-' || *p == '+')
        ++p;

    if (! isDecimalDigit (*p))
        return std::nullopt;

    // The magnitude stops growing one step past the range, so that long digit runs cannot overflow.
    const auto limit = negative ? -belowIntRange : aboveIntRange;
    int64_t magnitude = 0;

    for (; isDecimalDigit (*p); ++p)
        magnitude = std::min (magnitude * 10 + (*p - '0'), limit);

    return negative ? -magnitude : magnitude;
}

std::optional<int> readIntegerEntry (const juce::String& text)
{
    const auto value = readLeadingDecimal (text);

    if (! value.has_value() || *value <= belowIntRange || *value >= aboveIntRange)
        return std::nullopt;

    return static_cast<int> (*value);
}
