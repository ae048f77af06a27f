#include "scene/Entity.h"

#include "core/Exception.h"

namespace Velk {

// Serials count up from 1; the renderer is single-threaded.
Entity::Entity(std::string name, MeshPtr mesh) : MovableObject(std::move(name)), mesh_(std::move(mesh)) {
    static std::uint64_t lastSerial = 0;
    serial_ = ++lastSerial;
    for (std::size_t i = 0; i < mesh_->getNumSubMeshes(); ++i)
        subEntities_.push_back(std::make_unique<SubEntity>(this, mesh_->getSubMesh(i)));
}

Entity::~Entity() = default;

SubEntity* Entity::getSubEntity(std::size_t index) const {
    if (index >= subEntities_.size())
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "entity '" + getName() + "' has no sub-entity " + std::to_string(index) + " (mesh '" +
                        mesh_->getName() + "' has " + std::to_string(subEntities_.size()) + " submeshes)",
                    "Entity::getSubEntity");
    return subEntities_[index].get();
}

void Entity::setMaterialName(const std::string& name) {
    for (const auto& subEntity : subEntities_) subEntity->setMaterialName(name);
}

void Entity::setRenderDetail(SceneDetailLevel level) {
    if (level < SDL_POINTS || level > SDL_SOLID)
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "entity '" + getName() + "': unknown detail level " + std::to_string(static_cast<int>(level)) +
                        " (1 points, 2 wireframe, 3 solid)",
                    "Entity::setRenderDetail");
    detail_ = level;
}

// The vertex arrays are made again from the mesh on the next draw.
void Entity::_notifyVertexDataChanged() {
    for (const auto& subEntity : subEntities_) subEntity->_releaseVertexArray();
}

} // namespace Velk
