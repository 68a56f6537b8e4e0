// Per-thread free lists of display item blocks.
#include "core/items/DisplayItemPool.h"

#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace {
constexpr std::size_t kGranule = 16;
constexpr std::size_t kClasses = 48; // sizes up to 768 bytes are kept

struct FreeBlock
{
    FreeBlock *next;
};

// A kept block is poisoned past its link, so that the address checker still catches a use
// after free.
void Poison([[maybe_unused]] FreeBlock *block, [[maybe_unused]] std::size_t size)
{
#if defined(__SANITIZE_ADDRESS__)
    ASAN_POISON_MEMORY_REGION(block + 1, size - sizeof(FreeBlock));
#endif
}

void Unpoison([[maybe_unused]] FreeBlock *block, [[maybe_unused]] std::size_t size)
{
#if defined(__SANITIZE_ADDRESS__)
    ASAN_UNPOISON_MEMORY_REGION(block, size);
#endif
}

// Set once the thread's lists are gone (at its exit); items freed after that by objects that
// outlive them go straight back to the heap.
thread_local bool t_listsGone = false;

struct ThreadLists
{
    FreeBlock *heads[kClasses] = {};
    int counts[kClasses] = {};

    ~ThreadLists()
    {
        t_listsGone = true;
        for (std::size_t c = 0; c < kClasses; ++c) {
            FreeBlock *&head = heads[c];
            while (head) {
                FreeBlock *next = head->next;
                Unpoison(head, c * kGranule);
                ::operator delete(static_cast<void *>(head));
                head = next;
            }
        }
    }
};

thread_local ThreadLists t_lists;

std::size_t ClassOf(std::size_t size)
{
    return (size + kGranule - 1) / kGranule;
}
} // namespace

void *CDisplayItemPool::Allocate(std::size_t size)
{
    const std::size_t c = ClassOf(size);
    if (c < kClasses && !t_listsGone) {
        if (FreeBlock *block = t_lists.heads[c]) {
            t_lists.heads[c] = block->next;
            --t_lists.counts[c];
            Unpoison(block, c * kGranule);
            return block;
        }
        return ::operator new(c * kGranule);
    }
    return ::operator new(size);
}

void CDisplayItemPool::Release(void *block, std::size_t size) noexcept
{
    if (!block)
        return;
    const std::size_t c = ClassOf(size);
    // A block freed on another thread than it was made on joins this thread's list: every
    // block of a class has the same size, whoever made it.
    if (c < kClasses && !t_listsGone && t_lists.counts[c] < kMaxKept) {
        auto *free = static_cast<FreeBlock *>(block);
        Poison(free, c * kGranule);
        free->next = t_lists.heads[c];
        t_lists.heads[c] = free;
        ++t_lists.counts[c];
        return;
    }
    ::operator delete(block);
}

int CDisplayItemPool::KeptCount(std::size_t size)
{
    const std::size_t c = ClassOf(size);
    return c < kClasses && !t_listsGone ? t_lists.counts[c] : 0;
}
