#pragma once

#include <cstdint>

/** Widens readings of the 32-bit millisecond counter, which wraps after about 49.7 days, into a
    monotonic 64-bit count by counting the wraps. Readings must be taken in order.
*/
class MillisecondCounterWidener
{
public:
    int64_t widen (uint32_t reading) noexcept;

private:
    uint32_t lastReading = 0;
    int64_t wraps = 0;
};

/** juce::Time::getMillisecondCounter, widened to 64 bits; for the message thread. */
int64_t monotonicMillisecondCounter();
