#pragma once

namespace Velk {
class VertexDeclaration;
}

// The vertex elements of every tree mesh (the full tree and each level of
// detail), laid out as TreeMeshLayout says: position, normal and texture
// coordinates in buffer 0, the packed colour in buffer 1.
void declareTreeVertices(Velk::VertexDeclaration& declaration);

// Adds the wind's four sway floats in buffer 2, once.
void declareTreeSway(Velk::VertexDeclaration& declaration);
