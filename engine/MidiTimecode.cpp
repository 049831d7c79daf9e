#include "MidiTimecode.h"

std::optional<int> quarterFramesPerSecond (int frameRate)
{
    if (frameRate == 24 || frameRate == 25 || frameRate == 30)
        return frameRate * 4;

    return std::nullopt;
}

std::array<uint8_t, 8> quarterFrameDataBytes (const TimecodeFields& time, int frameRate)
{
    // Rate codes 0, 1 and 3; 2 (29.97 drop-frame) is never sent.
    const auto rateCode = frameRate == 30 ? 3 : (frameRate == 25 ? 1 : 0);

    const int nibbles[] = {time.frames & 15,
                           time.frames >> 4,
                           time.seconds & 15,
                           time.seconds >> 4,
                           time.minutes & 15,
                           time.minutes >> 4,
                           time.hours & 15,
                           (time.hours >> 4) + (rateCode << 1)};

    std::array<uint8_t, 8> bytes{};

    for (int piece = 0; piece < 8; ++piece)
        bytes[(size_t) piece] = (uint8_t) ((piece << 4) | nibbles[piece]);

    return bytes;
}
