#include "engine/MillisecondClock.h"
#include "engine/Pacing.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
    /** The first millisecond after dueTime at which the row takes a step. */
    int64_t firstStepTime (const PacingRow& row, int64_t dueTime)
    {
        uint8_t cycle = 0;

        for (auto now = dueTime;; ++now)
        {
            auto due = dueTime;
            if (takeStepIfDue (due, cycle, row, now))
                return now;
        }
    }

    /** Ticks every millisecond for the given time and returns the times at which steps came. */
    std::vector<int64_t> stepTimes (const PacingRow& row, int64_t start, int milliseconds)
    {
        auto due = start;
        uint8_t cycle = 0;
        std::vector<int64_t> times;

        for (auto now = start; now < start + milliseconds; ++now)
            if (takeStepIfDue (due, cycle, row, now))
                times.push_back (now);

        return times;
    }
} // namespace

TEST (Pacing, FirstStepComesAfterTheLead)
{
    constexpr int64_t start = 5000;

    EXPECT_EQ (firstStepTime (clockStepPacing(), start), start + 31);
    EXPECT_EQ (firstStepTime (*artNetFramePacing (30), start), start + 32);
    EXPECT_EQ (firstStepTime (*mtcBlockPacing (30), start), start + 65);
    EXPECT_EQ (firstStepTime (*artNetFramePacing (24), start), start + 40);
    EXPECT_EQ (firstStepTime (*mtcBlockPacing (25), start), start + 78);
}

