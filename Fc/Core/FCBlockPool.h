#pragma once

#include <cstddef>
#include <cstdint>

// Recycles the small blocks of objects that are made and destroyed by the
// thousand (database records, the nodes of the object containers). A freed
// block goes onto the list of its size class and is handed out again, so a
// table that is read again costs no calls to the general allocator once the
// pool has grown to the size of the data. Memory is taken from the general
// allocator in chunks and kept for reuse until the program ends.
//
// Single-threaded, like the objects it serves. Blocks are aligned as the
// general allocator aligns them (kGranule). Larger blocks than kMaxBlock,
// and every block in a build with address sanitising (so that misuse of a
// freed block is still caught), come from the general allocator.
namespace FCBlockPool
{
constexpr std::size_t kGranule = 16;
constexpr std::size_t kMaxBlock = 512;
constexpr std::size_t kChunkSize = 64 * 1024;

// Never null: an exhausted general allocator fails as operator new does.
void* Allocate(std::size_t size);
// The block must come from Allocate with the same size.
void Free(void* block, std::size_t size);

// Bytes taken from the general allocator for pooled blocks so far.
std::size_t GetReservedBytes();
// False when every block comes from the general allocator.
bool IsPooling();
} // namespace FCBlockPool
