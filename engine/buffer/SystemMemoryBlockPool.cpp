#include "buffer/SystemMemoryBlockPool.h"

#include <utility> // Required for: std::move

namespace Velk {

SystemMemoryBlockPool::Block SystemMemoryBlockPool::acquire(std::size_t size) {
    std::size_t best = blocks_.size();
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const std::size_t capacity = blocks_[i].capacity;
        // Written as capacity - size <= size so that it cannot overflow.
        if (capacity >= size && capacity - size <= size &&
            (best == blocks_.size() || capacity < blocks_[best].capacity))
            best = i;
    }
    if (best == blocks_.size()) return {std::unique_ptr<std::byte[]>(new std::byte[size]), size};
    Block block = std::move(blocks_[best]);
    blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(best));
    bytes_ -= block.capacity;
    return block;
}

void SystemMemoryBlockPool::release(Block block) {
    if (block.capacity > maxBytes_) return;
    while (!blocks_.empty() && (blocks_.size() >= maxBlocks_ || bytes_ > maxBytes_ - block.capacity)) {
        bytes_ -= blocks_.front().capacity;
        blocks_.erase(blocks_.begin());
    }
    if (maxBlocks_ == 0) return;
    bytes_ += block.capacity;
    blocks_.push_back(std::move(block));
}

} // namespace Velk
