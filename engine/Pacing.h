#pragma once

#include <array>
#include <cstdint>

/** How one paced item moves: due when now > nextDueTime + lead; the due time then advances by the
    step of the current cycle position. Rates whose period is a whole number of milliseconds use a
    single step and leave the cycle position alone.
*/
struct PacingRow
{
    int lead;
    std::array<int, 3> steps;
    bool usesCycle;
};

/** The clock's thirtieth of a second: lead 30, steps 33, 33, 34. */
const PacingRow& clockStepPacing();

/** One Art-Net frame at 24, 25 or 30 fps; nullptr at any other rate. */
const PacingRow* artNetFramePacing (int frameRate);

/** One MIDI timecode block of two frames at 24, 25 or 30 fps; nullptr at any other rate. */
const PacingRow* mtcBlockPacing (int frameRate);

/** Takes at most one step: if now > nextDueTime + lead, advances nextDueTime (and pacingCycle
    0 -> 1 -> 2 -> 0 where the row cycles) and returns true.
*/
bool takeStepIfDue (int64_t& nextDueTime, uint8_t& pacingCycle, const PacingRow& row, int64_t now);

/** The MIDI device watch of the tick: at a timer interval below 501 ms it acts on every 251st call
    (counter counts up; acts when the value before the increment was 250 or more, then resets to 0);
    at 501 ms or more on every call (and resets the counter to 0).
*/
bool midiWatchDue (int32_t& midiWatchCounter, int timerIntervalMs);

/** The periodic save of the running tick: true (and the counter back to 0) when the counter equals
    1000, otherwise the counter goes up by one; so every 1001st running tick saves.
*/
bool periodicSaveDue (int32_t& saveCounter);
