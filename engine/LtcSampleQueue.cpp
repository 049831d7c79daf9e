#include "LtcSampleQueue.h"

void LtcSampleQueue::reserve (int minimumCapacity)
{
    if (minimumCapacity <= capacity)
        return;

    juce::HeapBlock<int8_t> grown ((size_t) minimumCapacity);

    for (int i = 0; i < count; ++i)
        grown[i] = levels[(start + i) % capacity];

    levels.swapWith (grown);
    capacity = minimumCapacity;
    start = 0;
}
