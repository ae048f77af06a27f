#include "gl/ScenePrograms.h"

#include "gl/GLObjects.h"
#include "gl/SceneShaders.h"
#include "gl/ShaderProgram.h"

#include <string> // Required for: std::string

namespace Velk::GL {

static_assert(kEntityVariants == 128, "one entity program slot per combination of features");

namespace {

WindUniforms windUniformsOf(GLuint program) {
    return {glGetUniformLocation(program, "windDirection"), glGetUniformLocation(program, "windStrength"),
            glGetUniformLocation(program, "windScale"), glGetUniformLocation(program, "windTime")};
}

} // namespace

// The context is still current: the root frees the scene before the window.
ScenePrograms::~ScenePrograms() {
    for (EntityProgram& p : entity_) deleteObject(ObjectKind::Program, p.program);
    for (ShadowProgram& p : shadow_) deleteObject(ObjectKind::Program, p.program);
}

EntityProgram& ScenePrograms::entity(unsigned features) {
    EntityProgram& p = entity_.at(features);
    if (p.program != 0) return p;
    const std::string header = entityShaderHeader(features);
    p.program = buildProgram("scene entity", (header + kEntityVertexShader).c_str(),
                             (header + kEntityFragmentShader).c_str());
    const auto uniform = [&](const char* name) { return glGetUniformLocation(p.program, name); };
    p.worldViewProj = uniform("worldViewProj");
    p.worldRotation = uniform("worldRotation");
    p.world = uniform("world");
    p.diffuseMap = uniform("diffuseMap");
    p.passDiffuse = uniform("passDiffuse");
    p.ambient = uniform("ambient");
    p.lightCount = uniform("lightCount");
    p.towardsLight = uniform("towardsLight");
    p.lightColour = uniform("lightColour");
    p.alphaCutoff = uniform("alphaCutoff");
    p.shadowMatrix = uniform("shadowMatrix");
    p.shadowNormalOffset = uniform("shadowNormalOffset");
    p.shadowMap = uniform("shadowMap");
    p.shadowTexel = uniform("shadowTexel");
    p.shadowFloor = uniform("shadowFloor");
    p.wind = windUniformsOf(p.program);
    return p;
}

ShadowProgram& ScenePrograms::shadow(bool cutOut, bool sway) {
    ShadowProgram& p = shadow_.at((cutOut ? 1u : 0u) | (sway ? 2u : 0u));
    if (p.program != 0) return p;
    const std::string header = entityShaderHeader((cutOut ? EF_CUT_OUT : 0u) | (sway ? EF_SWAY : 0u));
    p.program = buildProgram("shadow map", (header + kShadowVertexShader).c_str(),
                             (header + kShadowFragmentShader).c_str());
    p.worldViewProj = glGetUniformLocation(p.program, "worldViewProj");
    p.diffuseMap = glGetUniformLocation(p.program, "diffuseMap");
    p.wind = windUniformsOf(p.program);
    return p;
}

} // namespace Velk::GL
