#pragma once

#include <juce_core/juce_core.h>

#include <algorithm>

/** A first-in first-out ring of output samples. Only reserve allocates, so the audio thread can
    push, pop and clear without allocating. Everything the block callback calls is inline,
    because it runs for every sample.
*/
class LtcSampleQueue
{
public:
    LtcSampleQueue() = default;

    /** Makes room for at least this many samples. The queued samples are kept in order, and the
        storage never shrinks, so samples queued at one sample rate survive a change to a lower
        one. Not for the audio thread.
    */
    void reserve (int minimumCapacity);

    int size() const noexcept { return count; }
    bool isEmpty() const noexcept { return count == 0; }

    void clear() noexcept
    {
        start = 0;
        count = 0;
    }

    /** Appends num copies of sample, as many as there is room for; the caller keeps the queue
        within its capacity.
    */
    void push (float sample, int num) noexcept
    {
        // Never reached while frames fit the reserved room; dropping beats writing out of bounds.
        jassert (num <= capacity - count);
        num = juce::jmin (num, capacity - count);

        auto end = start + count;

        if (end >= capacity)
            end -= capacity;

        const auto beforeWrap = juce::jmin (num, capacity - end);
        std::fill_n (samples.get() + end, beforeWrap, sample);
        std::fill_n (samples.get(), num - beforeWrap, sample);
        count += num;
    }

    /** Removes and returns the oldest sample; the queue must not be empty. */
    float pop() noexcept
    {
        jassert (count > 0);

        const auto sample = samples[start];

        if (++start == capacity)
            start = 0;

        --count;
        return sample;
    }

    /** Moves up to num of the oldest samples to destination in order, asking shouldGoOn() before
        each one and stopping at the first false. Returns how many were moved.
    */
    template <typename Condition>
    int popWhile (float* destination, int num, Condition&& shouldGoOn) noexcept
    {
        num = juce::jmin (num, count);
        int moved = 0;

        // In at most two stretches, up to the end of the storage and on from its start, each
        // copied without a wrap test per sample.
        while (moved < num)
        {
            const auto stretch = juce::jmin (num - moved, capacity - start);
            const auto* source = samples.get() + start;
            int k = 0;

            while (k < stretch && shouldGoOn())
            {
                destination[moved + k] = source[k];
                ++k;
            }

            moved += k;
            count -= k;
            start += k;

            if (start == capacity)
                start = 0;

            if (k < stretch)
                break;
        }

        return moved;
    }

private:
    juce::HeapBlock<float> samples;
    int capacity = 0;
    int start = 0;
    int count = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LtcSampleQueue)
};
