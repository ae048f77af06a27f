#include "scene/SceneManager.h"

#include "core/Exception.h"
#include "gl/SceneRenderer.h"
#include "material/MaterialManager.h"
#include "mesh/MeshManager.h"
#include "render/Root.h"
#include "scene/SceneStateDump.h"

#include <cmath> // Required for: std::isfinite

namespace Velk {

namespace {
// The object of that name in `objects`, or an engine error naming the kind.
template <class T>
T* findNamed(const std::map<std::string, std::unique_ptr<T>>& objects, const std::string& name, const char* kind,
             const char* operation) {
    const auto it = objects.find(name);
    if (it == objects.end())
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND, std::string(kind) + " '" + name + "' does not exist", operation);
    return it->second.get();
}

// Throws when `name` is taken in `objects`.
template <class T>
void requireFree(const std::map<std::string, std::unique_ptr<T>>& objects, const std::string& name, const char* kind,
                 const char* operation) {
    if (objects.count(name) != 0)
        VELK_EXCEPT(ERR_DUPLICATE_ITEM,
                    std::string("cannot create ") + kind + " '" + name + "': one of that name already exists",
                    operation);
}
} // namespace

// The "camera" and "entities" parts of the state dump live as long as the scene.
SceneManager::SceneManager()
    : root_(std::make_unique<SceneNode>(nullptr, Vector3::ZERO, Quaternion::IDENTITY)),
      renderer_(std::make_unique<GL::SceneRenderer>()) {
    if (Root* root = Root::getSingletonPtr()) {
        root->setStateDumpSection("camera", [this] {
            const Camera* shown = lastCamera_ != nullptr    ? lastCamera_
                                  : cameras_.empty() ? nullptr
                                                     : cameras_.begin()->second.get();
            return dumpCamera(shown);
        });
        root->setStateDumpSection("entities", [this] { return dumpEntities(entities_); });
        root->setStateDumpSection("shadows", [this] {
            return nlohmann::json{{"groundPlane", groundEnabled_},
                                  {"enabled", shadowsEnabled_},
                                  {"shadowMapRenders", getShadowMapRenderCount()}};
        });
    }
}

// Entities go before the renderer: their vertex arrays are GL objects.
SceneManager::~SceneManager() {
    if (Root* root = Root::getSingletonPtr()) {
        root->setStateDumpSection("camera", {});
        root->setStateDumpSection("entities", {});
        root->setStateDumpSection("shadows", {});
    }
    root_.reset();
    entities_.clear();
    lights_.clear();
    cameras_.clear();
    skyMaterial_.reset();
    groundMaterial_.reset();
    renderer_.reset();
}

Camera* SceneManager::createCamera(const std::string& name) {
    requireFree(cameras_, name, "camera", "SceneManager::createCamera");
    return cameras_.emplace(name, std::make_unique<Camera>(name, this)).first->second.get();
}

Camera* SceneManager::getCamera(const std::string& name) const {
    return findNamed(cameras_, name, "camera", "SceneManager::getCamera");
}

Light* SceneManager::createLight(const std::string& name) {
    requireFree(lights_, name, "light", "SceneManager::createLight");
    return lights_.emplace(name, std::make_unique<Light>(name)).first->second.get();
}

Light* SceneManager::getLight(const std::string& name) const {
    return findNamed(lights_, name, "light", "SceneManager::getLight");
}

// The mesh is checked here so that drawing never meets a mesh it cannot bind.
Entity* SceneManager::createEntity(const std::string& entityName, const std::string& meshName) {
    const char* operation = "SceneManager::createEntity";
    requireFree(entities_, entityName, "entity", operation);
    MeshManager* meshes = MeshManager::getSingletonPtr();
    MeshPtr mesh = meshes != nullptr ? meshes->getByName(meshName) : nullptr;
    if (!mesh)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND,
                    "cannot create entity '" + entityName + "': mesh '" + meshName + "' does not exist", operation);
    GL::SceneRenderer::checkDrawable(*mesh, entityName);
    return entities_.emplace(entityName, std::make_unique<Entity>(entityName, mesh)).first->second.get();
}

Entity* SceneManager::getEntity(const std::string& name) const {
    return findNamed(entities_, name, "entity", "SceneManager::getEntity");
}

