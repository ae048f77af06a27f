#pragma once

#include <epoxy/gl.h> // Required for: GLuint, GLint

#include "gl/ScenePrograms.h" // Required for: ScenePrograms, EntityProgram
#include "math/Matrix4.h"      // Required for: Matrix4

#include <array>  // Required for: std::array
#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

namespace Velk {
class Camera;
class Vector3;
class Entity;
class Mesh;
class Pass;
class SceneManager;
class SubEntity;
class SubMesh;
class Viewport;
} // namespace Velk

namespace Velk::GL {

// Draws a scene manager's contents for one camera: the sky box, the ground,
// then every visible entity on the scene tree: opaque passes first, then
// cut-out passes (alpha-blended textured passes at full pass alpha: drawn
// without blending, keeping the opaque core of the texture, edges softened by
// alpha-to-coverage when multisampling), then blended passes from far to
// near. Each sub-entity is one indexed draw straight from the mesh's GL
// buffers. Owns the shader programs, the sky cube, the ground disc and the
// shadow map.
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

    // How many times the shadow map has been drawn.
    unsigned long getShadowMapRenderCount() const { return shadowRenders_; }

    // One sub-entity waiting to be drawn, with its world transform.
    struct Queued {
        SubEntity* subEntity;
        Matrix4 world;
        int detail;
        float distance; // squared, from the eye
    };

    // Shortcuts that leave every pixel as it is; off draws the plain way.
    void setShortcutsEnabled(bool enabled) { shortcuts_ = enabled; }
    // Frames whose ground was split at the shadow map's reach.
    unsigned long getGroundShadowSplitCount() const { return groundShadowSplits_; }
    // Frames whose sky was drawn behind the ground's opaque middle.
    unsigned long getSkyBehindGroundCount() const { return skyBehindGround_; }
    // Batches handed over to a CPU renderer's threads before the frame's end.
    unsigned long getHandOverCount() const { return handOvers_; }

private:
    // The entity program variant with these features, in use and given this
    // frame's lights, shadow map and wind.
    EntityProgram& useEntityProgram(unsigned features, const SceneManager& scene);
    void applyPassUniforms(const EntityProgram& program, const Pass& pass, const SceneManager& scene,
                           float alphaCutoff);
    unsigned int drawSubEntity(SubEntity& subEntity, const Matrix4& viewProjection, const Matrix4& world,
                               SceneManager& scene, int detail, bool multisampled);
    // When the sky is drawn: before everything, after the opaque things it
    // lies behind (filling only what they left empty), or last.
    enum class SkyOrder { First, BehindDrawn, Last };
    unsigned int drawSky(SceneManager& scene, Camera& camera, const Matrix4& viewProjection, SkyOrder order,
                         int cameraDetail);
    void applyPassState(const Pass& pass, int detail);
    void setWorld(const EntityProgram& program, const Matrix4& viewProjection, const Matrix4& world);
    void handOver(std::size_t atLeast);
    void drawIndices(const SubMesh& subMesh);
    void prepareGround(const SceneManager& scene);
    bool groundMiddleFirst(const SceneManager& scene, int cameraDetail) const;
    unsigned int drawGround(SceneManager& scene, const Matrix4& viewProjection, int cameraDetail, int first, int count);
    // Draws the shadow map when what casts or the light changed; returns
    // whether shadows are in use this frame.
    bool updateShadowMap(const Vector3& towardsLight, const SceneManager& scene);
    void createShadowMap();
    std::vector<Queued> queue_;
    ScenePrograms programs_;
    GLuint currentProgram_ = 0;
    unsigned long frame_ = 0;
    // This frame's directional lights and whether shadows and wind are on.
    int lights_ = 0;
    std::array<float, 12> towards_{};
    std::array<float, 12> colours_{};
    bool shadows_ = false;
    bool wind_ = false;
    bool shortcuts_ = true;
    bool softwareRenderer_ = false;
    std::size_t pending_ = 0; // triangles set up since the last hand-over
    unsigned long groundShadowSplits_ = 0;
    unsigned long skyBehindGround_ = 0;
    unsigned long handOvers_ = 0;
    GLuint skyProgram_ = 0;
    GLint skyWorldViewProj_ = -1;
    GLint skySampler_ = -1;
    GLint skyDiffuse_ = -1;
    GLuint skyVertexArray_ = 0;
    GLuint skyVertices_ = 0;
    GLuint skyIndices_ = 0;

    GLuint groundVertexArray_ = 0;
    GLuint groundVertices_ = 0;
    GLuint groundIndices_ = 0;
    int groundIndexCount_ = 0;
    int groundOpaqueIndexCount_ = 0; // the first indices: the opaque middle
    std::array<float, 3> groundShape_{}; // radius, height, tile size of the disc in the buffers

    GLuint shadowFramebuffer_ = 0;
    GLuint shadowTexture_ = 0;
    std::vector<double> shadowSignature_; // what the shadow map was drawn from
    std::vector<double> signature_;       // this frame's, kept for its memory
    Matrix4 shadowMatrix_;                // world to shadow-map coordinates 0..1
    float shadowNormalOffset_ = 0.0f;
    unsigned long shadowRenders_ = 0;
};

} // namespace Velk::GL
