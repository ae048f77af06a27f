#include "material/MaterialStateDump.h"

namespace Velk {

namespace {
const char* blendName(SceneBlendType type) {
    switch (type) {
    case SBT_TRANSPARENT_ALPHA: return "alpha_blend";
    case SBT_TRANSPARENT_COLOUR: return "colour_blend";
    case SBT_ADD: return "add";
    case SBT_MODULATE: return "modulate";
    case SBT_REPLACE: return "replace";
    }
    return "?";
}

const char* cullingName(CullingMode mode) {
    switch (mode) {
    case CULL_NONE: return "none";
    case CULL_CLOCKWISE: return "clockwise";
    case CULL_ANTICLOCKWISE: return "anticlockwise";
    }
    return "?";
}

const char* manualCullingName(ManualCullingMode mode) {
    switch (mode) {
    case MANUAL_CULL_NONE: return "none";
    case MANUAL_CULL_BACK: return "back";
    case MANUAL_CULL_FRONT: return "front";
    }
    return "?";
}
} // namespace

// Colours as arrays: diffuse [r, g, b, a], ambient [r, g, b].
nlohmann::json dumpMaterials(const std::map<std::string, MaterialPtr>& materials) {
    nlohmann::json all = nlohmann::json::array();
    for (const auto& [name, material] : materials) {
        const Pass* pass = material->getDrawPass();
        nlohmann::json textures = nlohmann::json::array();
        for (std::size_t i = 0; i < pass->getNumTextureUnitStates(); ++i)
            textures.push_back(pass->getTextureUnitState(i)->getTextureName());
        const ColourValue& d = pass->getDiffuse();
        const ColourValue& a = pass->getAmbient();
        all.push_back({{"name", name},
                       {"diffuse", {d.r, d.g, d.b, d.a}},
                       {"ambient", {a.r, a.g, a.b}},
                       {"lighting", pass->getLightingEnabled()},
                       {"sceneBlending", blendName(pass->getSceneBlending())},
                       {"culling", cullingName(pass->getCullingMode())},
                       {"manualCulling", manualCullingName(pass->getManualCullingMode())},
                       {"depthWrite", pass->getDepthWriteEnabled()},
                       {"depthCheck", pass->getDepthCheckEnabled()},
                       {"textures", textures}});
    }
    return all;
}

} // namespace Velk
