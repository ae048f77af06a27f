#include "TreeFrameListener.h"

#include "GroundAndShadow.h"
#include "TreeFraming.h"
#include "TreeMaterials.h"
#include "core/StringConverter.h"     // Required for: Velk::StringConverter
#include "input/InputReader.h"        // Required for: Velk::InputReader
#include "input/KeyCodes.h"           // Required for: Velk::KC_*
#include "material/Material.h"        // Required for: Velk::Material, Velk::Pass
#include "material/MaterialManager.h" // Required for: Velk::MaterialManager
#include "overlay/GuiManager.h"       // Required for: Velk::GuiManager
#include "scene/Camera.h"             // Required for: Velk::Camera
#include "scene/Entity.h"             // Required for: Velk::Entity

#include "gui/ImmediateGui.h"         // Required for: Velk::ImmediateGui

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <algorithm>  // Required for: std::min, std::max
#include <filesystem> // Required for: std::filesystem::path

namespace {

// Number keys of the main row and the species they grow.
struct SpeciesKey {
    Velk::KeyCode key;
    uint32_t type;
};
constexpr SpeciesKey kSpeciesKeys[] = {
    {Velk::KC_0, 0}, {Velk::KC_1, 1}, {Velk::KC_2, 2}, {Velk::KC_3, 4},
    {Velk::KC_4, 6}, {Velk::KC_5, 5}, {Velk::KC_6, 3},
};

// The float nearest 1/255.
constexpr float kByteToUnit = 0.003921569f;

// The pass of the leaf material, which both leaf keys restyle.
Velk::Pass* leafPass() {
    return Velk::MaterialManager::getSingleton().getByName("LeafTextMat")->getTechnique(0)->getPass(0);
}

// Sets the leaf diffuse from lightness and alpha; returns the lightness as 0..1.
float setLeafDiffuse(const TreeDemoState& state) {
    const float l = static_cast<float>(state.leafLightness) * kByteToUnit;
    const float a = static_cast<float>(state.leafAlpha) * kByteToUnit;
    const float rb = 0.5f + 0.4f * l;
    leafPass()->setDiffuse(rb, 0.4f * l + 0.6f, rb, a);
    return l;
}

} // namespace

TreeFrameListener::TreeFrameListener(Velk::RenderWindow* window_, Velk::Camera* camera_,
                                     TreeDemoState& state_)
    : DemoFrameListener(window_, camera_), state(state_), editor(state_, [this] { updateTreePanel(); }) {
    if (!state.speciesFile.empty()) editor.watch(state.speciesFile);
}

// The file first, then the keys, then the editor's windows, so that a key
// that opens the editor shows it in the same frame.
bool TreeFrameListener::frameStarted(const Velk::FrameEvent& event) {
    inputReader->capture();
    editor.reloadIfChanged();
    const Velk::ImmediateGui* gui = Velk::ImmediateGui::getSingletonPtr();
    const bool keysFree = gui == nullptr || !gui->wantsKeyboard();
    const bool editorKey = inputReader->isKeyDown(Velk::KC_E);
    if (keysFree) {
        if (!handleKeys(event)) return false;
        if (editorKey && !editorKeyHeld) editor.toggle();
    } else {
        treeToggleDelay = std::max(treeToggleDelay - event.timeSinceLastFrame, 0.0f);
    }
    editorKeyHeld = editorKey;
    editor.draw();
    return true;
}

void TreeFrameListener::describe(nlohmann::json& section) const { section["editor"] = editor.describe(); }

bool TreeFrameListener::handleKeys(const Velk::FrameEvent& event) {
    using namespace Velk;
    InputReader& in = *inputReader;
    if (in.isKeyDown(KC_ESCAPE)) return false;

    // Orbit: one step per frame while held, independent of the frame time.
    if (in.isKeyDown(KC_UP)) { state.cameraElevation += 1.0f; placeCamera(); }
    if (in.isKeyDown(KC_DOWN)) { state.cameraElevation -= 1.0f; placeCamera(); }
    if (in.isKeyDown(KC_LEFT)) { state.cameraAzimuth -= 1.0f; placeCamera(); }
    if (in.isKeyDown(KC_RIGHT)) { state.cameraAzimuth += 1.0f; placeCamera(); }
    if (in.isKeyDown(KC_PGDOWN)) { state.cameraDistance *= 1.03f; placeCamera(); }
    if (in.isKeyDown(KC_PGUP)) { state.cameraDistance *= 0.98f; placeCamera(); }

    treeToggleDelay -= event.timeSinceLastFrame;
    if (treeToggleDelay <= 0.0f) treeToggleDelay = 0.0f;

    if (in.isKeyDown(KC_TAB) && treeToggleDelay == 0.0f) {
        treeToggleDelay = 0.2f;
        state.wireframe = !state.wireframe;
        state.treeScene->getEntity()->setRenderDetail(state.wireframe ? SDL_WIREFRAME : SDL_SOLID);
        state.treeScene->getShownEntity()->setRenderDetail(state.wireframe ? SDL_WIREFRAME : SDL_SOLID);
    }
    if (in.isKeyDown(KC_D) && treeToggleDelay == 0.0f) {
        treeToggleDelay = 0.2f;
        stepLevelOfDetail();
    }
    if (in.isKeyDown(KC_G) && treeToggleDelay == 0.0f) {
        treeToggleDelay = 0.2f;
        toggleGroundAndShadow();
    }
    if (in.isKeyDown(KC_V) && treeToggleDelay == 0.0f) {
        treeToggleDelay = 0.2f;
        TreeScene& trees = *state.treeScene;
        trees.setWind(!trees.isWindOn(), trees.getWindStrength());
    }
    if (in.isKeyDown(KC_HOME)) frameWholeTree();
    // The first accepted number key sets the delay, so one acts per frame.
    for (const SpeciesKey& k : kSpeciesKeys) {
        if (in.isKeyDown(k.key) && treeToggleDelay == 0.0f) {
            treeToggleDelay = 1.0f;
            regenerateTree(k.type);
            placeCamera();
        }
    }

    if (in.isKeyDown(KC_S)) { state.leafAlpha = std::min(state.leafAlpha + 1, 255); updateLeafAlpha(); }
    if (in.isKeyDown(KC_A)) { state.leafAlpha = std::max(state.leafAlpha - 1, 0); updateLeafAlpha(); }
    if (in.isKeyDown(KC_L)) { state.leafLightness = std::min(state.leafLightness + 1, 255); updateLeafLightness(); }
    if (in.isKeyDown(KC_K)) { state.leafLightness = std::max(state.leafLightness - 1, 0); updateLeafLightness(); }
    if (in.isKeyDown(KC_W)) { state.seed = std::min(state.seed + 1, 1000); updateTreePanel(); }
    if (in.isKeyDown(KC_Q)) { state.seed = std::max(state.seed - 1, 0); updateTreePanel(); }
    return true;
}

