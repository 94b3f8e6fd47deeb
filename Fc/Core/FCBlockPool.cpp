#include "Fc/Core/FCBlockPool.h"

#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define FC_BLOCK_POOL_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FC_BLOCK_POOL_OFF 1
#endif
#endif

namespace FCBlockPool
{
namespace
{
#ifdef FC_BLOCK_POOL_OFF
constexpr bool kPooling = false;
#else
constexpr bool kPooling = true;
#endif

constexpr std::size_t kClassCount = kMaxBlock / kGranule;

struct FreeBlock
{
    FreeBlock* next;
};

// Plain zero-initialised state: records register their prototypes, and so
// allocate, during static initialisation.
FreeBlock* g_free[kClassCount];
unsigned char* g_chunkAt;
unsigned char* g_chunkEnd;
std::size_t g_reserved;
// Every chunk starts with a link to the one before, so the chunks stay
// reachable for leak checkers while their blocks are in use.
void* g_lastChunk;

constexpr std::size_t ClassOf(std::size_t size) { return (size - 1) / kGranule; }

void* Carve(std::size_t blockSize)
{
    if (static_cast<std::size_t>(g_chunkEnd - g_chunkAt) < blockSize)
    {
        // The rest of the old chunk is smaller than one block; it is left
        // unused rather than sorted into the smaller classes.
        auto* chunk = static_cast<unsigned char*>(::operator new(kChunkSize));
        *static_cast<void**>(static_cast<void*>(chunk)) = g_lastChunk;
        g_lastChunk = chunk;
        g_chunkAt = chunk + kGranule;
        g_chunkEnd = chunk + kChunkSize;
        g_reserved += kChunkSize;
    }
    void* block = g_chunkAt;
    g_chunkAt += blockSize;
    return block;
}
} // namespace

void* Allocate(std::size_t size)
{
    if (!kPooling || size == 0 || size > kMaxBlock)
    {
        return ::operator new(size);
    }
    const std::size_t sizeClass = ClassOf(size);
    if (FreeBlock* block = g_free[sizeClass])
    {
        g_free[sizeClass] = block->next;
        return block;
    }
    return Carve((sizeClass + 1) * kGranule);
}

void Free(void* block, std::size_t size)
{
    if (!block)
    {
        return;
    }
    if (!kPooling || size == 0 || size > kMaxBlock)
    {
        ::operator delete(block);
        return;
    }
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    const std::size_t sizeClass = ClassOf(size);
    freed->next = g_free[sizeClass];
    g_free[sizeClass] = freed;
}

std::size_t GetReservedBytes() { return g_reserved; }

bool IsPooling() { return kPooling; }
} // namespace FCBlockPool