void SceneManager::removeEntity(Entity* entity) {
    if (entity == nullptr) VELK_EXCEPT(ERR_INVALIDPARAMS, "cannot remove a null entity", "SceneManager::removeEntity");
    const auto it = entities_.find(entity->getName());
    if (it == entities_.end() || it->second.get() != entity)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND, "entity '" + entity->getName() + "' does not belong to this scene",
                    "SceneManager::removeEntity");
    if (SceneNode* node = entity->getParentSceneNode()) node->detachObject(entity);
    entities_.erase(it);
}

void SceneManager::removeEntity(const std::string& name) {
    removeEntity(findNamed(entities_, name, "entity", "SceneManager::removeEntity"));
}

// Checked and loaded now: a sky box that cannot draw fails at set-up.
void SceneManager::setSkyBox(bool enable, const std::string& materialName, float distance, bool drawFirst,
                             const Quaternion& orientation) {
    if (!enable) {
        skyBoxEnabled_ = false;
        skyMaterial_.reset();
        return;
    }
    MaterialPtr material = MaterialManager::getSingleton().getByName(materialName);
    if (!material)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND,
                    "sky box material '" + materialName +
                        "' does not exist (not made in code nor defined in a material script)",
                    "SceneManager::setSkyBox");
    const Pass* pass = material->getDrawPass();
    bool cubic = false;
    for (std::size_t i = 0; i < pass->getNumTextureUnitStates(); ++i)
        cubic = cubic || pass->getTextureUnitState(i)->isCubic();
    if (!cubic)
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "sky box material '" + materialName + "' has no cube texture (give it a cubic_texture)",
                    "SceneManager::setSkyBox");
    if (!(distance > 0.0f))
        VELK_EXCEPT(ERR_INVALIDPARAMS, "sky box distance must be above 0, not " + std::to_string(distance),
                    "SceneManager::setSkyBox");
    skyBoxEnabled_ = true;
    skyMaterial_ = std::move(material);
    skyDistance_ = distance;
    skyDrawFirst_ = drawFirst;
    skyOrientation_ = orientation;
}

// A zero-length direction or a strength or scale that is not a finite
// number at or above 0 is a caller's mistake.
void SceneManager::setWind(const Vector3& direction, float strength, float scale) {
    Vector3 d(direction.x, 0.0f, direction.z);
    const float length = d.length();
    if (!(length > 0.0f) || !std::isfinite(length) || !(strength >= 0.0f) || !std::isfinite(strength) ||
        !(scale >= 0.0f) || !std::isfinite(scale))
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "the wind needs a horizontal direction and a finite strength and scale of 0 or more, not (" +
                        std::to_string(direction.x) + ", " + std::to_string(direction.y) + ", " +
                        std::to_string(direction.z) + "), " + std::to_string(strength) + ", " + std::to_string(scale),
                    "SceneManager::setWind");
    windDirection_ = d * (1.0f / length);
    windStrength_ = strength;
    windScale_ = scale;
}

void SceneManager::setGroundPlane(bool enable, const std::string& materialName, float radius, float height,
                                  float tileSize) {
    if (!enable) {
        groundEnabled_ = false;
        groundMaterial_.reset();
        return;
    }
    MaterialPtr material = MaterialManager::getSingleton().getByName(materialName);
    if (!material)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND,
                    "ground material '" + materialName +
                        "' does not exist (not made in code nor defined in a material script)",
                    "SceneManager::setGroundPlane");
    if (!(radius > 0.0f) || !(tileSize > 0.0f) || !std::isfinite(height))
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "ground radius and tile size must be above 0 and the height finite, not " +
                        std::to_string(radius) + ", " + std::to_string(tileSize) + ", " + std::to_string(height),
                    "SceneManager::setGroundPlane");
    groundEnabled_ = true;
    groundMaterial_ = std::move(material);
    groundRadius_ = radius;
    groundHeight_ = height;
    groundTileSize_ = tileSize;
}

unsigned long SceneManager::getShadowMapRenderCount() const { return renderer_->getShadowMapRenderCount(); }

void SceneManager::setRenderShortcutsEnabled(bool enable) { renderer_->setShortcutsEnabled(enable); }

SceneManager::RenderShortcutCounts SceneManager::getRenderShortcutCounts() const {
    return {renderer_->getGroundShadowSplitCount(), renderer_->getSkyBehindGroundCount(),
            renderer_->getHandOverCount()};
}

unsigned int SceneManager::_renderScene(Camera& camera, Viewport& viewport) {
    lastCamera_ = &camera;
    return renderer_->render(*this, camera, viewport);
}

} // namespace Velk
