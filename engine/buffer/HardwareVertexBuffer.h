#pragma once

#include "buffer/HardwareBuffer.h"

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::shared_ptr

namespace Velk {

// A hardware buffer of vertices of one fixed size, bound to one source of a
// vertex declaration. Made by HardwareBufferManager::createVertexBuffer.
class HardwareVertexBuffer : public HardwareBuffer {
public:
    HardwareVertexBuffer(std::unique_ptr<HardwareBufferStorage> storage, std::size_t vertexSize,
                         std::size_t numVertices, Usage usage, bool useShadowBuffer);

    std::size_t getVertexSize() const { return vertexSize_; }
    std::size_t getNumVertices() const { return numVertices_; }

private:
    std::size_t vertexSize_;
    std::size_t numVertices_;
};

// Vertex buffers are shared by the binding that draws them and whoever fills them.
using HardwareVertexBufferSharedPtr = std::shared_ptr<HardwareVertexBuffer>;

} // namespace Velk
