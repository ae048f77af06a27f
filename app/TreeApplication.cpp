#include "TreeApplication.h"

#include "TreeFrameListener.h"
#include "render/Root.h" // Required for: Velk::Root

TreeApplication::~TreeApplication() {
    state.parameters.reset();
    state.tree.reset();
}

void TreeApplication::createFrameListener() {
    auto* listener = new TreeFrameListener(window, camera, state);
    listener->updateTreePanel();
    frameListener = listener;
    root->addFrameListener(frameListener);
}
