#include "BlockCache.h"

#include <cstdint> // Required for: std::uintptr_t

#if defined(__SSE2__)
#include <emmintrin.h> // Required for: _mm_clflush
#endif

namespace {

// Blocks below this size are left in the caches: a core's own cache may
// still hold them when the next tree writes them.
constexpr std::size_t EVICT_MIN_BYTES = std::size_t(256) << 10;
constexpr std::size_t CACHE_LINE_BYTES = 64;

// Writes a returned block back to memory and drops it from every core's
// cache. A large tree is grown and meshed on two threads, so when it goes,
// its lines sit in both cores' caches; the next tree, writing the same
// block, would first have to take every line back from the other core,
// which costs more than writing memory that no cache holds (a regrowth of
// the largest trees 10-20 % slower).
void evict(void* memory, std::size_t bytes) {
#if defined(__SSE2__)
    if (bytes < EVICT_MIN_BYTES) return;
    // Every line the block touches, the first and last partly too. No
    // fence: a later write to a line is ordered after its flush anyway.
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(memory);
    for (std::uintptr_t line = start & ~std::uintptr_t(CACHE_LINE_BYTES - 1); line < start + bytes;
         line += CACHE_LINE_BYTES)
        _mm_clflush(reinterpret_cast<const void*>(line));
#else
    (void)memory;
    (void)bytes;
#endif
}

} // namespace

void BlockCache::release() {
    for (const auto& [size, block] : free_) upstream_->deallocate(block.memory, size, block.alignment);
    free_.clear();
    cachedBytes_ = 0;
}

void* BlockCache::do_allocate(std::size_t bytes, std::size_t alignment) {
    // An exact size first; the block sizes of growing arenas repeat.
    auto found = free_.find(bytes);
    if (found != free_.end() && found->second.alignment >= alignment) {
        void* memory = found->second.memory;
        cachedBytes_ -= bytes;
        free_.erase(found);
        return memory;
    }
    return upstream_->allocate(bytes, alignment);
}

void BlockCache::do_deallocate(void* p, std::size_t bytes, std::size_t alignment) {
    evict(p, bytes);
    free_.emplace(bytes, Block{p, alignment});
    cachedBytes_ += bytes;
}
