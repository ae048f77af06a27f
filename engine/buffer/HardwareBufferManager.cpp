#include "buffer/HardwareBufferManager.h"

#include "buffer/SystemMemoryBufferBackend.h"
#include "core/Exception.h"

#include <limits> // Required for: std::numeric_limits
#include <string> // Required for: std::to_string
#include <utility> // Required for: std::move

namespace Velk {

namespace {

// Throws unless count elements of elementSize bytes make a non-empty block
// whose size fits in std::size_t.
void checkSize(std::size_t elementSize, std::size_t count, const char* what, const char* operation) {
    if (elementSize == 0 || count == 0)
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    std::string("cannot create an empty buffer: ") + what + " is " +
                        std::to_string(elementSize) + " bytes x " + std::to_string(count),
                    operation);
    if (count > std::numeric_limits<std::size_t>::max() / elementSize)
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    std::string("cannot create the buffer: ") + std::to_string(count) + " " + what +
                        " of " + std::to_string(elementSize) + " bytes overflow the size type",
                    operation);
}

} // namespace

HardwareBufferManager::HardwareBufferManager()
    : HardwareBufferManager(std::make_unique<SystemMemoryBufferBackend>()) {}

HardwareBufferManager::HardwareBufferManager(std::unique_ptr<HardwareBufferBackend> backend)
    : backend_(std::move(backend)) {
    if (!backend_)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "cannot create the manager without a buffer backend",
                    "HardwareBufferManager::HardwareBufferManager");
}

HardwareBufferManager::~HardwareBufferManager() = default;

HardwareVertexBufferSharedPtr HardwareBufferManager::createVertexBuffer(std::size_t vertexSize,
                                                                        std::size_t numVertices,
                                                                        HardwareBuffer::Usage usage,
                                                                        bool useShadowBuffer) {
    checkSize(vertexSize, numVertices, "vertices", "HardwareBufferManager::createVertexBuffer");
    const std::size_t bytes = vertexSize * numVertices;
    return std::make_shared<HardwareVertexBuffer>(
        backend_->createStorage(HardwareBufferBackend::Target::Vertex, bytes, usage, useShadowBuffer),
        vertexSize, numVertices, usage, useShadowBuffer);
}

HardwareIndexBufferSharedPtr HardwareBufferManager::createIndexBuffer(HardwareIndexBuffer::IndexType type,
                                                                      std::size_t numIndexes,
                                                                      HardwareBuffer::Usage usage,
                                                                      bool useShadowBuffer) {
    const std::size_t indexSize = HardwareIndexBuffer::indexSize(type);
    checkSize(indexSize, numIndexes, "indices", "HardwareBufferManager::createIndexBuffer");
    return std::make_shared<HardwareIndexBuffer>(
        backend_->createStorage(HardwareBufferBackend::Target::Index, indexSize * numIndexes, usage,
                                useShadowBuffer),
        type, numIndexes, usage, useShadowBuffer);
}

} // namespace Velk
