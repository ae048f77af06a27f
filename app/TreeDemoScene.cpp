// The tree scene: sky, light, the three materials, the first tree and its
// entity, the orbit camera and the tree panel.
#include "TreeApplication.h"

#include "GroundAndShadow.h"
#include "TreeMaterials.h"
#include "core/Exception.h"          // Required for: VELK_EXCEPT
#include "math/Math.h"                // Required for: Velk::Math
#include "overlay/OverlayManager.h"   // Required for: Velk::OverlayManager
#include "render/RenderSystem.h"      // Required for: Velk::RenderSystem
#include "render/Root.h"              // Required for: Velk::Root
#include "scene/Camera.h"             // Required for: Velk::Camera
#include "scene/Light.h"              // Required for: Velk::Light
#include "scene/SceneManager.h"       // Required for: Velk::SceneManager
#include "scene/SceneNode.h"          // Required for: Velk::SceneNode

#include <cmath> // Required for: std::cos, std::sin

void placeOrbitCamera(Velk::Camera& camera, const TreeDemoState& state, float h) {
    const float e = state.cameraElevation * Velk::Math::fDeg2Rad;
    const float a = state.cameraAzimuth * Velk::Math::fDeg2Rad;
    const float d = state.cameraDistance;
    camera.setPosition(Velk::Vector3(d * std::cos(e) * std::cos(a), d * std::sin(e) + h,
                                     d * std::cos(e) * std::sin(a)));
    camera.lookAt(Velk::Vector3(0.0f, h, 0.0f));
}

void buildTreeScene(Velk::SceneManager& scene, Velk::Camera& camera, TreeDemoState& state,
                    const TreeParameters& params, int32_t seed, const std::string& leafTexture) {
    using namespace Velk;
    scene.setAmbientLight(ColourValue(0.5f, 0.5f, 0.5f, 1.0f));
    scene.setSkyBox(true, "Examples/BlueSkyBox", 50, true, Quaternion::IDENTITY);

    Light* light = scene.createLight("MainLight");
    light->setType(Light::LT_DIRECTIONAL);
    light->setDirection(Vector3(-0.5f, -0.5f, 0.0f));

    createTreeMaterials(leafTexture);
    state.leafTexture = leafTexture;

    SceneNode* node = scene.getRootSceneNode()->createChildSceneNode(Vector3::ZERO, Quaternion::IDENTITY);
    state.treeScene = std::make_unique<TreeScene>(scene, *node);
    state.parameters = params.clone();
    state.seed = seed;
    state.treeScene->show(*state.parameters, seed);

    // The species' scale, without its random variation, frames the first view.
    placeOrbitCamera(camera, state, 0.8f * state.tree().params->getScale());
}

void TreeApplication::createScene() {
    buildTreeScene(*sceneManager, *camera, state, *startParameters, 0, state.leafTexture);
    state.groundAndShadow = root->getRenderSystem()->isGroundAndShadowOn();
    showGroundAndShadow(*sceneManager, state.groundAndShadow);
    // The wind starts still (V lets it blow) at the strength the settings chose.
    state.treeScene->setWind(false, root->getRenderSystem()->getWindStrength());
    state.treePanel = Velk::OverlayManager::getSingleton().getByName("Example/TreeOverlay");
    if (!state.treePanel)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND, "overlay \"Example/TreeOverlay\" not found in any resource location",
                    "TreeApplication::createScene");
    state.treePanel->show();
}
