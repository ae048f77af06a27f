#include "TreeSceneSetup.h"

#include "Tree.h"
#include "TreeParameters.h"
#include "TreeType.h"
#include "material/MaterialManager.h"
#include "math/Math.h"
#include "mesh/MeshManager.h"
#include "material/TextureManager.h"

#include <cmath> // Required for: std::cos, std::sin

using namespace Velk;

TreeScene::TreeScene() = default;
TreeScene::~TreeScene() = default;

namespace {
// The entity of "TreeMesh" with the materials the demonstration assigns.
Entity* showTree(SceneManager& scene, SceneNode& node, const Tree& tree) {
    Entity* entity = scene.createEntity("TreeEntity", "TreeMesh");
    entity->getSubEntity(0)->setMaterialName("BarkTextMat");
    if (tree.params->leaves > 0) {
        entity->getSubEntity(1)->setMaterialName("LeafTextMat");
        if (hasFrameMarkers(*tree.params)) entity->getSubEntity(2)->setMaterialName("CoordFrameMat");
    } else if (hasFrameMarkers(*tree.params)) {
        entity->getSubEntity(1)->setMaterialName("CoordFrameMat");
    }
    node.attachObject(entity);
    return entity;
}
} // namespace

void TreeScene::build(SceneManager& scene, Camera& camera) {
    TextureManager::getSingleton().setDefaultNumMipmaps(5);
    scene.setAmbientLight(ColourValue(0.5f, 0.5f, 0.5f, 1.0f));
    scene.setSkyBox(true, "Examples/BlueSkyBox", 50.0f, true, Quaternion::IDENTITY);
    Light* light = scene.createLight("MainLight");
    light->setType(Light::LT_DIRECTIONAL);
    light->setDirection(Vector3(-0.5f, -0.5f, 0.0f));

    MaterialManager& materials = MaterialManager::getSingleton();
    materials.create("BarkTextMat")->getTechnique(0)->getPass(0)->createTextureUnitState("tree_bark.jpg", 0);
    Pass* leaf = materials.create("LeafTextMat")->getTechnique(0)->getPass(0);
    leaf->createTextureUnitState("tree_leaves_pack1.tga", 0);
    leaf->setSceneBlending(SBT_TRANSPARENT_ALPHA);
    leaf->setCullingMode(CULL_NONE);
    leaf->setManualCullingMode(MANUAL_CULL_NONE);
    leaf->setLightingEnabled(true);
    leaf->setDiffuse(0.9f, 1.0f, 0.9f, 1.0f);
    leaf->setAmbient(0.5f, 0.6f, 0.5f);
    Pass* marker = materials.create("CoordFrameMat")->getTechnique(0)->getPass(0);
    marker->setSceneBlending(SBT_TRANSPARENT_ALPHA);
    marker->setLightingEnabled(false);

    node = scene.getRootSceneNode()->createChildSceneNode(Vector3::ZERO, Quaternion::IDENTITY);
    TreeParameters params(2);
    params.loadPreset(TREE_QUAKING_ASPEN);
    tree = std::make_unique<Tree>(params, 0);
    tree->grow();
    tree->buildMesh("TreeMesh");
    entity = showTree(scene, *node, *tree);

    const float e = 30.0f * Math::fDeg2Rad;
    const float a = 0.0f;
    const float d = 30.0f;
    const float h = 0.8f * tree->params->getScale();
    camera.setPosition(d * std::cos(e) * std::cos(a), d * std::sin(e) + h, d * std::cos(e) * std::sin(a));
    camera.lookAt(0.0f, h, 0.0f);
    camera.setNearClipDistance(5.0f);
}

void TreeScene::rebuildMesh(SceneManager& scene) {
    node->detachObject(entity);
    const std::string meshName = entity->getMesh()->getName();
    scene.removeEntity(entity);
    MeshManager::getSingleton().remove(meshName);
    tree->buildMesh("TreeMesh");
    entity = showTree(scene, *node, *tree);
}
