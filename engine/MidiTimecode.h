#pragma once

#include "engine/Timecode.h"

#include <array>
#include <cstdint>
#include <optional>

/** Quarter-frame messages per second at a frame rate: 96, 100 or 120 at 24, 25 or 30 fps; no
    value at any other rate, which has no MIDI timecode rate code here.
*/
std::optional<int> quarterFramesPerSecond (int frameRate);

/** The data bytes of the eight quarter-frame messages (each after the status byte 0xF1) that
    describe a timecode, piece 0 first: piece p is (p << 4) | nibble, with the frame, second,
    minute and hour nibbles low half first, and the rate code in piece 7. The rate must be
    24, 25 or 30.
*/
std::array<uint8_t, 8> quarterFrameDataBytes (const TimecodeFields& time, int frameRate);
