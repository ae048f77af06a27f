#pragma once

#include "mesh/IndexData.h"
#include "mesh/VertexData.h"

#include <memory> // Required for: std::unique_ptr

namespace Velk {

class Mesh;

// How a renderer joins the indices of a submesh into primitives.
enum OperationType {
    OT_POINT_LIST,
    OT_LINE_LIST,
    OT_LINE_STRIP,
    OT_TRIANGLE_LIST,
    OT_TRIANGLE_STRIP,
    OT_TRIANGLE_FAN,
};

// One part of a mesh drawn with one material: its indices, and either the
// mesh's shared vertices or vertices of its own. Made by Mesh::createSubMesh.
class SubMesh {
public:
    explicit SubMesh(Mesh* parent);
    SubMesh(const SubMesh&) = delete;
    SubMesh& operator=(const SubMesh&) = delete;

    bool useSharedVertices = true;                   // draw from the mesh's sharedVertexData
    OperationType operationType = OT_TRIANGLE_LIST;  // default: triangle list
    std::unique_ptr<VertexData> vertexData;          // own vertices; default: none
    std::unique_ptr<IndexData> indexData;            // created with the submesh
    Mesh* parent;                                    // the owning mesh, not owned
};

} // namespace Velk
