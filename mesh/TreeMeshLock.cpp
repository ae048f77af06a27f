#include "TreeMeshLock.h"

#include "MeshLayout.h"
#include "TreeParts.h"
#include "mesh/Mesh.h"

using namespace TreeMeshLayout;

TreeMeshLock::TreeMeshLock(const Tree& tree, const Velk::Mesh& mesh, bool readWind) {
    // The destructor does not run when the constructor throws: what was
    // locked by then is unlocked here.
    locked_.reserve(6); // so that recording a lock cannot fail
    try {
        const Velk::VertexData& vertices = *mesh.sharedVertexData;
        const Velk::VertexBufferBinding& binding = *vertices.vertexBufferBinding;
        arrays_.vertexCount = vertices.vertexCount;
        arrays_.geometry = static_cast<const float*>(lock(*binding.getBuffer(GEOMETRY_SOURCE)));
        arrays_.colours = static_cast<const uint32_t*>(lock(*binding.getBuffer(COLOUR_SOURCE)));
        if (readWind && binding.isBufferBound(WIND_SOURCE))
            wind_ = static_cast<const float*>(lock(*binding.getBuffer(WIND_SOURCE)));
        std::size_t index = 0;
        for (const TreePart part : TreeParts(tree)) {
            if (index >= mesh.getNumSubMeshes()) break;
            const Velk::IndexData& data = *mesh.getSubMesh(index++)->indexData;
            TreeMeshArrays::Part read{nullptr, data.indexCount};
            if (data.indexCount > 0)
                read.indices = static_cast<const uint32_t*>(lock(*data.indexBuffer)) + data.indexStart;
            arrays_.setPart(part, read);
        }
    } catch (...) {
        unlockAll();
        throw;
    }
}

TreeMeshLock::~TreeMeshLock() { unlockAll(); }

const void* TreeMeshLock::lock(Velk::HardwareBuffer& buffer) {
    const void* data = buffer.lock(Velk::HardwareBuffer::LOCK_READ_ONLY);
    locked_.push_back(&buffer);
    return data;
}

void TreeMeshLock::unlockAll() {
    for (Velk::HardwareBuffer* buffer : locked_) buffer->unlock();
    locked_.clear();
}
