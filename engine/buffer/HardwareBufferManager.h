#pragma once

#include "buffer/HardwareBufferBackend.h"
#include "buffer/HardwareIndexBuffer.h"
#include "buffer/HardwareVertexBuffer.h"
#include "core/Singleton.h"

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::unique_ptr

namespace Velk {

// Creates the engine's vertex and index buffers. Every buffer comes from the
// backend given at construction, system memory by default; a renderer
// constructs the manager with its own backend, and nothing that fills
// buffers changes. Buffers may outlive the manager only where their backend
// allows it (system memory does).
class HardwareBufferManager : public Singleton<HardwareBufferManager> {
public:
    static constexpr const char* singletonName = "HardwareBufferManager";

    // Manager over system-memory buffers.
    HardwareBufferManager();
    // Manager over `backend`'s buffers; throws when backend is null.
    explicit HardwareBufferManager(std::unique_ptr<HardwareBufferBackend> backend);
    ~HardwareBufferManager();

    // A buffer of `numVertices` vertices of `vertexSize` bytes. Throws when
    // either is zero or their product does not fit in memory sizes.
    HardwareVertexBufferSharedPtr createVertexBuffer(std::size_t vertexSize, std::size_t numVertices,
                                                     HardwareBuffer::Usage usage,
                                                     bool useShadowBuffer = false);
    // A buffer of `numIndexes` indices of `type`. Throws when numIndexes is
    // zero or the size does not fit in memory sizes.
    HardwareIndexBufferSharedPtr createIndexBuffer(HardwareIndexBuffer::IndexType type,
                                                   std::size_t numIndexes,
                                                   HardwareBuffer::Usage usage,
                                                   bool useShadowBuffer = false);

    HardwareBufferBackend& getBackend() { return *backend_; }

private:
    std::unique_ptr<HardwareBufferBackend> backend_;
};

} // namespace Velk
