#include "Pacing.h"

#include <cstddef>

namespace
{
    // Fractional periods are built from whole milliseconds in threes: 33 + 33 + 34 = 100 for three
    // thirtieths, 42 + 42 + 41 = 125 for three 24 fps frames. A 25 fps period is whole.
    constexpr PacingRow clockStep{ 30, { 33, 33, 34 }, true };

    constexpr PacingRow artNetFrame24{ 39, { 42, 42, 41 }, true };
    constexpr PacingRow artNetFrame25{ 37, { 40, 40, 40 }, false };
    constexpr PacingRow artNetFrame30{ 31, { 33, 33, 34 }, true };

    constexpr PacingRow mtcBlock24{ 81, { 83, 83, 84 }, true };
    constexpr PacingRow mtcBlock25{ 77, { 80, 80, 80 }, false };
    constexpr PacingRow mtcBlock30{ 64, { 67, 67, 66 }, true };

    const PacingRow* rowForRate (int frameRate, const PacingRow& at24, const PacingRow& at25, const PacingRow& at30)
    {
        switch (frameRate)
        {
            case 24:
                return &at24;
            case 25:
                return &at25;
            case 30:
                return &at30;
            default:
                return nullptr;
        }
    }

    constexpr int midiWatchTimerThresholdMs = 501;
    constexpr int32_t skippedTicksBetweenMidiWatches = 250;
    constexpr int32_t skippedTicksBetweenSaves = 1000;
} // namespace

const PacingRow& clockStepPacing()
{
    return clockStep;
}

const PacingRow* artNetFramePacing (int frameRate)
{
    return rowForRate (frameRate, artNetFrame24, artNetFrame25, artNetFrame30);
}

const PacingRow* mtcBlockPacing (int frameRate)
{
    return rowForRate (frameRate, mtcBlock24, mtcBlock25, mtcBlock30);
}

bool takeStepIfDue (int64_t& nextDueTime, uint8_t& pacingCycle, const PacingRow& row, int64_t now)
{
    if (now <= nextDueTime + row.lead)
        return false;

    if (row.usesCycle)
    {
        const auto position = pacingCycle % 3;
        nextDueTime += row.steps[static_cast<std::size_t> (position)];
        pacingCycle = static_cast<uint8_t> ((position + 1) % 3);
    }
    else
    {
        nextDueTime += row.steps[0];
    }

    return true;
}

bool midiWatchDue (int32_t& midiWatchCounter, int timerIntervalMs)
{
    // While the clock runs (1 ms ticks) listing the MIDI devices every tick would be too costly.
    if (timerIntervalMs < midiWatchTimerThresholdMs && midiWatchCounter < skippedTicksBetweenMidiWatches)
    {
        ++midiWatchCounter;
        return false;
    }

    midiWatchCounter = 0;
    return true;
}

bool periodicSaveDue (int32_t& saveCounter)
{
    if (saveCounter == skippedTicksBetweenSaves)
    {
        saveCounter = 0;
        return true;
    }

    ++saveCounter;
    return false;
}
