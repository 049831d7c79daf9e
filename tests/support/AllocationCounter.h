#pragma once

#include <cstdint>

/** Counts the calls to the global operator new made by this thread while it exists. The test
    binary replaces the global operators so that they can count.
*/
class ScopedAllocationCounter
{
public:
    ScopedAllocationCounter() noexcept;
    ~ScopedAllocationCounter();

    ScopedAllocationCounter (const ScopedAllocationCounter&) = delete;
    ScopedAllocationCounter& operator= (const ScopedAllocationCounter&) = delete;

    int64_t getCount() const noexcept;
};
