#include "engine/Timecode.h"

#include <gtest/gtest.h>

#include <limits>

TEST (TicksToFrames, TruncatesTheFractionalFrameAtEachRate)
{
    EXPECT_EQ (ticksToFrames (6, 24), 4);
    EXPECT_EQ (ticksToFrames (6, 25), 4);
    EXPECT_EQ (ticksToFrames (29, 24), 23);
    EXPECT_EQ (ticksToFrames (29, 25), 24);
    EXPECT_EQ (ticksToFrames (36, 24), 28);
    EXPECT_EQ (ticksToFrames (36, 25), 29);
    EXPECT_EQ (ticksToFrames (45, 25), 37);

    for (const auto rate : { 24, 25, 30 })
        EXPECT_EQ (ticksToFrames (30, rate), rate);
}

TEST (TicksToFrames, UsesTheConstantAndNotFiveSixths)
{
    // 0.83333 is slightly below 5/6, so multiples of 6 fall one frame short of the exact value.
    EXPECT_EQ (ticksToFrames (12, 25), 9);
    EXPECT_EQ (ticksToFrames (18, 25), 14);
    EXPECT_EQ (ticksToFrames (24, 25), 19);
}

TEST (TicksToFrames, NegativePositionsTruncateTowardZero)
{
    EXPECT_EQ (ticksToFrames (-31, 24), -24);
    EXPECT_EQ (ticksToFrames (-31, 25), -25);
    EXPECT_EQ (ticksToFrames (-31, 30), -31);
    EXPECT_EQ (ticksToFrames (-1, 24), 0);
    EXPECT_EQ (ticksToFrames (-1, 25), 0);
}

TEST (TicksToFrames, OtherRatesHaveNoValue)
{
    EXPECT_FALSE (ticksToFrames (30, 0).has_value());
    EXPECT_FALSE (ticksToFrames (30, 29).has_value());
}

TEST (TicksToFrames, ExtremePositionsStayInRange)
{
    const auto maxTicks = std::numeric_limits<int>::max();
    EXPECT_EQ (ticksToFrames (maxTicks, 24), (maxTicks / 30) * 24 + 5);
    EXPECT_LT (*ticksToFrames (std::numeric_limits<int>::min(), 25), 0);
}

TEST (FramesToTimecode, SplitsAndWrapsAtTwentyFourHours)
{
    const auto oneHour = framesToTimecode (108000, 30);
    EXPECT_EQ (oneHour.hours, 1);
    EXPECT_EQ (oneHour.minutes, 0);
    EXPECT_EQ (oneHour.seconds, 0);
    EXPECT_EQ (oneHour.frames, 0);

    const auto wrapped = framesToTimecode (2592000, 30);
    EXPECT_EQ (wrapped.hours + wrapped.minutes + wrapped.seconds + wrapped.frames, 0);

    const auto last = framesToTimecode (2592000 - 1, 30);
    EXPECT_EQ (last.hours, 23);
    EXPECT_EQ (last.minutes, 59);
    EXPECT_EQ (last.seconds, 59);
    EXPECT_EQ (last.frames, 29);

    const auto mixed = framesToTimecode (93079, 25);
    EXPECT_EQ (mixed.hours, 1);
    EXPECT_EQ (mixed.minutes, 2);
    EXPECT_EQ (mixed.seconds, 3);
    EXPECT_EQ (mixed.frames, 4);

    EXPECT_EQ (framesToTimecode (26, 25).seconds, 1);
    EXPECT_EQ (framesToTimecode (26, 25).frames, 1);
    EXPECT_EQ (framesToTimecode (24 * 3600 * 24 + 23, 24).frames, 23);
}

TEST (ClockFields, DisplayAndEntryArithmetic)
{
    const auto last = clockFieldsOf (2591999);
    EXPECT_EQ (last.hours, 23);
    EXPECT_EQ (last.minutes, 59);
    EXPECT_EQ (last.seconds, 59);
    EXPECT_EQ (last.hundredths, 96);

    EXPECT_EQ (clockFieldsOf (2700000).hours, 25);
    EXPECT_EQ (clockFieldsOf (-30).seconds, -1);

    EXPECT_EQ (positionOfClockFields ({ 23, 59, 59, 99 }), 2591999);
    EXPECT_EQ (positionOfClockFields ({ 0, 0, 0, 51 }), 15);
    EXPECT_EQ (positionOfClockFields ({ 0, 0, 0, 99 }), 29);

    for (int hundredths = 0; hundredths < 100; ++hundredths)
        EXPECT_EQ (positionOfClockFields ({ 0, 0, 0, hundredths }), (3 * hundredths) / 10);
}

TEST (WrappingAdd, WrapsAtTheThirtyTwoBitLimits)
{
    EXPECT_EQ (wrappingAdd (std::numeric_limits<int32_t>::max(), 1), std::numeric_limits<int32_t>::min());
    EXPECT_EQ (wrappingAdd (std::numeric_limits<int32_t>::min(), -1), std::numeric_limits<int32_t>::max());
    EXPECT_EQ (wrappingAdd (41, 1), 42);
    // Entered fields restored from a stored start near the limit must not overflow either.
    EXPECT_EQ (positionOfClockFields ({ 19884, 59, 59, 0 }),
               static_cast<int32_t> (static_cast<uint32_t> ((int64_t { 19884 } * 3600 + 3599) * 30)));
}
