#pragma once

#include "buffer/HardwareBuffer.h"

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::shared_ptr

namespace Velk {

// A hardware buffer of vertex numbers, read by one submesh's index data.
// Made by HardwareBufferManager::createIndexBuffer.
class HardwareIndexBuffer : public HardwareBuffer {
public:
    // Width of one index.
    enum IndexType {
        INDEX_16BIT, // unsigned 16-bit
        INDEX_32BIT, // unsigned 32-bit
    };

    HardwareIndexBuffer(std::unique_ptr<HardwareBufferStorage> storage, IndexType type,
                        std::size_t numIndexes, Usage usage, bool useShadowBuffer);

    IndexType getType() const { return type_; }
    std::size_t getNumIndexes() const { return numIndexes_; }
    std::size_t getIndexSize() const { return indexSize(type_); }

    // Bytes of one index of `type`: 2 or 4.
    static std::size_t indexSize(IndexType type) { return type == INDEX_32BIT ? 4 : 2; }

private:
    IndexType type_;
    std::size_t numIndexes_;
};

// Index buffers are shared by the index data that draws them and whoever fills them.
using HardwareIndexBufferSharedPtr = std::shared_ptr<HardwareIndexBuffer>;

} // namespace Velk
