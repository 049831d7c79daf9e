#include "AllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
    thread_local bool counting = false;
    thread_local int64_t allocations = 0;

    void* allocate (std::size_t size) noexcept
    {
        if (counting)
            ++allocations;

        return std::malloc (size == 0 ? 1 : size);
    }

    void* allocateAligned (std::size_t size, std::align_val_t alignment) noexcept
    {
        if (counting)
            ++allocations;

        const auto align = static_cast<std::size_t> (alignment);
        void* result = nullptr;
        return ::posix_memalign (&result, align < sizeof (void*) ? sizeof (void*) : align, size == 0 ? 1 : size) == 0 ? result : nullptr;
    }

    void* allocateOrThrow (std::size_t size)
    {
        if (auto* result = allocate (size))
            return result;

        throw std::bad_alloc();
    }

    void* allocateAlignedOrThrow (std::size_t size, std::align_val_t alignment)
    {
        if (auto* result = allocateAligned (size, alignment))
            return result;

        throw std::bad_alloc();
    }
} // namespace

ScopedAllocationCounter::ScopedAllocationCounter() noexcept
{
    allocations = 0;
    counting = true;
}

ScopedAllocationCounter::~ScopedAllocationCounter()
{
    counting = false;
}

int64_t ScopedAllocationCounter::getCount() const noexcept
{
    return allocations;
}

// Every form of the global operators is replaced, so that each allocation and its release meet
// the same allocator (sanitizers check that they match).
void* operator new (std::size_t size) { return allocateOrThrow (size); }
void* operator new[] (std::size_t size) { return allocateOrThrow (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept { return allocate (size); }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept { return allocate (size); }
void* operator new (std::size_t size, std::align_val_t alignment) { return allocateAlignedOrThrow (size, alignment); }
void* operator new[] (std::size_t size, std::align_val_t alignment) { return allocateAlignedOrThrow (size, alignment); }
void* operator new (std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept { return allocateAligned (size, alignment); }
void* operator new[] (std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept { return allocateAligned (size, alignment); }

void operator delete (void* block) noexcept { std::free (block); }
void operator delete[] (void* block) noexcept { std::free (block); }
void operator delete (void* block, std::size_t) noexcept { std::free (block); }
void operator delete[] (void* block, std::size_t) noexcept { std::free (block); }
void operator delete (void* block, const std::nothrow_t&) noexcept { std::free (block); }
void operator delete[] (void* block, const std::nothrow_t&) noexcept { std::free (block); }
void operator delete (void* block, std::align_val_t) noexcept { std::free (block); }
void operator delete[] (void* block, std::align_val_t) noexcept { std::free (block); }
void operator delete (void* block, std::size_t, std::align_val_t) noexcept { std::free (block); }
void operator delete[] (void* block, std::size_t, std::align_val_t) noexcept { std::free (block); }
void operator delete (void* block, std::align_val_t, const std::nothrow_t&) noexcept { std::free (block); }
void operator delete[] (void* block, std::align_val_t, const std::nothrow_t&) noexcept { std::free (block); }
