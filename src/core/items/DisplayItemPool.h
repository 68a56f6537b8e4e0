// Storage for display items. A view makes and frees thousands of them each time it shows
// another period; blocks of the few sizes they come in are kept on per-thread free lists and
// reused instead of going back to the general heap each time.
#pragma once

#include <cstddef>

class CDisplayItemPool
{
  public:
    static void *Allocate(std::size_t size);
    static void Release(void *block, std::size_t size) noexcept;

    // Blocks kept free per size on one thread; beyond it they go back to the heap.
    static constexpr int kMaxKept = 16384;
    // Blocks of the size kept free on this thread.
    static int KeptCount(std::size_t size);
};
