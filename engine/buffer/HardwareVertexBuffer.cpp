#include "buffer/HardwareVertexBuffer.h"

#include "buffer/HardwareBufferBackend.h"

#include <utility> // Required for: std::move

namespace Velk {

HardwareVertexBuffer::HardwareVertexBuffer(std::unique_ptr<HardwareBufferStorage> storage,
                                           std::size_t vertexSize, std::size_t numVertices,
                                           Usage usage, bool useShadowBuffer)
    : HardwareBuffer(std::move(storage), vertexSize * numVertices, usage, useShadowBuffer),
      vertexSize_(vertexSize), numVertices_(numVertices) {}

} // namespace Velk
