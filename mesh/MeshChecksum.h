#pragma once

#include <cstdint> // Required for: uint64_t

namespace Velk {
class Mesh;
}

// A 64-bit FNV-1a hash over a mesh's bytes as the renderer would see them:
// every bound shared vertex buffer in source order, then every submesh's
// index buffer in submesh order. Equal meshes hash equal; reads the buffers
// back through read-only locks.
uint64_t meshChecksum(const Velk::Mesh& mesh);
