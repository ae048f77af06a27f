#pragma once

#include "BlockCache.h" // Required for: BlockCache
#include "Tree.h"       // Required for: Tree

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: int32_t, uint64_t
#include <memory>  // Required for: std::unique_ptr
#include <vector>  // Required for: std::vector

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
    // Shows level of detail `level` of the tree on show (0: the full tree,
    // "TreeEntity"; 1 up to MAX_TREE_LODS: "TreeEntity_LOD1", ...). The
    // levels are made on the first call for a tree, at least DEMO_LEVELS of
    // them, and dropped with the tree. They are drawn with the full tree's
    // render detail.
    void showLevel(std::size_t level);
    // Shows the tree reduced to at most `maxTriangles` triangles, as the
    // entity "TreeEntity_Fitted", until the next `show` or `showLevel`.
    // False, with the smallest size reachable in `smallest`, when it cannot.
    bool showWithinTriangles(std::size_t maxTriangles, std::size_t& smallest);
    // The level of detail on show; 0 after every `show`.
    std::size_t getLevel() const { return level_; }
    // Triangles of the level on show.
    std::size_t getLevelTriangles() const;
    // The levels the demonstration steps through after the full tree.
    static constexpr std::size_t DEMO_LEVELS = 3;

    // The tree on show, null before the first `show`.
    Tree* getTree() const { return tree_.get(); }
    Velk::Entity* getEntity() const { return entity_; }
    // The entity of the level on show: "TreeEntity" or a reduced level's.
    Velk::Entity* getShownEntity() const { return level_ == 0 ? entity_ : levelEntities_[level_]; }
    Velk::SceneNode& getNode() const { return node_; }
    // How many trees `show` has grown.
    uint32_t getShowCount() const { return shows_; }

private:
    // Detaches and destroys entity, mesh and tree, so that the names are free.
    void removeTree();
    // Takes the fitted tree away, showing the full one.
    void removeFitted();
    // Grows the tree, builds its mesh and shows its entity.
    void build(const TreeParameters& params, int32_t seed, uint64_t vertexBudget);
    // Hands the scene the wind for the tree on show (its height sets the sway).
    void applyWind();

    Velk::SceneManager& scene_;
    Velk::SceneNode& node_;
    BlockCache memory_; // reused by every tree; outlives them
    std::unique_ptr<Tree> tree_;
    Velk::Entity* entity_ = nullptr; // "TreeEntity", engine-owned
    // The reduced levels' entities ("TreeEntity_LOD1", ...) and triangle
    // counts, index 0 standing for the full tree; empty until first shown.
    std::vector<Velk::Entity*> levelEntities_;
    std::vector<std::size_t> levelTriangles_;
    std::size_t level_ = 0;
    Velk::Entity* fitted_ = nullptr; // "TreeEntity_Fitted" when shown
    int32_t seed_ = 0;               // the tree on show was grown with this seed
    uint32_t shows_ = 0;
    bool windOn_ = false;
    float windStrength_ = 0.0f;
};
