#pragma once

#include "Fc/Core/FCBlockPool.h"

#include <cstddef>

// A standard allocator over FCBlockPool, for the nodes of node-based
// containers. Stateless: any two compare equal, so containers swap freely.
template <class T>
struct FCBlockAllocator
{
    using value_type = T;

    FCBlockAllocator() = default;
    template <class U>
    FCBlockAllocator(const FCBlockAllocator<U>&) noexcept
    {
    }

    static_assert(alignof(T) <= FCBlockPool::kGranule, "the pool aligns blocks to its granule only");

    T* allocate(std::size_t count) { return static_cast<T*>(FCBlockPool::Allocate(count * sizeof(T))); }
    void deallocate(T* block, std::size_t count) noexcept { FCBlockPool::Free(block, count * sizeof(T)); }

    template <class U>
    bool operator==(const FCBlockAllocator<U>&) const noexcept
    {
        return true;
    }
};
