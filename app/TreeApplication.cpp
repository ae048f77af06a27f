#include "TreeApplication.h"

#include "TreeFrameListener.h"
#include "render/Root.h" // Required for: Velk::Root

#include <nlohmann/json.hpp> // Required for: nlohmann::json

TreeApplication::~TreeApplication() {
    if (root) root->setStateDumpSection("treeDemo", {});
    state.parameters.reset();
    state.tree.reset();
}

void TreeApplication::createFrameListener() {
    auto* listener = new TreeFrameListener(window, camera, state);
    listener->updateTreePanel();
    frameListener = listener;
    root->addFrameListener(frameListener);

    // What the keys changed, for the state dump that end-to-end tests read.
    root->setStateDumpSection("treeDemo", [this, listener] {
        nlohmann::json j = {
            {"seed", state.seed},
            {"leafLightness", state.leafLightness},
            {"leafAlpha", state.leafAlpha},
            {"cameraElevation", state.cameraElevation},
            {"cameraAzimuth", state.cameraAzimuth},
            {"cameraDistance", state.cameraDistance},
            {"wireframe", state.wireframe},
            {"groundAndShadow", state.groundAndShadow},
            {"framedHeight", state.framedHeight},
            {"regenerations", listener->getRegenerationCount()},
        };
        if (state.parameters)
            j["workingParameters"] = {{"type", state.parameters->getType()},
                                      {"leafAlpha", state.parameters->getLeafAlpha()}};
        if (state.tree)
            j["tree"] = {{"type", state.tree->params->getType()},
                         {"leafAlpha", state.tree->params->getLeafAlpha()},
                         {"treeScale", state.tree->treeScale},
                         {"vertexCount", state.tree->vertexCount}};
        return j;
    });
}
