#include "TimedMidiQueue.h"

namespace
{
    int following (int index) noexcept
    {
        return (index + 1) % TimedMidiQueue::capacity;
    }
} // namespace

bool TimedMidiQueue::push (const TimedMidiMessage& message) noexcept
{
    const auto write = writeIndex.load (std::memory_order_relaxed);

    if (following (write) == readIndex.load (std::memory_order_acquire))
        return false;

    messages[(size_t) write] = message;
    writeIndex.store (following (write), std::memory_order_release);
    return true;
}

const TimedMidiMessage* TimedMidiQueue::front() const noexcept
{
    const auto read = readIndex.load (std::memory_order_relaxed);

    if (read == writeIndex.load (std::memory_order_acquire))
        return nullptr;

    return &messages[(size_t) read];
}

void TimedMidiQueue::pop() noexcept
{
    readIndex.store (following (readIndex.load (std::memory_order_relaxed)), std::memory_order_release);
}

void TimedMidiQueue::clear() noexcept
{
    readIndex = 0;
    writeIndex = 0;
}
