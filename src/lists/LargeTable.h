#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace bw {

// An allocator for tables read at random places: one of some megabytes is
// laid on huge pages where the system offers them, since on ordinary pages
// nearly every lookup of a large table misses the address cache as well.
template <typename T>
struct LargeTableAllocator {
    using value_type = T;

    static constexpr std::size_t hugePage = std::size_t(2) << 20;

    LargeTableAllocator() = default;
    template <typename U>
    LargeTableAllocator(const LargeTableAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n)
    {
        const std::size_t bytes = n * sizeof(T);
        if (bytes < hugePage)
            return std::allocator<T>().allocate(n);
        const std::size_t rounded = (bytes + hugePage - 1) / hugePage * hugePage;
        void* p = std::aligned_alloc(hugePage, rounded);
        if (!p)
            throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
        madvise(p, rounded, MADV_HUGEPAGE);
#endif
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t n) noexcept
    {
        if (n * sizeof(T) < hugePage)
            std::allocator<T>().deallocate(p, n);
        else
            std::free(p);
    }

    template <typename U>
    bool operator==(const LargeTableAllocator<U>&) const noexcept
    {
        return true;
    }
};

} // namespace bw
