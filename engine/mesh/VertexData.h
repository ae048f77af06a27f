#pragma once

#include "mesh/VertexBufferBinding.h"
#include "mesh/VertexDeclaration.h"

#include <cstddef> // Required for: std::size_t
#include <memory>  // Required for: std::unique_ptr

namespace Velk {

// A set of vertices: their layout, the buffers that hold them, and the
// range of vertices in use. Owns its declaration and binding.
class VertexData {
public:
    VertexData();
    VertexData(const VertexData&) = delete;
    VertexData& operator=(const VertexData&) = delete;

    std::unique_ptr<VertexDeclaration> vertexDeclaration;
    std::unique_ptr<VertexBufferBinding> vertexBufferBinding;
    std::size_t vertexStart = 0; // first vertex in use
    std::size_t vertexCount = 0; // vertices in use
};

} // namespace Velk
