#pragma once

#include "buffer/HardwareBufferBackend.h"

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::shared_ptr

namespace Velk {

class SystemMemoryBlockPool;

// Buffers in plain process memory: the backend when no renderer runs, so
// meshes can be built, read back and checked by tools and tests without a
// graphics driver. Locking returns the memory itself; nothing is copied.
//
// Memory of dropped buffers is kept for the next buffers: regrowing a tree
// drops one mesh and builds one of much the same size, and fresh memory from
// the system costs a page fault per page on first write, often more than
// writing the mesh itself.
class SystemMemoryBufferBackend : public HardwareBufferBackend {
public:
    // Blocks kept for reuse at most, and the most bytes they may hold together.
    static constexpr std::size_t MAX_KEPT_BLOCKS = 8;
    static constexpr std::size_t MAX_KEPT_BYTES = std::size_t(256) << 20;

    SystemMemoryBufferBackend();
    ~SystemMemoryBufferBackend() override;

    std::unique_ptr<HardwareBufferStorage> createStorage(Target target, std::size_t sizeInBytes,
                                                         HardwareBuffer::Usage usage,
                                                         bool useShadowBuffer) override;
    const char* getName() const override { return "system memory"; }

    // Blocks and bytes kept for reuse now.
    std::size_t getKeptBlockCount() const;
    std::size_t getKeptBytes() const;

private:
    // Shared with every storage made here, so a buffer that outlives the
    // backend still has somewhere to return its memory.
    std::shared_ptr<SystemMemoryBlockPool> pool_;
};

} // namespace Velk
