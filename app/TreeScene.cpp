#include "TreeScene.h"

#include "TreeLodMesh.h"
#include "TreeMaterials.h"
#include "TreeParameters.h"
#include "TreeTooLarge.h"
#include "mesh/Mesh.h"          // Required for: Velk::Mesh
#include "mesh/MeshManager.h"   // Required for: Velk::MeshManager
#include "scene/Entity.h"       // Required for: Velk::Entity
#include "scene/SceneManager.h" // Required for: Velk::SceneManager
#include "scene/SceneNode.h"    // Required for: Velk::SceneNode
#include "scene/SubEntity.h"    // Required for: Velk::SubEntity

#include <algorithm> // Required for: std::max
#include <string>    // Required for: std::string

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
    removeFitted();
    if (level_ > 0) node_.detachObject(levelEntities_[level_]);
    for (std::size_t level = 1; level < levelEntities_.size(); ++level) {
        const std::string meshName = levelEntities_[level]->getMesh()->getName();
        scene_.removeEntity(levelEntities_[level]);
        Velk::MeshManager::getSingleton().remove(meshName);
    }
    levelEntities_.clear();
    levelTriangles_.clear();
    if (entity_ != nullptr && level_ == 0) node_.detachObject(entity_);
    level_ = 0;
    if (entity_ != nullptr) {
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

// The levels are made from the mesh on show; nothing here draws from the
// random generator, so the tree stays the same tree.
void TreeScene::showLevel(std::size_t level) {
    removeFitted();
    if (entity_ == nullptr || level == level_) return;
    if (level >= levelEntities_.size()) {
        const std::size_t made = levelEntities_.empty() ? 0 : levelEntities_.size() - 1;
        const std::vector<TreeLod> levels =
            buildTreeLods(*tree_, *entity_->getMesh(), std::max({level, DEMO_LEVELS, made}));
        if (levelEntities_.empty()) {
            levelEntities_.push_back(entity_);
            levelTriangles_.push_back(levels[0].triangleCount());
        }
        for (std::size_t l = levelEntities_.size(); l < levels.size(); ++l) {
            const std::string suffix = "_LOD" + std::to_string(l);
            buildLodMesh(levels[l], *tree_, "TreeMesh" + suffix);
            Velk::Entity* entity = scene_.createEntity("TreeEntity" + suffix, "TreeMesh" + suffix);
            assignTreeMaterials(*entity, *tree_);
            levelEntities_.push_back(entity);
            levelTriangles_.push_back(levels[l].triangleCount());
        }
    }
    node_.detachObject(levelEntities_[level_]);
    Velk::Entity* shown = level == 0 ? entity_ : levelEntities_[level];
    shown->setRenderDetail(entity_->getRenderDetail());
    node_.attachObject(shown);
    level_ = level;
}

std::size_t TreeScene::getLevelTriangles() const {
    if (level_ < levelTriangles_.size()) return levelTriangles_[level_];
    // Before the levels are made: the full tree's count, from its counters
    // (nine triangles per frame marker).
    if (!tree_) return 0;
    const std::size_t markers = hasFrameMarkers(*tree_->params) ? 9 * std::size_t(tree_->frameCount) : 0;
    return std::size_t(tree_->stemTriangleCount) + std::size_t(tree_->leafTriangleCount) + markers;
}

bool TreeScene::showWithinTriangles(std::size_t maxTriangles, std::size_t& smallest) {
    showLevel(0);
    if (entity_ == nullptr) return false;
    const std::optional<TreeLod> fitted = fitTriangleBudget(*tree_, *entity_->getMesh(), maxTriangles, smallest);
    if (!fitted) return false;
    buildLodMesh(*fitted, *tree_, "TreeMesh_Fitted");
    fitted_ = scene_.createEntity("TreeEntity_Fitted", "TreeMesh_Fitted");
    assignTreeMaterials(*fitted_, *tree_);
    fitted_->setRenderDetail(entity_->getRenderDetail());
    node_.detachObject(entity_);
    node_.attachObject(fitted_);
    return true;
}

// The full tree goes back on the node in its place.
void TreeScene::removeFitted() {
    if (fitted_ == nullptr) return;
    node_.detachObject(fitted_);
    scene_.removeEntity(fitted_);
    fitted_ = nullptr;
    Velk::MeshManager::getSingleton().remove("TreeMesh_Fitted");
    node_.attachObject(entity_);
}
