// Turns a grown tree into one engine mesh: a shared vertex set in two
// buffers, filled in one sweep by the vertex passes, and one triangle-list
// submesh per part (bark, leaves, frame markers) filled by the index passes.
// Buffers are created at their final size from the counters growth kept, so
// nothing is counted, copied or resized here.
#include "Tree.h"

#include "MeshLayout.h"
#include "buffer/HardwareBufferManager.h"
#include "math/AxisAlignedBox.h"
#include "math/Math.h"
#include "mesh/MeshManager.h"

#include <cassert> // Required for: assert
#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint32_t

using namespace Velk;
using namespace TreeMeshLayout;

// Growth counts the marker vertices the marker pass writes.
static_assert(VERTICES_PER_FRAME == uint32_t(Tree::FRAME_VERTICES));

namespace {

// Adds a submesh over the shared vertices with `indexCount` indices and
// fills them with `pass`, which numbers vertices from `base` on and leaves
// base after the last vertex it covered. A part with no triangles gets no
// buffer (an empty buffer is an engine error) but still advances base.
template <class Pass>
void addSubMesh(Mesh& mesh, std::size_t indexCount, uint32_t& base, Pass pass) {
    SubMesh* subMesh = mesh.createSubMesh();
    subMesh->useSharedVertices = true;
    IndexData& indexData = *subMesh->indexData;
    indexData.indexCount = indexCount;

    uint32_t* start = nullptr;
    if (indexCount > 0) {
        indexData.indexBuffer = HardwareBufferManager::getSingleton().createIndexBuffer(
            HardwareIndexBuffer::INDEX_32BIT, indexCount, HardwareBuffer::USAGE_STATIC_WRITE_ONLY,
            false);
        start = static_cast<uint32_t*>(indexData.indexBuffer->lock(HardwareBuffer::LOCK_DISCARD));
    }
    uint32_t* indices = start;
    pass(indices, base);
    // The counters that sized the buffer and the pass must agree exactly.
    assert(indices == start + indexCount);
    if (indexCount > 0) indexData.indexBuffer->unlock();
}

} // namespace

Mesh* Tree::buildMesh(const std::string& name) {
    const MeshPtr mesh = MeshManager::getSingleton().createManual(name);
    mesh->sharedVertexData = std::make_unique<VertexData>();
    VertexData& vertexData = *mesh->sharedVertexData;

    VertexDeclaration& declaration = *vertexData.vertexDeclaration;
    std::size_t offset = 0;
    offset += declaration.addElement(GEOMETRY_SOURCE, offset, VET_FLOAT3, VES_POSITION).getSize();
    offset += declaration.addElement(GEOMETRY_SOURCE, offset, VET_FLOAT3, VES_NORMAL).getSize();
    declaration.addElement(GEOMETRY_SOURCE, offset, VET_FLOAT2, VES_TEXTURE_COORDINATES);
    declaration.addElement(COLOUR_SOURCE, 0, VET_COLOUR_ARGB, VES_DIFFUSE);
    assert(declaration.getVertexSize(GEOMETRY_SOURCE) == FLOATS_PER_VERTEX * sizeof(float));

    // Bark, leaf and marker vertices follow one another in both buffers.
    const std::size_t vertices = static_cast<std::size_t>(vertexCount);
    const std::size_t leafVertices = 2 * static_cast<std::size_t>(leafTriangleCount);
    const std::size_t frameVertices = VERTICES_PER_FRAME * static_cast<std::size_t>(frameCount);
    [[maybe_unused]] const std::size_t barkVertices = vertices - leafVertices - frameVertices;
    vertexData.vertexCount = vertices;

    HardwareBufferManager& buffers = HardwareBufferManager::getSingleton();
    const HardwareVertexBufferSharedPtr geometry = buffers.createVertexBuffer(
        declaration.getVertexSize(GEOMETRY_SOURCE), vertices, HardwareBuffer::USAGE_STATIC_WRITE_ONLY,
        false);
    vertexData.vertexBufferBinding->setBinding(GEOMETRY_SOURCE, geometry);
    const HardwareVertexBufferSharedPtr colourBuffer = buffers.createVertexBuffer(
        declaration.getVertexSize(COLOUR_SOURCE), vertices, HardwareBuffer::USAGE_STATIC_WRITE_ONLY,
        false);
    vertexData.vertexBufferBinding->setBinding(COLOUR_SOURCE, colourBuffer);

    float* const floatStart = static_cast<float*>(geometry->lock(HardwareBuffer::LOCK_DISCARD));
    uint32_t* const colourStart = static_cast<uint32_t*>(colourBuffer->lock(HardwareBuffer::LOCK_DISCARD));
    float* floats = floatStart;
    uint32_t* colours = colourStart;
    // After each pass both cursors stand exactly after the vertices so far.
    [[maybe_unused]] const auto cursorsAt = [&](std::size_t written) {
        return floats == floatStart + FLOATS_PER_VERTEX * written && colours == colourStart + written;
    };

    trunk->writeStemVertices(floats, colours);
    assert(cursorsAt(barkVertices));
    if (leafCount > 0) {
        trunk->writeLeafVertices(floats, colours, 0.0f);
        assert(cursorsAt(barkVertices + leafVertices));
    }
    if (hasFrameMarkers(*params)) {
        trunk->writeFrameVertices(floats, colours);
    }
    assert(cursorsAt(vertices));
    geometry->unlock();
    colourBuffer->unlock();

    // Index values are absolute vertex numbers: each part continues the
    // numbering where the one before it ended.
    uint32_t base = 0;
    addSubMesh(*mesh, 3 * static_cast<std::size_t>(stemTriangleCount), base,
               [&](uint32_t*& indices, uint32_t& b) { trunk->writeStemIndices(indices, b); });
    assert(base == barkVertices);
    if (leafCount > 0) {
        addSubMesh(*mesh, 3 * static_cast<std::size_t>(leafTriangleCount), base,
                   [&](uint32_t*& indices, uint32_t& b) { trunk->writeLeafIndices(indices, b); });
        assert(base == barkVertices + leafVertices);
    }
    if (hasFrameMarkers(*params)) {
        addSubMesh(*mesh, INDICES_PER_FRAME * static_cast<std::size_t>(frameCount), base,
                   [&](uint32_t*& indices, uint32_t& b) { trunk->writeFrameIndices(indices, b); });
    }
    assert(base == vertices);

    // Symmetric about the trunk's axis, from the ground to the highest ring;
    // leaves and markers do not widen it.
    const Vector3 minimum{-extent.x, 0.0f, -extent.z};
    const Vector3 maximum = extent;
    mesh->_setBounds(AxisAlignedBox(minimum, maximum));
    const Vector3 size = maximum - minimum;
    mesh->_setBoundingSphereRadius(0.5f * Math::Sqrt(size.squaredLength()));
    return mesh.get();
}
