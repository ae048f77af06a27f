#pragma once

#include <epoxy/gl.h> // Required for: GLuint, GLint

#include <string> // Required for: std::string

namespace Velk {
class Camera;
class Entity;
class Matrix4;
class Mesh;
class Pass;
class SceneManager;
class SubEntity;
class Viewport;
} // namespace Velk

namespace Velk::GL {

// Draws a scene manager's contents for one camera: the sky box, then every
// visible entity on the scene tree, opaque passes first and blended passes
// after them, each sub-entity in one indexed draw straight from the mesh's
// GL buffers. Owns the shader programs and the sky cube.
class SceneRenderer {
public:
    SceneRenderer();
    ~SceneRenderer();
    SceneRenderer(const SceneRenderer&) = delete;
    SceneRenderer& operator=(const SceneRenderer&) = delete;

    // Draws into the bound viewport; returns the triangles drawn.
    unsigned int render(SceneManager& scene, Camera& camera, Viewport& viewport);

    // Throws, naming the entity and mesh, when the mesh's vertices or indices
    // cannot be drawn (no positions, buffers not in GL memory, a submesh
    // without indices or vertex data).
    static void checkDrawable(const Mesh& mesh, const std::string& entityName);

private:
    struct EntityUniforms {
        GLint worldViewProj, worldRotation, diffuseMap, textured, lit, twoSided, passDiffuse, ambient, lightCount,
            towardsLight, lightColour, alphaCutoff;
    };

    unsigned int drawSubEntity(SubEntity& subEntity, const Matrix4& viewProjection, SceneManager& scene,
                               int detail);
    unsigned int drawSky(SceneManager& scene, Camera& camera, const Matrix4& viewProjection, bool first,
                         int cameraDetail);
    void applyPassState(const Pass& pass, int detail);

    GLuint entityProgram_ = 0;
    EntityUniforms entity_{};
    GLuint skyProgram_ = 0;
    GLint skyWorldViewProj_ = -1;
    GLint skySampler_ = -1;
    GLint skyDiffuse_ = -1;
    GLuint skyVertexArray_ = 0;
    GLuint skyVertices_ = 0;
    GLuint skyIndices_ = 0;
};

} // namespace Velk::GL
