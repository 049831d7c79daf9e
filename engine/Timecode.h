#pragma once

#include <cstdint>
#include <optional>

/** Hours, minutes, seconds and frames of a timecode. */
struct TimecodeFields
{
    int frames = 0;
    int seconds = 0;
    int minutes = 0;
    int hours = 0;
};

/** Hours, minutes, seconds and hundredths as the clock fields show them. */
struct ClockFields
{
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    int hundredths = 0;
};

/** The clock runs in thirtieths of a second. */
constexpr int ticksPerSecond = 30;

/** The last clock position within 24 hours (23:59:59 and 29/30). */
constexpr int lastPositionOfDay = 24 * 3600 * ticksPerSecond - 1;

/** Converts a clock position in thirtieths of a second into a frame count at 24, 25 or 30 fps.
    Truncating arithmetic throughout, so negative positions round toward zero; at 25 fps the
    constant 0.83333 is used rather than 5/6. Any other rate has no value.
*/
std::optional<int> ticksToFrames (int ticks, int frameRate);

/** Splits a frame count into timecode fields; the hours wrap at 24. The rate must be positive. */
TimecodeFields framesToTimecode (int frameCounter, int frameRate);

/** The display fields of a clock position, hours not reduced to 24. */
ClockFields clockFieldsOf (int position);

/** The clock position that the four entered fields describe. */
int positionOfClockFields (const ClockFields& fields);

/** Adds with two's complement wrap-around, so counters at the 32-bit limit never overflow. */
constexpr int32_t wrappingAdd (int32_t value, int32_t delta) noexcept
{
    return static_cast<int32_t> (static_cast<uint32_t> (value) + static_cast<uint32_t> (delta));
}
