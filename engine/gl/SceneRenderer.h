#pragma once

#include <epoxy/gl.h> // Required for: GLuint, GLint

#include "math/Matrix4.h" // Required for: Matrix4

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {
class Camera;
class Entity;
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

    // One sub-entity waiting to be drawn, with its world transform.
    struct Queued {
        SubEntity* subEntity;
        Matrix4 world;
        int detail;
        float distance; // squared, from the eye
    };

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

    std::vector<Queued> queue_;
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
