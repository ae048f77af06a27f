#pragma once

#include <cstdint> // Required for: int32_t
#include <memory>  // Required for: std::unique_ptr
#include <string>  // Required for: std::string

#include "LeafTexture.h"    // Required for: DEFAULT_LEAF_TEXTURE
#include "Tree.h"           // Required for: Tree
#include "TreeParameters.h" // Required for: TreeParameters
#include "TreeScene.h"      // Required for: TreeScene

namespace Velk {
class Camera;
class Overlay;
class SceneManager;
} // namespace Velk

// The tree demonstration's state: what the scene holds and what the keys
// change. One per program, owned by the application and shared with its
// frame listener.
struct TreeDemoState {
    Velk::Overlay* treePanel = nullptr;         // "Example/TreeOverlay"
    std::unique_ptr<TreeParameters> parameters; // the working parameter set
    std::unique_ptr<TreeScene> treeScene;       // the tree on show, its entity and node
    float cameraElevation = 30.0f;              // degrees above the horizontal
    float cameraDistance = 30.0f;               // orbit radius
    float cameraAzimuth = 0.0f;                 // degrees round the vertical, from +X towards +Z
    int32_t leafLightness = 160;                // 0..255
    int32_t leafAlpha = 255;                    // 0..255
    int32_t seed = 0;                           // 0..1000, for the next regrowth
    bool wireframe = false;                     // the tree drawn as wireframe
    std::string speciesFile;                    // the species file the tree came from; "" for a preset
    bool groundAndShadow = true;                // ground under the tree, shadows on (G)
    float framedHeight = -1.0f;                 // look-at height chosen by Home; below 0: none
    std::string leafTexture = DEFAULT_LEAF_TEXTURE; // the leaf atlas on show (leafTextureName)

    // The tree on show (there is one from the scene's start on).
    Tree& tree() const { return *treeScene->getTree(); }
};

// Builds the tree scene: ambient light, sky box, the sun, the bark, leaf
// and coordinate-frame materials, the tree of `params` and `seed` with its
// mesh "TreeMesh" and entity "TreeEntity", and the camera on its orbit.
// `leafTexture`: the leaf atlas (createTreeMaterials).
void buildTreeScene(Velk::SceneManager& scene, Velk::Camera& camera, TreeDemoState& state,
                    const TreeParameters& params, int32_t seed,
                    const std::string& leafTexture = DEFAULT_LEAF_TEXTURE);

// Places the camera on the orbit round the tree's axis, looking at height h.
void placeOrbitCamera(Velk::Camera& camera, const TreeDemoState& state, float lookAtHeight);
