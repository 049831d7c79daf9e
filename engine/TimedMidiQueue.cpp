#include "TimedMidiQueue.h"

bool TimedMidiQueue::push (const TimedMidiMessage& message) noexcept
{
    const auto scope = fifo.write (1);

    if (scope.blockSize1 == 0)
        return false;

    messages[(size_t) scope.startIndex1] = message;
    return true;
}

const TimedMidiMessage* TimedMidiQueue::front() const noexcept
{
    if (fifo.getNumReady() == 0)
        return nullptr;

    int start1 = 0, size1 = 0, start2 = 0, size2 = 0;
    fifo.prepareToRead (1, start1, size1, start2, size2);
    return &messages[(size_t) start1];
}

void TimedMidiQueue::pop() noexcept
{
    fifo.finishedRead (1);
}

void TimedMidiQueue::clear() noexcept
{
    fifo.reset();
}