void TreeFrameListener::placeCamera() {
    if (state.cameraElevation > 88.0f)
        state.cameraElevation = 88.0f;
    else if (state.cameraElevation < -88.0f)
        state.cameraElevation = -88.0f;
    if (state.cameraAzimuth > 360.0f)
        state.cameraAzimuth -= 360.0f;
    else if (state.cameraAzimuth < 0.0f)
        state.cameraAzimuth += 360.0f;
    placeOrbitCamera(*camera, state, state.framedHeight >= 0.0f ? state.framedHeight : 0.64f * state.tree().treeScale);
}

void TreeFrameListener::frameWholeTree() {
    const TreeFraming framing = frameTree(treeBounds(state.tree()), camera->getFOVy(), camera->getAspectRatio(),
                                          state.cameraAzimuth, state.cameraElevation, camera->getNearClipDistance());
    state.cameraDistance = framing.distance;
    state.framedHeight = framing.lookAtHeight;
    placeCamera();
}

void TreeFrameListener::toggleGroundAndShadow() {
    state.groundAndShadow = !state.groundAndShadow;
    showGroundAndShadow(*camera->getSceneManager(), state.groundAndShadow);
}

// The working set takes the preset and the current leaf alpha; the new tree
// is drawn solid whatever the wireframe flag says.
void TreeFrameListener::regenerateTree(uint32_t type) {
    state.parameters->loadPreset(type);
    state.parameters->setLeafAlpha(static_cast<uint8_t>(state.leafAlpha & 0xFF));
    state.framedHeight = -1.0f;
    state.treeScene->show(*state.parameters, state.seed);
    state.speciesFile.clear();
    editor.presetLoaded();
    ++regenerations;
    updateTreePanel();
}

// Full, LOD1, LOD2, LOD3 and back to full; the levels are made on the
// first step after a regrowth.
void TreeFrameListener::stepLevelOfDetail() {
    TreeScene& scene = *state.treeScene;
    scene.showLevel((scene.getLevel() + 1) % (TreeScene::DEMO_LEVELS + 1));
    updateTreePanel();
}

void TreeFrameListener::updateLeafLightness() {
    const float l = setLeafDiffuse(state);
    leafPass()->setAmbient(0.8f * l, l, 0.8f * l);
    updateTreePanel();
}

void TreeFrameListener::updateLeafAlpha() {
    state.tree().params->setLeafAlpha(static_cast<uint8_t>(state.leafAlpha & 0xFF));
    setLeafDiffuse(state);
    updateTreePanel();
}

void TreeFrameListener::updateTreePanel() {
    using Velk::StringConverter;
    Velk::GuiManager& gui = Velk::GuiManager::getSingleton();
    const TreeParameters& params = *state.tree().params;
    // A tree from a species file is named by the file.
    const std::string species = state.speciesFile.empty()
                                    ? params.getTypeName()
                                    : std::filesystem::path(state.speciesFile).filename().string();
    gui.getGuiElement("Example/Tree/TreeType", false)->setCaption("[1-6] Tree Type: " + species);
    gui.getGuiElement("Example/Tree/Seed", false)->setCaption("[Q/W] Seed: " + StringConverter::toString(state.seed));
    gui.getGuiElement("Example/Tree/Scale", false)
        ->setCaption("     Scale: " + StringConverter::toString(state.tree().treeScale));
    gui.getGuiElement("Example/Tree/Lighting", false)
        ->setCaption("[K/L] Leaves Lightness: " + StringConverter::toString(state.leafLightness));
    gui.getGuiElement("Example/Tree/Alpha", false)
        ->setCaption("[A/S] Leaves Alpha:    " + StringConverter::toString(int(params.getLeafAlpha())));
    const std::size_t level = state.treeScene->getLevel();
    gui.getGuiElement("Example/Tree/Detail", false)
        ->setCaption("[D] Detail: " + (level == 0 ? std::string("full") : "LOD" + std::to_string(level)) + ", " +
                     std::to_string(state.treeScene->getLevelTriangles()) + " triangles");
}
