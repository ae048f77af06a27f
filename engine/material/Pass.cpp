#include "material/Pass.h"

#include "core/Exception.h"
#include "material/Material.h"
#include "material/TextureManager.h"

namespace Velk {

namespace {
// The texture manager's error with the material that asked added in front.
[[noreturn]] void rethrowForMaterial(const Exception& error, const Material* material, const char* operation) {
    throw Exception(error.getNumber(),
                    "material '" + (material != nullptr ? material->getName() : std::string("?")) + "': " +
                        error.getDescription(),
                    operation, error.getFile(), error.getLine());
}
} // namespace

Pass::Pass(Material* parent) : parent_(parent) {}

Pass::~Pass() = default;

// Values outside the enumeration come from casts; they are caller errors.
void Pass::setCullingMode(CullingMode mode) {
    if (mode < CULL_NONE || mode > CULL_ANTICLOCKWISE)
        VELK_EXCEPT(ERR_INVALIDPARAMS, "unknown culling mode " + std::to_string(static_cast<int>(mode)) + " (1 to 3)",
                    "Pass::setCullingMode");
    culling_ = mode;
}

// Same check as setCullingMode.
void Pass::setManualCullingMode(ManualCullingMode mode) {
    if (mode < MANUAL_CULL_NONE || mode > MANUAL_CULL_FRONT)
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "unknown manual culling mode " + std::to_string(static_cast<int>(mode)) + " (1 to 3)",
                    "Pass::setManualCullingMode");
    manualCulling_ = mode;
}

// Loading now makes a missing file fail where the material is set up.
TextureUnitState* Pass::createTextureUnitState(const std::string& textureName, unsigned short coordSet) {
    TexturePtr texture;
    try {
        texture = TextureManager::getSingleton().load(textureName);
    } catch (const Exception& error) {
        rethrowForMaterial(error, parent_, "Pass::createTextureUnitState");
    }
    textureUnits_.push_back(std::make_unique<TextureUnitState>(texture, coordSet));
    return textureUnits_.back().get();
}

// As createTextureUnitState, for a cube of six faces.
TextureUnitState* Pass::createCubicTextureUnitState(const std::string& name, const std::array<std::string, 6>& faces) {
    TexturePtr texture;
    try {
        texture = TextureManager::getSingleton().loadCubic(name, faces);
    } catch (const Exception& error) {
        rethrowForMaterial(error, parent_, "Pass::createCubicTextureUnitState");
    }
    textureUnits_.push_back(std::make_unique<TextureUnitState>(texture, 0));
    return textureUnits_.back().get();
}

TextureUnitState* Pass::getTextureUnitState(std::size_t index) const {
    if (index >= textureUnits_.size())
        VELK_EXCEPT(ERR_INVALIDPARAMS,
                    "texture unit " + std::to_string(index) + " does not exist (the pass has " +
                        std::to_string(textureUnits_.size()) + ")",
                    "Pass::getTextureUnitState");
    return textureUnits_[index].get();
}

} // namespace Velk
