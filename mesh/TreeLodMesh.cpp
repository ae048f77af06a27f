// Levels of detail as engine meshes, for the demonstration and the renderer.
#include "TreeLodMesh.h"

#include "MeshLayout.h"
#include "TreeVertexDeclaration.h"
#include "Tree.h"
#include "TreeLodChain.h"
#include "TreeMeshLock.h"
#include "TreeParts.h"
#include "TreeWind.h"
#include "buffer/HardwareBufferManager.h"
#include "math/AxisAlignedBox.h"
#include "math/Math.h"
#include "mesh/MeshManager.h"

#include <cstring>    // Required for: std::memcpy

using namespace Velk;
using namespace TreeMeshLayout;

namespace {

// Copies `data` into a new static buffer.
template <class Buffer> void fill(Buffer& buffer, const void* data, std::size_t bytes) {
    void* out = buffer.lock(HardwareBuffer::LOCK_DISCARD);
    std::memcpy(out, data, bytes);
    buffer.unlock();
}

// Adds a submesh over the shared vertices with the given indices; one
// without indices gets no buffer (an empty buffer is an engine error).
void addPart(Mesh& mesh, const std::vector<uint32_t>& indices) {
    SubMesh* sub = mesh.createSubMesh();
    sub->useSharedVertices = true;
    sub->indexData->indexCount = indices.size();
    if (indices.empty()) return;
    sub->indexData->indexBuffer = HardwareBufferManager::getSingleton().createIndexBuffer(
        HardwareIndexBuffer::INDEX_32BIT, indices.size(), HardwareBuffer::USAGE_STATIC_WRITE_ONLY, false);
    fill(*sub->indexData->indexBuffer, indices.data(), indices.size() * sizeof(uint32_t));
}

} // namespace

std::vector<TreeLod> buildTreeLods(const Tree& tree, const Mesh& mesh, std::size_t reduced) {
    const TreeMeshLock full(tree, mesh);
    return buildTreeLods(tree, full.arrays(), reduced);
}

std::optional<TreeLod> fitTriangleBudget(const Tree& tree, const Mesh& mesh, std::size_t maxTriangles,
                                         std::size_t& smallest) {
    const TreeMeshLock full(tree, mesh);
    return fitTriangleBudget(tree, full.arrays(), maxTriangles, smallest);
}

Mesh* buildLodMesh(const TreeLod& lod, const Tree& tree, const std::string& name) {
    const MeshPtr mesh = MeshManager::getSingleton().createManual(name);
    mesh->sharedVertexData = std::make_unique<VertexData>();
    VertexData& vertexData = *mesh->sharedVertexData;
    VertexDeclaration& declaration = *vertexData.vertexDeclaration;
    declareTreeVertices(declaration);

    const std::size_t vertices = lod.vertexCount();
    vertexData.vertexCount = vertices;
    HardwareBufferManager& buffers = HardwareBufferManager::getSingleton();
    const HardwareVertexBufferSharedPtr geometry = buffers.createVertexBuffer(
        FLOATS_PER_VERTEX * sizeof(float), vertices, HardwareBuffer::USAGE_STATIC_WRITE_ONLY, false);
    fill(*geometry, lod.geometry.data(), lod.geometry.size() * sizeof(float));
    vertexData.vertexBufferBinding->setBinding(GEOMETRY_SOURCE, geometry);
    const HardwareVertexBufferSharedPtr colours = buffers.createVertexBuffer(
        sizeof(uint32_t), vertices, HardwareBuffer::USAGE_STATIC_WRITE_ONLY, false);
    fill(*colours, lod.colours.data(), lod.colours.size() * sizeof(uint32_t));
    vertexData.vertexBufferBinding->setBinding(COLOUR_SOURCE, colours);
    // A level carries its sway data always: it is small, and a level shown
    // while the wind blows sways like the full tree.
    if (!lod.wind.empty()) {
        declareTreeSway(declaration);
        const HardwareVertexBufferSharedPtr wind = buffers.createVertexBuffer(
            TreeWind::FLOATS_PER_VERTEX * sizeof(float), vertices, HardwareBuffer::USAGE_STATIC_WRITE_ONLY, false);
        fill(*wind, lod.wind.data(), lod.wind.size() * sizeof(float));
        vertexData.vertexBufferBinding->setBinding(WIND_SOURCE, wind);
    }

    // The submeshes of the full tree's mesh, in its order, so that a level
    // takes the tree's materials the same way (a part left empty has none).
    for (const TreePart part : TreeParts(tree)) addPart(*mesh, lod.indicesOf(part));

    // The bounds of the full tree, so that every level is framed alike.
    const Vector3 minimum{-tree.extent.x, 0.0f, -tree.extent.z};
    mesh->_setBounds(AxisAlignedBox(minimum, tree.extent));
    const Vector3 size = tree.extent - minimum;
    mesh->_setBoundingSphereRadius(0.5f * Math::Sqrt(size.squaredLength()));
    return mesh.get();
}
