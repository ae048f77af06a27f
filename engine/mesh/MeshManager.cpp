#include "mesh/MeshManager.h"

#include "core/Exception.h"
#include "core/Log.h"

namespace Velk {

MeshManager::~MeshManager() = default;

MeshPtr MeshManager::createManual(const std::string& name) {
    if (resourceExists(name))
        VELK_EXCEPT(ERR_DUPLICATE_ITEM,
                    "cannot create mesh \"" + name + "\": a mesh of that name already exists",
                    "MeshManager::createManual");
    MeshPtr mesh = std::make_shared<Mesh>(name);
    meshes_.emplace(name, mesh);
    Log::message("Created mesh '" + name + "'");
    return mesh;
}

MeshPtr MeshManager::getByName(const std::string& name) const {
    const auto it = meshes_.find(name);
    return it == meshes_.end() ? nullptr : it->second;
}

void MeshManager::remove(const std::string& name) {
    if (meshes_.erase(name) == 0)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND, "cannot remove mesh \"" + name + "\": no mesh has that name",
                    "MeshManager::remove");
}

} // namespace Velk
