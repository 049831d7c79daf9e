#include "LtcFrame.h"

#include <cmath>

int ltcFrameLength (double sampleRate, int frameRate, int frames) noexcept
{
    const auto position = (frames * sampleRate) / frameRate;
    return static_cast<int> (std::floor (sampleRate / frameRate) + std::round (position) - std::floor (position));
}

int longestLtcFrameLength (double sampleRate) noexcept
{
    return static_cast<int> (std::floor (sampleRate / lowestLtcFrameRate)) + 1;
}

LtcHalfBitStarts ltcHalfBitStarts (int length) noexcept
{
    const auto step = ltcHalfBitsPerFrame / static_cast<double> (length);
    LtcHalfBitStarts starts {};

    for (int halfBit = 0; halfBit < ltcHalfBitsPerFrame; ++halfBit)
    {
        // The first k with k * 160 / length >= halfBit. Only where that product is a whole
        // number can the rounded step put it a hair below, so that k still plays the half-bit
        // before; anywhere else it is at least 1 / length away from a whole number.
        auto k = (halfBit * length + ltcHalfBitsPerFrame - 1) / ltcHalfBitsPerFrame;

        if (static_cast<int> (k * step) < halfBit)
            ++k;

        starts[(size_t) halfBit] = k;
    }

    starts[ltcHalfBitsPerFrame] = length;
    return starts;
}

namespace
{
    void writeField (LtcFrameBits& bits, int firstBit, int width, int value) noexcept
    {
        for (int bit = 0; bit < width; ++bit)
            bits[(size_t) (firstBit + bit)] = (value >> bit) & 1;
    }

    void writeDigits (LtcFrameBits& bits, int unitsBit, int tensBit, int tensWidth, int value, const BcdDigitTable& bcdDigits) noexcept
    {
        const auto& units = bcdDigits[(size_t) (value % 10)];

        for (int bit = 0; bit < 4; ++bit)
            bits[(size_t) (unitsBit + bit)] = units[(size_t) bit];

        writeField (bits, tensBit, tensWidth, value / 10);
    }
} // namespace

void writeTimecodeBits (LtcFrameBits& bits, const TimecodeFields& fields, const BcdDigitTable& bcdDigits) noexcept
{
    writeDigits (bits, 0, 8, 2, fields.frames, bcdDigits);
    writeDigits (bits, 16, 24, 3, fields.seconds, bcdDigits);
    writeDigits (bits, 32, 40, 3, fields.minutes, bcdDigits);
    writeDigits (bits, 48, 56, 2, fields.hours, bcdDigits);
}

int biphaseMarkCode (const LtcFrameBits& bits, int lastLevel, LtcHalfBitLevels& halfBitLevels) noexcept
{
    for (size_t bit = 0; bit < bits.size(); ++bit)
    {
        const auto firstHalf = lastLevel < 0 ? 1 : -1;
        const auto secondHalf = bits[bit] == 1 ? -firstHalf : firstHalf;

        halfBitLevels[2 * bit] = firstHalf;
        halfBitLevels[2 * bit + 1] = secondHalf;
        lastLevel = secondHalf;
    }

    return lastLevel;
}
