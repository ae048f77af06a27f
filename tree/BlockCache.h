#pragma once

#include <cstddef>         // Required for: std::size_t
#include <map>             // Required for: std::multimap
#include <memory_resource> // Required for: std::pmr::memory_resource

// A memory resource that keeps the blocks it is given back and hands them
// out again for requests of about the same size. A tree takes its memory in
// a few large, geometrically growing blocks and frees them all at once, so
// the next tree asks for the same sizes: with a cache that outlives the
// trees, regrowing touches memory that is already mapped instead of
// faulting in fresh pages every time.
class BlockCache : public std::pmr::memory_resource {
public:
    explicit BlockCache(std::pmr::memory_resource* upstream = std::pmr::new_delete_resource())
        : upstream_(upstream) {}
    ~BlockCache() override { release(); }
    BlockCache(const BlockCache&) = delete;
    BlockCache& operator=(const BlockCache&) = delete;

    // Gives every cached block back upstream.
    void release();
    // Bytes held in cached (free) blocks.
    std::size_t cachedBytes() const { return cachedBytes_; }

private:
    void* do_allocate(std::size_t bytes, std::size_t alignment) override;
    void do_deallocate(void* p, std::size_t bytes, std::size_t alignment) override;
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    struct Block {
        void* memory;
        std::size_t alignment;
    };
    std::pmr::memory_resource* upstream_;
    std::multimap<std::size_t, Block> free_; // by size
    std::size_t cachedBytes_ = 0;
};
