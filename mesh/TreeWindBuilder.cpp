// Adds the wind's sway data to a built tree mesh as a vertex buffer of its
// own, so that a mesh drawn without wind costs nothing more and its other
// buffers stay exactly as the mesh builder wrote them.
#include "Tree.h"

#include "MeshLayout.h"
#include "TreeVertexDeclaration.h"
#include "TreeWind.h"
#include "buffer/HardwareBufferManager.h"
#include "mesh/Mesh.h"

#include <cstddef> // Required for: std::size_t

using namespace Velk;

void Tree::buildWind(Mesh& mesh) const {
    VertexData& vertexData = *mesh.sharedVertexData;
    VertexDeclaration& declaration = *vertexData.vertexDeclaration;
    declareTreeSway(declaration);
    const std::size_t vertices = static_cast<std::size_t>(vertexCount);
    const HardwareVertexBufferSharedPtr buffer = HardwareBufferManager::getSingleton().createVertexBuffer(
        TreeWind::FLOATS_PER_VERTEX * sizeof(float), vertices, HardwareBuffer::USAGE_STATIC_WRITE_ONLY, false);
    writeWind(static_cast<float*>(buffer->lock(HardwareBuffer::LOCK_DISCARD)));
    buffer->unlock();
    vertexData.vertexBufferBinding->setBinding(TreeMeshLayout::WIND_SOURCE, buffer);
}
