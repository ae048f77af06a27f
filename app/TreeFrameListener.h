#pragma once

#include "DemoFrameListener.h"
#include "TreeDemoState.h"
#include "TreeEditor.h"

#include <nlohmann/json_fwd.hpp> // Required for: nlohmann::json

#include <cstdint> // Required for: uint32_t

// The tree demonstration's listener: orbits the camera, toggles wireframe,
// regrows the tree as any species with the number keys, changes the seed
// and restyles the leaves, keeping the tree panel up to date; E opens the
// parameter editor, and a species file the tree came from is reloaded when
// it changes. While the editor's GUI has the keyboard (a field is being
// edited, a slider dragged) the demonstration's keys do nothing. Keeps the
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
    // Shows the next level of detail of the tree (D).
    void stepLevelOfDetail();
    // Rewrites the five lines of the tree panel.
    void updateTreePanel();
    // How many times a number key regrew the tree.
    uint32_t getRegenerationCount() const { return regenerations; }
    // Adds the editor's state to the demonstration's dump section.
    void describe(nlohmann::json& section) const;

private:
    // The keys of the demonstration, when the GUI leaves them alone; false for Escape.
    bool handleKeys(const Velk::FrameEvent& event);

    TreeDemoState& state;
    TreeEditor editor;
    bool editorKeyHeld = false; // E was down on the last frame
    float treeToggleDelay = 0.0f; // seconds until Tab or a number key is accepted again
    uint32_t regenerations = 0;
};
