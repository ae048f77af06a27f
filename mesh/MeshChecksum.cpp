#include "MeshChecksum.h"

#include "mesh/Mesh.h"

#include <cstddef> // Required for: std::byte, std::size_t

using namespace Velk;

namespace {

constexpr uint64_t FNV_OFFSET = 14695981039346656037ull;
constexpr uint64_t FNV_PRIME = 1099511628211ull;

// Folds the whole buffer into the hash.
uint64_t hashBuffer(uint64_t hash, HardwareBuffer& buffer) {
    const auto* bytes = static_cast<const unsigned char*>(buffer.lock(HardwareBuffer::LOCK_READ_ONLY));
    for (std::size_t i = 0; i < buffer.getSizeInBytes(); ++i) hash = (hash ^ bytes[i]) * FNV_PRIME;
    buffer.unlock();
    return hash;
}

} // namespace

uint64_t meshChecksum(const Mesh& mesh) {
    uint64_t hash = FNV_OFFSET;
    if (mesh.sharedVertexData)
        for (const auto& [source, buffer] : mesh.sharedVertexData->vertexBufferBinding->getBindings())
            hash = hashBuffer(hash, *buffer);
    for (std::size_t i = 0; i < mesh.getNumSubMeshes(); ++i) {
        const auto& indexBuffer = mesh.getSubMesh(i)->indexData->indexBuffer;
        if (indexBuffer) hash = hashBuffer(hash, *indexBuffer);
    }
    return hash;
}