TEST (Pacing, ThreeStepCyclesKeepTheExactAveragePeriod)
{
    const auto periodOfThree = [] (const PacingRow& row)
    {
        int64_t due = 0;
        uint8_t cycle = 0;

        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE (takeStepIfDue (due, cycle, row, 1'000'000));

        EXPECT_EQ (cycle, 0);
        return due;
    };

    EXPECT_EQ (periodOfThree (clockStepPacing()), 100);
    EXPECT_EQ (periodOfThree (*artNetFramePacing (24)), 125);
    EXPECT_EQ (periodOfThree (*artNetFramePacing (25)), 120);
    EXPECT_EQ (periodOfThree (*artNetFramePacing (30)), 100);
    EXPECT_EQ (periodOfThree (*mtcBlockPacing (24)), 250);
    EXPECT_EQ (periodOfThree (*mtcBlockPacing (25)), 240);
    EXPECT_EQ (periodOfThree (*mtcBlockPacing (30)), 200);

    // Over a long run at 1 ms ticks: 30 clock steps and 24 frames per second, with no drift.
    EXPECT_EQ (stepTimes (clockStepPacing(), 0, 60'000 + 31).size(), 1800u);
    EXPECT_EQ (stepTimes (*artNetFramePacing (24), 0, 60'000 + 40).size(), 1440u);
    EXPECT_EQ (stepTimes (*mtcBlockPacing (30), 0, 60'000 + 65).size(), 900u);
}

TEST (Pacing, CyclesRunOnFromWhereTheyStood)
{
    int64_t due = 0;
    uint8_t cycle = 2;

    EXPECT_TRUE (takeStepIfDue (due, cycle, clockStepPacing(), 100));
    EXPECT_EQ (due, 34);
    EXPECT_EQ (cycle, 0);

    EXPECT_TRUE (takeStepIfDue (due, cycle, *mtcBlockPacing (30), 1000));
    EXPECT_EQ (due, 34 + 67);
    EXPECT_EQ (cycle, 1);
}

TEST (Pacing, WholeMillisecondRatesLeaveTheCycleAlone)
{
    for (const auto* row : { artNetFramePacing (25), mtcBlockPacing (25) })
    {
        const auto step = row == artNetFramePacing (25) ? 40 : 80;

        for (const uint8_t initial : { 0, 1, 2 })
        {
            int64_t due = 0;
            uint8_t cycle = initial;

            for (int i = 1; i <= 4; ++i)
            {
                ASSERT_TRUE (takeStepIfDue (due, cycle, *row, 10'000));
                EXPECT_EQ (due, i * step);
                EXPECT_EQ (cycle, initial);
            }
        }
    }
}

TEST (Pacing, ClockTickLateBy100MillisecondsTakesThreeStepsOverThreeTicks)
{
    int64_t due = 0;
    uint8_t cycle = 0;

    EXPECT_TRUE (takeStepIfDue (due, cycle, clockStepPacing(), 100));
    EXPECT_EQ (due, 33);
    EXPECT_TRUE (takeStepIfDue (due, cycle, clockStepPacing(), 101));
    EXPECT_EQ (due, 66);
    EXPECT_TRUE (takeStepIfDue (due, cycle, clockStepPacing(), 102));
    EXPECT_EQ (due, 100);
    EXPECT_FALSE (takeStepIfDue (due, cycle, clockStepPacing(), 103));
    EXPECT_FALSE (takeStepIfDue (due, cycle, clockStepPacing(), 130));
    EXPECT_TRUE (takeStepIfDue (due, cycle, clockStepPacing(), 131));
}

TEST (MidiWatch, EveryCallWhileStoppedAndEvery251stWhileRunning)
{
    int32_t counter = 0;

    for (int call = 1; call <= 3; ++call)
    {
        EXPECT_TRUE (midiWatchDue (counter, 1000));
        EXPECT_EQ (counter, 0);
    }

    EXPECT_TRUE (midiWatchDue (counter, 501));

    std::vector<int> actingCalls;
    for (int call = 1; call <= 1000; ++call)
        if (midiWatchDue (counter, 1))
            actingCalls.push_back (call);

    EXPECT_EQ (actingCalls, (std::vector<int>{ 251, 502, 753 }));

    // The interval decides, so 500 ms still counts.
    counter = 249;
    EXPECT_FALSE (midiWatchDue (counter, 500));
    EXPECT_TRUE (midiWatchDue (counter, 500));

    // A stopped tick resets the count, so the next running watch is 251 calls away again.
    counter = 100;
    EXPECT_TRUE (midiWatchDue (counter, 1000));
    int calls = 1;
    while (! midiWatchDue (counter, 1))
        ++calls;
    EXPECT_EQ (calls, 251);
}

TEST (PeriodicSave, EveryThousandAndFirstCall)
{
    int32_t counter = 0;
    std::vector<int> savingCalls;

    for (int call = 1; call <= 2500; ++call)
        if (periodicSaveDue (counter))
            savingCalls.push_back (call);

    EXPECT_EQ (savingCalls, (std::vector<int>{ 1001, 2002 }));
    EXPECT_EQ (counter, 2500 - 2002);
}

TEST (MillisecondCounterWidener, KeepsRisingAcrossTheWrap)
{
    MillisecondCounterWidener widener;

    const auto before = widener.widen (0xffff'fff0u);
    EXPECT_EQ (before, 0xffff'fff0);
    EXPECT_EQ (widener.widen (0xffff'ffffu), before + 15);
    EXPECT_EQ (widener.widen (0u), before + 16);
    EXPECT_EQ (widener.widen (5u), before + 21);
    EXPECT_EQ (widener.widen (5u), before + 21);

    // A second wrap later on adds another 2^32.
    EXPECT_EQ (widener.widen (0xffff'fff0u), before + (int64_t{ 1 } << 32));
    EXPECT_EQ (widener.widen (0x10u), before + (int64_t{ 1 } << 32) + 32);
}

TEST (MillisecondCounterWidener, PacingNeitherStallsNorBurstsAcrossTheWrap)
{
    MillisecondCounterWidener widener;
    uint32_t reading = 0xffff'ffffu - 2000;

    int64_t due = widener.widen (reading);
    uint8_t cycle = 0;
    std::vector<int64_t> steps;

    for (int tick = 0; tick < 4000; ++tick)
    {
        ++reading; // wraps to 0 half way
        const auto now = widener.widen (reading);

        if (takeStepIfDue (due, cycle, clockStepPacing(), now))
            steps.push_back (now);
    }

    ASSERT_EQ (steps.size(), 120u);

    for (size_t i = 1; i < steps.size(); ++i)
    {
        const auto gap = steps[i] - steps[i - 1];
        EXPECT_TRUE (gap == 33 || gap == 34) << "gap of " << gap << " ms at step " << i;
    }
}
