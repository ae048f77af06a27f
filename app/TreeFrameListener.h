#pragma once

#include "DemoFrameListener.h"
#include "TreeDemoState.h"

#include <cstdint> // Required for: uint32_t

// The tree demonstration's listener: orbits the camera, toggles wireframe,
// regrows the tree as any species with the number keys, changes the seed
// and restyles the leaves, keeping the tree panel up to date. Keeps the
// base listener's input reader and statistics, replaces its key handling.
class TreeFrameListener : public DemoFrameListener {
public:
    TreeFrameListener(Velk::RenderWindow* window, Velk::Camera* camera, TreeDemoState& state);
    ~TreeFrameListener() override = default;

    bool frameStarted(const Velk::FrameEvent& event) override;

    // Clamps the orbit and puts the camera on it, looking at the tree.
    void placeCamera();
    // Moves the camera along its orbit until the whole tree fills the view
    // with a margin (Home).
    void frameWholeTree();
    // Replaces tree, mesh and entity with a new tree of the species.
    void regenerateTree(uint32_t type);
    void updateLeafLightness();
    void updateLeafAlpha();
    // Shows or hides the ground and the shadows.
    void toggleGroundAndShadow();
    // Rewrites the five lines of the tree panel.
    void updateTreePanel();
    // How many times a number key regrew the tree.
    uint32_t getRegenerationCount() const { return regenerations; }

private:
    TreeDemoState& state;
    float treeToggleDelay = 0.0f; // seconds until Tab or a number key is accepted again
    uint32_t regenerations = 0;
};
