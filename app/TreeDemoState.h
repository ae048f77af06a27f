#pragma once

#include <cstdint> // Required for: int32_t
#include <memory>  // Required for: std::unique_ptr

#include "BlockCache.h"     // Required for: BlockCache
#include "Tree.h"           // Required for: Tree
#include "TreeParameters.h" // Required for: TreeParameters

namespace Velk {
class Camera;
class Entity;
class Overlay;
class SceneManager;
class SceneNode;
} // namespace Velk

// The tree demonstration's state: what the scene holds and what the keys
// change. One per program, owned by the application and shared with its
// frame listener.
struct TreeDemoState {
    Velk::Entity* treeEntity = nullptr;        // "TreeEntity"
    Velk::Overlay* treePanel = nullptr;        // "Example/TreeOverlay"
    Velk::SceneNode* treeNode = nullptr;       // carries the tree entity
    std::unique_ptr<TreeParameters> parameters; // the working parameter set
    BlockCache treeMemory;                     // reused by every tree; outlives them
    std::unique_ptr<Tree> tree;                // the current tree
    float cameraElevation = 30.0f;             // degrees above the horizontal
    float cameraDistance = 30.0f;              // orbit radius
    float cameraAzimuth = 0.0f;                // degrees round the vertical, from +X towards +Z
    int32_t leafLightness = 160;               // 0..255
    int32_t leafAlpha = 255;                   // 0..255
    int32_t seed = 0;                          // 0..1000, for the next regrowth
    bool wireframe = false;                    // the tree drawn as wireframe
    bool groundAndShadow = true;               // ground under the tree, shadows on (G)
    float framedHeight = -1.0f;                // look-at height chosen by Home; below 0: none
};

// Builds the tree scene: ambient light, sky box, the sun, the bark, leaf
// and coordinate-frame materials, the tree of `species` and `seed` with its
// mesh "TreeMesh" and entity "TreeEntity", and the camera on its orbit.
void buildTreeScene(Velk::SceneManager& scene, Velk::Camera& camera, TreeDemoState& state,
                    uint32_t species, int32_t seed);

// Places the camera on the orbit round the tree's axis, looking at height h.
void placeOrbitCamera(Velk::Camera& camera, const TreeDemoState& state, float lookAtHeight);
