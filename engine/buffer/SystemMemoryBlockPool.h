#pragma once

#include <cstddef> // Required for: std::byte, std::size_t
#include <memory>  // Required for: std::unique_ptr
#include <vector>  // Required for: std::vector

namespace Velk {

// Memory blocks of dropped system-memory buffers, kept for reuse. A request
// takes the smallest kept block that holds it without wasting more than its
// own size again; anything else is fresh memory, left uninitialised.
class SystemMemoryBlockPool {
public:
    struct Block {
        std::unique_ptr<std::byte[]> bytes;
        std::size_t capacity = 0;
    };

    // maxBlocks, maxBytes: the most blocks, and bytes in all, kept at once.
    SystemMemoryBlockPool(std::size_t maxBlocks, std::size_t maxBytes)
        : maxBlocks_(maxBlocks), maxBytes_(maxBytes) {}

    // A block of at least `size` bytes.
    Block acquire(std::size_t size);
    // Keeps `block` for reuse, or frees it when the pool is full; the oldest
    // kept blocks go first.
    void release(Block block);

    std::size_t getBlockCount() const { return blocks_.size(); }
    std::size_t getBytes() const { return bytes_; }

private:
    std::size_t maxBlocks_;
    std::size_t maxBytes_;
    std::vector<Block> blocks_; // oldest first
    std::size_t bytes_ = 0;
};

} // namespace Velk
