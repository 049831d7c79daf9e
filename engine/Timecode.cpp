#include "Timecode.h"

std::optional<int> ticksToFrames (int ticks, int frameRate)
{
    const auto seconds = ticks / ticksPerSecond;
    const auto remainder = ticks % ticksPerSecond;

    switch (frameRate)
    {
        case 24: return seconds * 24 + static_cast<int> (remainder * 0.8);
        case 25: return seconds * 25 + static_cast<int> (remainder * 0.83333);
        case 30: return ticks;
        default: return std::nullopt;
    }
}

TimecodeFields framesToTimecode (int frameCounter, int frameRate)
{
    TimecodeFields fields;
    fields.frames = frameCounter % frameRate;
    fields.seconds = (frameCounter / frameRate) % 60;
    fields.minutes = ((frameCounter / 60) / frameRate) % 60;
    fields.hours = ((frameCounter / 3600) / frameRate) % 24;
    return fields;
}

ClockFields clockFieldsOf (int position)
{
    ClockFields fields;
    fields.hours = position / 108000;
    fields.minutes = (position / 1800) % 60;
    fields.seconds = (position / ticksPerSecond) % 60;
    fields.hundredths = ((position % ticksPerSecond) * 100) / ticksPerSecond;
    return fields;
}

int positionOfClockFields (const ClockFields& fields)
{
    // Fields restored from a stored start can be far beyond 24 hours; wrap rather than overflow.
    const auto wholeSeconds = int64_t { fields.hours } * 3600 + int64_t { fields.minutes } * 60 + fields.seconds;
    const auto position = wholeSeconds * ticksPerSecond + static_cast<int> (fields.hundredths * 0.3);
    return static_cast<int32_t> (static_cast<uint32_t> (position));
}
