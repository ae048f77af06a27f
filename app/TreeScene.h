#pragma once

#include "BlockCache.h" // Required for: BlockCache
#include "Tree.h"       // Required for: Tree

#include <cstdint> // Required for: int32_t, uint64_t
#include <memory>  // Required for: std::unique_ptr

namespace Velk {
class Entity;
class SceneManager;
class SceneNode;
} // namespace Velk
class TreeParameters;

// The tree on show. Every road to a new tree (the start, a number key, the
// editor, a reloaded species file, treegen render) goes through `show`:
// grow, build the mesh "TreeMesh", create the entity "TreeEntity", give it
// its materials and attach it to the tree node, replacing the tree before.
class TreeScene {
public:
    TreeScene(Velk::SceneManager& scene, Velk::SceneNode& node);
    // Drops the tree; the entity and mesh belong to the engine.
    ~TreeScene();
    TreeScene(const TreeScene&) = delete;
    TreeScene& operator=(const TreeScene&) = delete;

    // Replaces the tree on show with one grown from `params` and `seed`,
    // drawn solid. The materials must exist (createTreeMaterials). A tree
    // over the vertex budget throws TreeTooLarge before any geometry is
    // made, and the tree shown before is shown again.
    void show(const TreeParameters& params, int32_t seed,
              uint64_t vertexBudget = Tree::DEFAULT_VERTEX_BUDGET);

    // Whether the tree sways in the wind, `strength` the share of a strong
    // wind (0: still). The tree on show and every later one get their sway
    // data when the wind is on; off, the scene is still and draws exactly as
    // without the wind.
    void setWind(bool on, float strength);
    bool isWindOn() const { return windOn_; }
    float getWindStrength() const { return windStrength_; }

    // The tree on show, null before the first `show`.
    Tree* getTree() const { return tree_.get(); }
    Velk::Entity* getEntity() const { return entity_; }
    Velk::SceneNode& getNode() const { return node_; }
    // How many trees `show` has grown.
    uint32_t getShowCount() const { return shows_; }

private:
    // Detaches and destroys entity, mesh and tree, so that the names are free.
    void removeTree();
    // Grows the tree, builds its mesh and shows its entity.
    void build(const TreeParameters& params, int32_t seed, uint64_t vertexBudget);
    // Hands the scene the wind for the tree on show (its height sets the sway).
    void applyWind();

    Velk::SceneManager& scene_;
    Velk::SceneNode& node_;
    BlockCache memory_; // reused by every tree; outlives them
    std::unique_ptr<Tree> tree_;
    Velk::Entity* entity_ = nullptr; // "TreeEntity", engine-owned
    int32_t seed_ = 0;               // the tree on show was grown with this seed
    uint32_t shows_ = 0;
    bool windOn_ = false;
    float windStrength_ = 0.0f;
};
