#pragma once

#include "DemoApplication.h"
#include "TreeDemoState.h"

// The tree demonstration: a grown tree under a blue sky, its panel, and
// the keys that orbit, restyle and regrow it.
class TreeApplication : public DemoApplication {
public:
    TreeApplication() = default;
    // The tree goes before the engine root that holds its mesh.
    ~TreeApplication() override;

    const TreeDemoState& getState() const { return state; }

protected:
    void createFrameListener() override;
    void createScene() override;

private:
    TreeDemoState state;
};
