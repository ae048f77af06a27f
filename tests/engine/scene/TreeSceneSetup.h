#pragma once

#include "scene/SceneManager.h" // Required for: SceneManager

#include <memory> // Required for: std::unique_ptr

class Tree;

// The tree demonstration's scene on a running engine, as the program builds
// it: ambient light, the blue sky box at 50, the sun, the bark, leaf and
// marker materials, and the Quaking Aspen of seed 0 as "TreeEntity" on its
// own node, seen from the orbit camera's start (elevation 30, distance 30).
struct TreeScene {
    std::unique_ptr<Tree> tree;
    Velk::SceneNode* node = nullptr;
    Velk::Entity* entity = nullptr;

    TreeScene();
    ~TreeScene();
    // Builds everything; the camera is placed on the orbit.
    void build(Velk::SceneManager& scene, Velk::Camera& camera);
    // Drops the entity and the mesh, then builds "TreeMesh" again from the
    // same grown tree and shows it as before.
    void rebuildMesh(Velk::SceneManager& scene);
};
