#pragma once

#include "engine/Timecode.h"

#include <array>

/** Bits in one LTC frame; each is coded as two half-bits. */
constexpr int ltcBitsPerFrame = 80;
constexpr int ltcHalfBitsPerFrame = 2 * ltcBitsPerFrame;

/** The lowest frame rate sent, which gives the longest frames. */
constexpr int lowestLtcFrameRate = 24;

/** The bits of one frame, bit 0 first, each 0 or 1. */
using LtcFrameBits = std::array<int, ltcBitsPerFrame>;

/** The biphase-mark levels of one frame, each +1 or -1. */
using LtcHalfBitLevels = std::array<int, ltcHalfBitsPerFrame>;

/** The first sample of each half-bit of a frame, followed by the frame's length. */
using LtcHalfBitStarts = std::array<int, ltcHalfBitsPerFrame + 1>;

/** The four BCD bits of each decimal digit, least significant bit first. */
using BcdDigitTable = std::array<std::array<int, 4>, 10>;

constexpr BcdDigitTable makeBcdDigits() noexcept
{
    BcdDigitTable table{};

    for (int digit = 0; digit < 10; ++digit)
        for (int bit = 0; bit < 4; ++bit)
            table[(size_t) digit][(size_t) bit] = (digit >> bit) & 1;

    return table;
}

/** A frame with every time field, user bit and flag at 0 and the sync word in bits 64 to 79. */
constexpr LtcFrameBits makeLtcFrameTemplate() noexcept
{
    LtcFrameBits bits{};

    for (int bit = 66; bit <= 77; ++bit)
        bits[(size_t) bit] = 1;

    bits[79] = 1;
    return bits;
}

/** Samples in the frame whose frames field is `frames`: floor (sr / rate), plus one where the
    fractional part of frames * sr / rate is at least a half, so that a second of frames spreads
    a fractional frame length evenly.
*/
int ltcFrameLength (double sampleRate, int frameRate, int frames) noexcept;

/** The length of the longest frame at this sample rate, at any frame rate from 24 fps up. */
int longestLtcFrameLength (double sampleRate) noexcept;

/** Where each half-bit starts in a frame of `length` samples: sample k plays half-bit
    trunc (k * step), the product taken in double precision with step = 160.0 / length.
*/
LtcHalfBitStarts ltcHalfBitStarts (int length) noexcept;

/** Writes the BCD time fields into the frame; every other bit is left as it is. */
void writeTimecodeBits (LtcFrameBits& bits, const TimecodeFields& fields, const BcdDigitTable& bcdDigits) noexcept;

/** Biphase-mark codes the frame, continuing from the level of the last half-bit written before
    it: every bit starts with a change of level and a 1 changes level again in its middle.
    Returns the level of the frame's last half-bit.
*/
int biphaseMarkCode (const LtcFrameBits& bits, int lastLevel, LtcHalfBitLevels& halfBitLevels) noexcept;
