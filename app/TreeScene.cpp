#include "TreeScene.h"

#include "TreeMaterials.h"
#include "TreeParameters.h"
#include "TreeTooLarge.h"
#include "mesh/Mesh.h"          // Required for: Velk::Mesh
#include "mesh/MeshManager.h"   // Required for: Velk::MeshManager
#include "scene/Entity.h"       // Required for: Velk::Entity
#include "scene/SceneManager.h" // Required for: Velk::SceneManager
#include "scene/SceneNode.h"    // Required for: Velk::SceneNode

#include <string> // Required for: std::string

namespace {

// Across the orbit camera's first view, where the sway shows best.
const Velk::Vector3 kWindDirection(0.3f, 0.0f, 1.0f);

// Whether the mesh carries sway data already.
bool hasSway(const Velk::Mesh& mesh) {
    return mesh.sharedVertexData->vertexDeclaration->findElementBySemantic(Velk::VES_SWAY) != nullptr;
}

} // namespace

TreeScene::TreeScene(Velk::SceneManager& scene, Velk::SceneNode& node) : scene_(scene), node_(node) {}

TreeScene::~TreeScene() = default;

// Entity first: it refers to its mesh until it is gone.
void TreeScene::removeTree() {
    if (entity_ != nullptr) {
        node_.detachObject(entity_);
        const std::string meshName = entity_->getMesh()->getName();
        scene_.removeEntity(entity_);
        entity_ = nullptr;
        Velk::MeshManager::getSingleton().remove(meshName);
    }
    tree_.reset();
}

// All of it runs inside one frame; the camera is left where it is. The old
// tree goes first so that the new one reuses its memory; growth is
// deterministic, so a refused tree is replaced by the old one grown again.
void TreeScene::show(const TreeParameters& params, int32_t seed, uint64_t vertexBudget) {
    std::unique_ptr<TreeParameters> previous = tree_ ? tree_->params->clone() : nullptr;
    const int32_t previousSeed = seed_;
    removeTree();
    try {
        build(params, seed, vertexBudget);
    } catch (const TreeTooLarge&) {
        removeTree();
        if (previous) build(*previous, previousSeed, Tree::DEFAULT_VERTEX_BUDGET);
        throw;
    }
    ++shows_;
}

void TreeScene::build(const TreeParameters& params, int32_t seed, uint64_t vertexBudget) {
    tree_ = std::make_unique<Tree>(params, seed, &memory_, vertexBudget);
    requireWithinBudget(*tree_);
    seed_ = seed;
    tree_->grow();
    Velk::Mesh* mesh = tree_->buildMesh("TreeMesh");
    // Sway data only when it is used: a still tree costs nothing more.
    if (windOn_) tree_->buildWind(*mesh);
    entity_ = scene_.createEntity("TreeEntity", "TreeMesh");
    assignTreeMaterials(*entity_, *tree_);
    node_.attachObject(entity_);
    applyWind();
}

void TreeScene::setWind(bool on, float strength) {
    windOn_ = on;
    windStrength_ = strength;
    if (on && entity_ != nullptr && !hasSway(*entity_->getMesh())) {
        tree_->buildWind(*entity_->getMesh());
        entity_->_notifyVertexDataChanged();
    }
    applyWind();
}

void TreeScene::applyWind() {
    const float height = tree_ ? tree_->extent.y : 0.0f;
    scene_.setWind(kWindDirection, windOn_ ? windStrength_ : 0.0f, height);
}
