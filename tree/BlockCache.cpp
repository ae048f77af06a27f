#include "BlockCache.h"

// Blocks are kept as they come back, still in the caches. Flushing large ones
// instead, so that the next tree would not have to take each line back from
// the other core, paid 15-20 % on one 2-core machine but made regrowth four
// times slower on another, where the flush alone was half the time.

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
    free_.emplace(bytes, Block{p, alignment});
    cachedBytes_ += bytes;
}
