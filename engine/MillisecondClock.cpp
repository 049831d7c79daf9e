#include "MillisecondClock.h"

#include <juce_core/juce_core.h>

int64_t MillisecondCounterWidener::widen (uint32_t reading) noexcept
{
    // The framework's counter never steps backwards except when it wraps.
    if (reading < lastReading)
        ++wraps;

    lastReading = reading;
    return (wraps << 32) + reading;
}

int64_t monotonicMillisecondCounter()
{
    static MillisecondCounterWidener widener;
    return widener.widen (juce::Time::getMillisecondCounter());
}
