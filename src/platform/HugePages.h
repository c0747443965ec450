#pragma once

#include <cstddef>
#include <new>

// Large blocks that are filled right after they are made (a grid's rows and cell texts, the keys of
// a sort) are backed by huge pages where the system allows it: a grid of a year's records would
// otherwise cost thousands of page faults, each dearer than filling its page.

inline constexpr size_t kHugePageBytes = size_t(2) << 20;

// Asks for huge pages for the whole huge pages inside the block; nothing happens where the system
// has no such advice.
void adviseHugePages(const void *begin, size_t bytes);

// Allocates blocks of a huge page or more aligned to huge pages, and advised so.
template<typename T> struct HugePageAllocator
{
    using value_type = T;

    HugePageAllocator() = default;
    template<typename U> HugePageAllocator(const HugePageAllocator<U> &) noexcept { }

    T *allocate(size_t count)
    {
        const size_t bytes = count * sizeof(T);
        if (bytes < kHugePageBytes)
            return static_cast<T *>(::operator new(bytes));
        void *block = ::operator new(bytes, std::align_val_t(kHugePageBytes));
        adviseHugePages(block, bytes);
        return static_cast<T *>(block);
    }
    void deallocate(T *block, size_t count) noexcept
    {
        if (count * sizeof(T) < kHugePageBytes)
            ::operator delete(block);
        else
            ::operator delete(block, std::align_val_t(kHugePageBytes));
    }
    friend bool operator==(const HugePageAllocator &, const HugePageAllocator &) { return true; }
};
