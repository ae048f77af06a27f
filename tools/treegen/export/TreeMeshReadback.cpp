#include "TreeMeshReadback.h"

#include "MeshLayout.h"
#include "Tree.h"
#include "mesh/Mesh.h"

TreeMeshReadback::TreeMeshReadback(const Velk::Mesh& mesh, const Tree& tree) {
    using namespace TreeMeshLayout;
    const Velk::VertexData& vertices = *mesh.sharedVertexData;
    const auto& binding = *vertices.vertexBufferBinding;
    view_.vertexCount = vertices.vertexCount;
    view_.geometry = static_cast<const float*>(lock(*binding.getBuffer(GEOMETRY_SOURCE)));
    view_.colours = static_cast<const uint32_t*>(lock(*binding.getBuffer(COLOUR_SOURCE)));
    if (binding.isBufferBound(WIND_SOURCE))
        view_.wind = static_cast<const float*>(lock(*binding.getBuffer(WIND_SOURCE)));

    // Bark first, then leaves when the tree planned any, then the markers of type 0.
    std::vector<ExportMaterial> order{ExportMaterial::Bark};
    if (tree.leafCount > 0) order.push_back(ExportMaterial::Leaves);
    if (hasFrameMarkers(*tree.params)) order.push_back(ExportMaterial::Markers);
    for (size_t i = 0; i < mesh.getNumSubMeshes() && i < order.size(); ++i) {
        const Velk::IndexData& indexData = *mesh.getSubMesh(i)->indexData;
        ExportPrimitive primitive;
        primitive.material = order[i];
        primitive.indexCount = indexData.indexCount;
        if (indexData.indexCount > 0)
            primitive.indices = static_cast<const uint32_t*>(lock(*indexData.indexBuffer)) +
                                indexData.indexStart;
        view_.primitives.push_back(primitive);
    }
}

TreeMeshReadback::~TreeMeshReadback() {
    for (Velk::HardwareBuffer* buffer : locked_) buffer->unlock();
}

const void* TreeMeshReadback::lock(Velk::HardwareBuffer& buffer) {
    const void* data = buffer.lock(Velk::HardwareBuffer::LOCK_READ_ONLY);
    locked_.push_back(&buffer);
    return data;
}
