#pragma once

#include "core/ColourValue.h" // Required for: ColourValue
#include "math/Quaternion.h"  // Required for: Quaternion
#include "scene/Camera.h"     // Required for: Camera
#include "scene/Entity.h"     // Required for: Entity
#include "scene/Light.h"      // Required for: Light
#include "scene/SceneNode.h"  // Required for: SceneNode
#include "scene/SceneType.h"  // Required for: SceneType

#include <map>    // Required for: std::map
#include <memory> // Required for: std::unique_ptr
#include <string> // Required for: std::string

namespace Velk {

namespace GL {
class SceneRenderer;
}
class Viewport;

// The scene: the tree of scene nodes, the cameras, lights and entities by
// name, the ambient light and the sky box, and their drawing into a
// viewport. Names are unique per kind; a taken or unknown name is an engine
// error. Made by the engine root (Root::getSceneManager).
class SceneManager {
public:
    SceneManager();
    ~SceneManager();
    SceneManager(const SceneManager&) = delete;
    SceneManager& operator=(const SceneManager&) = delete;

    Camera* createCamera(const std::string& name);
    Camera* getCamera(const std::string& name) const;
    bool hasCamera(const std::string& name) const { return cameras_.count(name) != 0; }

    Light* createLight(const std::string& name);
    Light* getLight(const std::string& name) const;
    bool hasLight(const std::string& name) const { return lights_.count(name) != 0; }

    // An entity showing the mesh registered under `meshName`, with one
    // sub-entity per submesh. Throws when the name is taken, the mesh does
    // not exist or its vertex data cannot be drawn.
    Entity* createEntity(const std::string& entityName, const std::string& meshName);
    Entity* getEntity(const std::string& name) const;
    bool hasEntity(const std::string& name) const { return entities_.count(name) != 0; }
    // Detaches the entity from its node and destroys it; its name is free again.
    void removeEntity(Entity* entity);
    void removeEntity(const std::string& name);
    void destroyEntity(Entity* entity) { removeEntity(entity); }
    void destroyEntity(const std::string& name) { removeEntity(name); }
    std::size_t getEntityCount() const { return entities_.size(); }

    SceneNode* getRootSceneNode() const { return root_.get(); }

    // Light that reaches everything equally (default black).
    void setAmbientLight(const ColourValue& colour) { ambient_ = colour; }
    const ColourValue& getAmbientLight() const { return ambient_; }

    // Shows (or hides) a cube around the camera drawn with `materialName`,
    // whose pass needs a cube texture: `distance` from the camera to each
    // face, drawn before everything else when `drawFirst` (without depth, so
    // the scene always covers it) or after it otherwise, turned by
    // `orientation`. Throws when the material is unknown or has no cube texture.
    void setSkyBox(bool enable, const std::string& materialName, float distance = 5000.0f, bool drawFirst = true,
                   const Quaternion& orientation = Quaternion::IDENTITY);
    bool isSkyBoxEnabled() const { return skyBoxEnabled_; }

    // Shows (or hides) a flat round ground of `radius` at `height` under the
    // origin, drawn with the first texture of `materialName` repeated every
    // `tileSize` units and lit like the entities. Its outer part fades out,
    // so it melts into whatever is drawn behind it (the sky) instead of
    // ending at a hard line. Throws when the material is unknown.
    void setGroundPlane(bool enable, const std::string& materialName = "", float radius = 400.0f,
                        float height = 0.0f, float tileSize = 4.0f);
    bool isGroundPlaneEnabled() const { return groundEnabled_; }

    // Shadows from the first visible directional light: every entity casts
    // (textured alpha-blended passes as cut-outs) onto the ground and onto the
    // lit entities. The shadow map is drawn again only when an entity, its
    // place or the light changes.
    void setShadowsEnabled(bool enable) { shadowsEnabled_ = enable; }
    bool getShadowsEnabled() const { return shadowsEnabled_; }
    // How many times the shadow map has been drawn.
    unsigned long getShadowMapRenderCount() const;
    // The renderer's shortcuts that leave every pixel as it is (the ground
    // outside the shadow map's reach drawn without looking it up; the sky
    // drawn only where the ground's opaque middle leaves it visible; on a
    // CPU renderer, batches handed over to its threads as they are set up).
    // On by default; off draws the plain way, to compare pictures against.
    void setRenderShortcutsEnabled(bool enable);
    struct RenderShortcutCounts {
        unsigned long groundShadowSplits = 0; // frames whose ground was split at the shadow's reach
        unsigned long skyBehindGround = 0;    // frames whose sky was drawn behind the ground's middle
        unsigned long handOvers = 0;          // batches handed over before a frame's end
    };
    RenderShortcutCounts getRenderShortcutCounts() const;

    // Wind: every mesh with sway data (VES_SWAY) sways in its vertex shader,
    // `strength` (0: still, exactly as drawn without sway data; 1: a strong
    // wind) times `scale` (the size of what sways, in world units; a tree's
    // height) along `direction` (horizontal, in the entity's own axes).
    void setWind(const Vector3& direction, float strength, float scale);
    const Vector3& getWindDirection() const { return windDirection_; }
    float getWindStrength() const { return windStrength_; }
    float getWindScale() const { return windScale_; }

    // Seconds of animation so far: the frame loop adds every frame's time,
    // so a run with a fixed frame time sways the same way every time.
    float getAnimationTime() const { return static_cast<float>(animationTime_); }
    void _advanceAnimationTime(float seconds) { animationTime_ += static_cast<double>(seconds); }

    // Draws the scene as `camera` sees it into the bound viewport; returns
    // the triangles drawn. Called by Viewport.
    unsigned int _renderScene(Camera& camera, Viewport& viewport);

private:
    friend class GL::SceneRenderer;

    std::unique_ptr<SceneNode> root_;
    std::map<std::string, std::unique_ptr<Camera>> cameras_;
    std::map<std::string, std::unique_ptr<Light>> lights_;
    std::map<std::string, std::unique_ptr<Entity>> entities_;
    ColourValue ambient_ = ColourValue::Black;
    bool skyBoxEnabled_ = false;
    MaterialPtr skyMaterial_;
    float skyDistance_ = 5000.0f;
    bool skyDrawFirst_ = true;
    Quaternion skyOrientation_;
    bool groundEnabled_ = false;
    MaterialPtr groundMaterial_;
    float groundRadius_ = 400.0f;
    float groundHeight_ = 0.0f;
    float groundTileSize_ = 4.0f;
    bool shadowsEnabled_ = false;
    Vector3 windDirection_ = Vector3::UNIT_X;
    float windStrength_ = 0.0f;
    float windScale_ = 1.0f;
    double animationTime_ = 0.0;
    const Camera* lastCamera_ = nullptr;
    std::unique_ptr<GL::SceneRenderer> renderer_;
};

} // namespace Velk
