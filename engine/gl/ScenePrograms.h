#pragma once

#include <epoxy/gl.h> // Required for: GLuint, GLint

#include <array> // Required for: std::array

namespace Velk::GL {

// Where a program keeps the wind's uniforms.
struct WindUniforms {
    GLint direction = -1, strength = -1, scale = -1, time = -1;
};

// One variant of the entity program and where its uniforms are.
struct EntityProgram {
    GLuint program = 0;
    GLint worldViewProj = -1, worldRotation = -1, world = -1, diffuseMap = -1, passDiffuse = -1, ambient = -1,
          lightCount = -1, towardsLight = -1, lightColour = -1, alphaCutoff = -1, shadowMatrix = -1,
          shadowNormalOffset = -1, shadowMap = -1, shadowTexel = -1, shadowFloor = -1;
    WindUniforms wind;
    unsigned long frame = 0; // the last frame whose lights and shadow it was given
};

// One variant of the shadow-map program.
struct ShadowProgram {
    GLuint program = 0;
    GLint worldViewProj = -1, diffuseMap = -1;
    WindUniforms wind;
};

// The variants of the entity and shadow-map programs, each compiled on first
// use (see EntityFeature) and kept until the renderer goes.
class ScenePrograms {
public:
    ScenePrograms() = default;
    ~ScenePrograms();
    ScenePrograms(const ScenePrograms&) = delete;
    ScenePrograms& operator=(const ScenePrograms&) = delete;

    // `features` is a combination of EntityFeature bits.
    EntityProgram& entity(unsigned features);
    // The shadow map's program for cut-outs (texture alpha tested) or not,
    // swaying or not.
    ShadowProgram& shadow(bool cutOut, bool sway);

private:
    std::array<EntityProgram, 128> entity_{};
    std::array<ShadowProgram, 4> shadow_{};
};

} // namespace Velk::GL
