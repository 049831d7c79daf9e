#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>

/** A first-in first-out ring of sample levels. Only reserve allocates, so the audio thread can
    push, pop and clear without allocating. The per-sample operations are inline because the
    block callback calls them for every sample.
*/
class LtcSampleQueue
{
public:
    LtcSampleQueue() = default;

    /** Makes room for at least this many levels. The queued levels are kept in order, and the
        storage never shrinks, so levels queued at one sample rate survive a change to a lower one.
        Not for the audio thread.
    */
    void reserve (int minimumCapacity);

    int size() const noexcept { return count; }
    bool isEmpty() const noexcept { return count == 0; }

    void clear() noexcept
    {
        start = 0;
        count = 0;
    }

    /** Appends level (k) for k = 0 … num - 1, as many as there is room for; the caller keeps
        the queue within its capacity. Works on local copies of the indices, which the stores of
        the levels would otherwise force to be reloaded for every level.
    */
    template <typename LevelFunction>
    void pushEach (int num, LevelFunction&& level) noexcept
    {
        // Never reached while frames fit the reserved room; dropping beats writing out of bounds.
        jassert (num <= capacity - count);
        num = juce::jmin (num, capacity - count);

        auto end = start + count;

        if (end >= capacity)
            end -= capacity;

        auto* const storage = levels.get();
        const auto size = capacity;

        for (int k = 0; k < num; ++k)
        {
            storage[end] = level (k);

            if (++end == size)
                end = 0;
        }

        count += num;
    }

    /** Removes and returns the oldest level; the queue must not be empty. */
    int8_t pop() noexcept
    {
        jassert (count > 0);

        const auto level = levels[start];

        if (++start == capacity)
            start = 0;

        --count;
        return level;
    }

private:
    juce::HeapBlock<int8_t> levels;
    int capacity = 0;
    int start = 0;
    int count = 0;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LtcSampleQueue)
};
