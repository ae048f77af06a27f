#include "mesh/Mesh.h"

#include "core/Exception.h"

#include <string>  // Required for: std::to_string
#include <utility> // Required for: std::move

namespace Velk {

Mesh::Mesh(std::string name) : name_(std::move(name)) {}

SubMesh* Mesh::createSubMesh() {
    subMeshes_.push_back(std::make_unique<SubMesh>(this));
    return subMeshes_.back().get();
}

SubMesh* Mesh::getSubMesh(std::size_t index) const {
    if (index >= subMeshes_.size())
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "mesh \"" + name_ + "\" has no submesh " + std::to_string(index) + " (it has " +
                        std::to_string(subMeshes_.size()) + ")",
                    "Mesh::getSubMesh");
    return subMeshes_[index].get();
}

} // namespace Velk
