#pragma once

#include "core/ColourValue.h"         // Required for: ColourValue
#include "material/TextureUnitState.h" // Required for: TextureUnitState

#include <array>  // Required for: std::array
#include <memory> // Required for: std::unique_ptr
#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {

class Material;

// How a pass's colour joins what is already drawn.
enum SceneBlendType {
    SBT_TRANSPARENT_ALPHA,  // source × alpha + destination × (1 − alpha)
    SBT_TRANSPARENT_COLOUR, // source × colour + destination × (1 − colour)
    SBT_ADD,                // source + destination
    SBT_MODULATE,           // source × destination
    SBT_REPLACE,            // source only (the default: opaque)
};

// Which triangles the graphics card skips, by their winding on screen.
enum CullingMode {
    CULL_NONE = 1,          // draw both sides (and light the back side as its own front)
    CULL_CLOCKWISE = 2,     // skip clockwise triangles (the default: back faces)
    CULL_ANTICLOCKWISE = 3, // skip anticlockwise triangles
};

// Which triangles the engine skips by facing before drawing.
enum ManualCullingMode {
    MANUAL_CULL_NONE = 1,
    MANUAL_CULL_BACK = 2, // the default
    MANUAL_CULL_FRONT = 3,
};

// One way of drawing geometry: colours, lighting, blending, culling, depth
// and textures. Shading, lit:   texture × vertex colour × (scene ambient ×
// ambient + Σ light × diffuse × max(0, N·L)); unlit: texture × vertex colour.
// Alpha is texture alpha × vertex alpha × diffuse alpha.
class Pass {
public:
    explicit Pass(Material* parent);
    ~Pass();
    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

    void setSceneBlending(SceneBlendType type) { sceneBlend_ = type; }
    SceneBlendType getSceneBlending() const { return sceneBlend_; }
    // Blended passes draw after opaque ones and skip nearly transparent fragments.
    bool isTransparent() const { return sceneBlend_ != SBT_REPLACE; }
    void setCullingMode(CullingMode mode);
    CullingMode getCullingMode() const { return culling_; }
    void setManualCullingMode(ManualCullingMode mode);
    ManualCullingMode getManualCullingMode() const { return manualCulling_; }
    void setLightingEnabled(bool enabled) { lighting_ = enabled; }
    bool getLightingEnabled() const { return lighting_; }
    void setDiffuse(float r, float g, float b, float a) { diffuse_ = {r, g, b, a}; }
    void setDiffuse(const ColourValue& colour) { diffuse_ = colour; }
    const ColourValue& getDiffuse() const { return diffuse_; }
    void setAmbient(float r, float g, float b) { ambient_ = {r, g, b, 1.0f}; }
    void setAmbient(const ColourValue& colour) { ambient_ = colour; }
    const ColourValue& getAmbient() const { return ambient_; }
    void setDepthWriteEnabled(bool enabled) { depthWrite_ = enabled; }
    bool getDepthWriteEnabled() const { return depthWrite_; }
    void setDepthCheckEnabled(bool enabled) { depthCheck_ = enabled; }
    bool getDepthCheckEnabled() const { return depthCheck_; }

    // Adds a texture unit with the flat texture `textureName` (loaded now,
    // through the texture manager) read with coordinate set `coordSet`.
    // Throws, naming the texture and the material, when it cannot load.
    TextureUnitState* createTextureUnitState(const std::string& textureName, unsigned short coordSet = 0);
    // Adds a texture unit with a cube texture made from six face images.
    TextureUnitState* createCubicTextureUnitState(const std::string& name, const std::array<std::string, 6>& faces);
    std::size_t getNumTextureUnitStates() const { return textureUnits_.size(); }
    // Texture unit number `index`; throws when there is none.
    TextureUnitState* getTextureUnitState(std::size_t index) const;

    Material* getParent() const { return parent_; }

private:
    Material* parent_;
    SceneBlendType sceneBlend_ = SBT_REPLACE;
    CullingMode culling_ = CULL_CLOCKWISE;
    ManualCullingMode manualCulling_ = MANUAL_CULL_BACK;
    bool lighting_ = true;
    bool depthWrite_ = true;
    bool depthCheck_ = true;
    ColourValue diffuse_{1.0f, 1.0f, 1.0f, 1.0f};
    ColourValue ambient_{1.0f, 1.0f, 1.0f, 1.0f};
    std::vector<std::unique_ptr<TextureUnitState>> textureUnits_;
};

} // namespace Velk
