#include "mesh/VertexData.h"

namespace Velk {

VertexData::VertexData()
    : vertexDeclaration(std::make_unique<VertexDeclaration>()),
      vertexBufferBinding(std::make_unique<VertexBufferBinding>()) {}

} // namespace Velk
