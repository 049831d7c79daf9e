#include "LtcSampleQueue.h"

void LtcSampleQueue::reserve (int minimumCapacity)
{
    if (minimumCapacity <= capacity)
        return;

    juce::HeapBlock<float> grown ((size_t) minimumCapacity);

    for (int i = 0; i < count; ++i)
        grown[i] = samples[(start + i) % capacity];

    samples.swapWith (grown);
    capacity = minimumCapacity;
    start = 0;
}
