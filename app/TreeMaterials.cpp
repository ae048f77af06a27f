#include "TreeMaterials.h"

#include "Tree.h"
#include "TreeParameters.h"
#include "TreeParts.h"
#include "material/Material.h"        // Required for: Velk::Material, Velk::Pass
#include "material/MaterialManager.h" // Required for: Velk::MaterialManager
#include "material/TextureManager.h"  // Required for: Velk::TextureManager
#include "material/TextureUnitState.h" // Required for: Velk::TextureUnitState
#include "scene/Entity.h"             // Required for: Velk::Entity, Velk::SubEntity

// The leaf colours set here stand until a leaf key restyles them.
void createTreeMaterials(const std::string& leafTexture) {
    using namespace Velk;
    MaterialManager& materials = MaterialManager::getSingleton();
    MaterialPtr bark = materials.create("BarkTextMat");
    bark->getTechnique(0)->getPass(0)->createTextureUnitState("tree_bark.jpg", 0);

    MaterialPtr leaves = materials.create("LeafTextMat");
    Pass* leafPass = leaves->getTechnique(0)->getPass(0);
    leafPass->createTextureUnitState(leafTexture, 0);
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
}

void setLeafTextureOfMaterial(const std::string& leafTexture) {
    using namespace Velk;
    TexturePtr texture = TextureManager::getSingleton().load(leafTexture);
    MaterialManager::getSingleton().getByName("LeafTextMat")->getTechnique(0)->getPass(0)->getTextureUnitState(0)->setTexture(
        std::move(texture));
}

void assignTreeMaterials(Velk::Entity& entity, const Tree& tree) {
    std::size_t subEntity = 0;
    for (const TreePart part : TreeParts(tree)) entity.getSubEntity(subEntity++)->setMaterialName(materialName(part));
}
