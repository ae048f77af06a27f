#include "TreeApplication.h"

#include "SpeciesFile.h"
#include "TreeFrameListener.h"
#include "TreeType.h"
#include "mesh/Mesh.h"       // Required for: Velk::Mesh, Velk::SubMesh
#include "mesh/SubMesh.h"    // Required for: Velk::SubMesh
#include "render/Root.h"     // Required for: Velk::Root
#include "scene/Entity.h"    // Required for: Velk::Entity

#include <nlohmann/json.hpp> // Required for: nlohmann::json

namespace {

// The Quaking Aspen on the two levels the demonstration starts with.
std::unique_ptr<TreeParameters> quakingAspen() {
    auto params = std::make_unique<TreeParameters>(2);
    params->loadPreset(TREE_QUAKING_ASPEN);
    return params;
}

// The tree's counters beside what its mesh holds, so that tests can check
// that a regrown tree and its mesh agree.
nlohmann::json describeTree(const Tree& tree, const Velk::Entity* entity) {
    nlohmann::json j = {{"type", tree.params->getType()},
                        {"levels", tree.params->levels},
                        {"leafAlpha", tree.params->getLeafAlpha()},
                        {"treeScale", tree.treeScale},
                        {"stemCount", tree.stemCount},
                        {"leafCount", tree.leafCount},
                        {"vertexCount", tree.vertexCount},
                        {"stemTriangleCount", tree.stemTriangleCount},
                        {"leafTriangleCount", tree.leafTriangleCount},
                        {"frameCount", tree.frameCount}};
    // Every field by name, as a species file holds them.
    j["parameters"] = nlohmann::json::parse(speciesFileText(*tree.params, tree.params->getTypeName()));
    if (entity == nullptr) return j;
    const Velk::Mesh& mesh = *entity->getMesh();
    nlohmann::json buffers = nlohmann::json::array();
    const Velk::VertexBufferBinding& binding = *mesh.sharedVertexData->vertexBufferBinding;
    for (uint16_t i = 0; i < binding.getBufferCount(); ++i) buffers.push_back(binding.getBuffer(i)->getSizeInBytes());
    nlohmann::json indexCounts = nlohmann::json::array();
    for (std::size_t i = 0; i < mesh.getNumSubMeshes(); ++i) indexCounts.push_back(mesh.getSubMesh(i)->indexData->indexCount);
    j["mesh"] = {{"vertexCount", mesh.sharedVertexData->vertexCount},
                 {"vertexBufferBytes", buffers},
                 {"indexCounts", indexCounts}};
    return j;
}

} // namespace

TreeApplication::TreeApplication() : startParameters(quakingAspen()) {}

TreeApplication::TreeApplication(std::unique_ptr<TreeParameters> start, std::string speciesFile)
    : startParameters(std::move(start)) {
    state.speciesFile = std::move(speciesFile);
}

TreeApplication::~TreeApplication() {
    if (root) root->setStateDumpSection("treeDemo", {});
    state.parameters.reset();
    state.treeScene.reset();
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
            {"wind", state.treeScene->isWindOn()},
            {"windStrength", state.treeScene->getWindStrength()},
            {"framedHeight", state.framedHeight},
            {"regenerations", listener->getRegenerationCount()},
            {"treesShown", state.treeScene->getShowCount()},
            {"speciesFile", state.speciesFile},
            {"leafTexture", state.leafTexture},
        };
        if (state.parameters)
            j["workingParameters"] = {{"type", state.parameters->getType()},
                                      {"leafAlpha", state.parameters->getLeafAlpha()}};
        if (state.treeScene && state.treeScene->getTree())
            j["tree"] = describeTree(state.tree(), state.treeScene->getEntity());
        listener->describe(j);
        return j;
    });
}
