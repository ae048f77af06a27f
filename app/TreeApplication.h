#pragma once

#include "DemoApplication.h"
#include "TreeDemoState.h"

#include <memory> // Required for: std::unique_ptr
#include <string> // Required for: std::string

class TreeParameters;

// The tree demonstration: a grown tree under a blue sky, its panel, and
// the keys that orbit, restyle and regrow it.
class TreeApplication : public DemoApplication {
public:
    // Starts with the Quaking Aspen.
    TreeApplication();
    // Starts with `start`; with a species file named, the file is watched
    // and the panel shows its name.
    TreeApplication(std::unique_ptr<TreeParameters> start, std::string speciesFile);
    // The tree goes before the engine root that holds its mesh.
    ~TreeApplication() override;

    const TreeDemoState& getState() const { return state; }
    // The leaf atlas to start with, a texture name of leafTextureName.
    void setStartLeafTexture(const std::string& texture) { state.leafTexture = texture; }

protected:
    void createFrameListener() override;
    void createScene() override;

private:
    TreeDemoState state;
    std::unique_ptr<TreeParameters> startParameters;
};
