#include "Ipv4Address.h"

bool isNumericIpv4Address (const juce::String& text)
{
    // Called for every Art-Net frame, so it walks the characters rather than splitting the text.
    int parts = 0;
    int digits = 0;
    int value = 0;

    for (auto p = text.getCharPointer();; ++p)
    {
        const auto c = *p;

        if (c >= '0' && c <= '9')
        {
            if (digits == 3 || (digits == 1 && value == 0))
                return false;

            value = value * 10 + (int) (c - '0');
            ++digits;

            if (value > 255)
                return false;

            continue;
        }

        if (digits == 0)
            return false;

        ++parts;

        if (c == 0)
            return parts == 4;

        if (c != '.' || parts == 4)
            return false;

        digits = 0;
        value = 0;
    }
}
