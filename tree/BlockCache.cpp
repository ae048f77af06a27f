#include "BlockCache.h"

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
