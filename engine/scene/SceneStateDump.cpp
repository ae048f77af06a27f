#include "scene/SceneStateDump.h"

namespace Velk {

nlohmann::json dumpCamera(const Camera* camera) {
    if (camera == nullptr) return nullptr;
    const Vector3 p = camera->getDerivedPosition();
    const Quaternion q = camera->getDerivedOrientation();
    return {{"name", camera->getName()},
            {"position", {p.x, p.y, p.z}},
            {"orientation", {q.w, q.x, q.y, q.z}},
            {"detailLevel", static_cast<int>(camera->getDetailLevel())},
            {"detailLevelName", detailLevelName(camera->getDetailLevel())},
            {"nearClipDistance", camera->getNearClipDistance()},
            {"farClipDistance", camera->getFarClipDistance()},
            {"fovY", camera->getFOVy()},
            {"aspectRatio", camera->getAspectRatio()}};
}

nlohmann::json dumpEntities(const std::map<std::string, std::unique_ptr<Entity>>& entities) {
    nlohmann::json all = nlohmann::json::array();
    for (const auto& [name, entity] : entities) {
        nlohmann::json materials = nlohmann::json::array();
        for (std::size_t i = 0; i < entity->getNumSubEntities(); ++i)
            materials.push_back(entity->getSubEntity(i)->getMaterialName());
        all.push_back({{"name", name},
                       {"mesh", entity->getMesh()->getName()},
                       {"renderDetail", static_cast<int>(entity->getRenderDetail())},
                       {"renderDetailName", detailLevelName(entity->getRenderDetail())},
                       {"attached", entity->isAttached()},
                       {"subEntityMaterials", materials}});
    }
    return all;
}

} // namespace Velk
