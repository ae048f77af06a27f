#include "TreeVertexDeclaration.h"

#include "MeshLayout.h"
#include "mesh/VertexDeclaration.h"

#include <cassert> // Required for: assert
#include <cstddef> // Required for: std::size_t

using namespace Velk;
using namespace TreeMeshLayout;

void declareTreeVertices(VertexDeclaration& declaration) {
    std::size_t offset = 0;
    offset += declaration.addElement(GEOMETRY_SOURCE, offset, VET_FLOAT3, VES_POSITION).getSize();
    offset += declaration.addElement(GEOMETRY_SOURCE, offset, VET_FLOAT3, VES_NORMAL).getSize();
    declaration.addElement(GEOMETRY_SOURCE, offset, VET_FLOAT2, VES_TEXTURE_COORDINATES);
    declaration.addElement(COLOUR_SOURCE, 0, VET_COLOUR_ARGB, VES_DIFFUSE);
    assert(declaration.getVertexSize(GEOMETRY_SOURCE) == FLOATS_PER_VERTEX * sizeof(float));
}

void declareTreeSway(VertexDeclaration& declaration) {
    if (declaration.findElementBySemantic(VES_SWAY) == nullptr)
        declaration.addElement(WIND_SOURCE, 0, VET_FLOAT4, VES_SWAY);
}
