#include "mesh/SubMesh.h"

namespace Velk {

SubMesh::SubMesh(Mesh* parent_) : indexData(std::make_unique<IndexData>()), parent(parent_) {}

} // namespace Velk
