// The tree scene: sky, light, the three materials, the first tree and its
// entity, the orbit camera and the tree panel.
#include "TreeApplication.h"

#include "GroundAndShadow.h"
#include "TreeMaterials.h"
#include "TreeType.h"
#include "core/Exception.h"          // Required for: VELK_EXCEPT
#include "material/Material.h"        // Required for: Velk::Material, Velk::Pass
#include "material/MaterialManager.h" // Required for: Velk::MaterialManager
#include "math/Math.h"                // Required for: Velk::Math
#include "overlay/OverlayManager.h"   // Required for: Velk::OverlayManager
#include "render/RenderSystem.h"      // Required for: Velk::RenderSystem
#include "render/Root.h"              // Required for: Velk::Root
#include "scene/Camera.h"             // Required for: Velk::Camera
#include "scene/Entity.h"             // Required for: Velk::Entity
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
                    uint32_t species, int32_t seed) {
    using namespace Velk;
    SceneManager* sceneManager = &scene;
    sceneManager->setAmbientLight(ColourValue(0.5f, 0.5f, 0.5f, 1.0f));
    sceneManager->setSkyBox(true, "Examples/BlueSkyBox", 50, true, Quaternion::IDENTITY);

    Light* light = sceneManager->createLight("MainLight");
    light->setType(Light::LT_DIRECTIONAL);
    light->setDirection(Vector3(-0.5f, -0.5f, 0.0f));

    MaterialManager& materials = MaterialManager::getSingleton();
    MaterialPtr bark = materials.create("BarkTextMat");
    bark->getTechnique(0)->getPass(0)->createTextureUnitState("tree_bark.jpg", 0);

    MaterialPtr leaves = materials.create("LeafTextMat");
    Pass* leafPass = leaves->getTechnique(0)->getPass(0);
    leafPass->createTextureUnitState("tree_leaves_pack1.tga", 0);
    leafPass->setSceneBlending(SBT_TRANSPARENT_ALPHA);
    leafPass->setCullingMode(CULL_NONE);
    leafPass->setManualCullingMode(MANUAL_CULL_NONE);
    leafPass->setLightingEnabled(true);
    leafPass->setDiffuse(0.9f, 1.0f, 0.9f, 1.0f);
    leafPass->setAmbient(0.5f, 0.6f, 0.5f);

    MaterialPtr frames = materials.create("CoordFrameMat");
    Pass* framePass = frames->getTechnique(0)->getPass(0);
    framePass->setSceneBlending(SBT_TRANSPARENT_ALPHA);
    framePass->setLightingEnabled(false);

    state.treeNode = sceneManager->getRootSceneNode()->createChildSceneNode(Vector3::ZERO, Quaternion::IDENTITY);

    state.parameters = std::make_unique<TreeParameters>(2);
    state.parameters->loadPreset(species);
    state.seed = seed;
    state.tree = std::make_unique<Tree>(*state.parameters, seed, &state.treeMemory);
    state.tree->grow();
    state.tree->buildMesh("TreeMesh");

    state.treeEntity = sceneManager->createEntity("TreeEntity", "TreeMesh");
    assignTreeMaterials(*state.treeEntity, *state.tree->params);
    state.treeNode->attachObject(state.treeEntity);

    // The species' scale, without its random variation, frames the first view.
    placeOrbitCamera(camera, state, 0.8f * state.tree->params->getScale());
}

void TreeApplication::createScene() {
    buildTreeScene(*sceneManager, *camera, state, TREE_QUAKING_ASPEN, 0);
    state.groundAndShadow = root->getRenderSystem()->isGroundAndShadowOn();
    showGroundAndShadow(*sceneManager, state.groundAndShadow);
    state.treePanel = Velk::OverlayManager::getSingleton().getByName("Example/TreeOverlay");
    if (!state.treePanel)
        VELK_EXCEPT(ERR_ITEM_NOT_FOUND, "overlay \"Example/TreeOverlay\" not found in any resource location",
                    "TreeApplication::createScene");
    state.treePanel->show();
}
