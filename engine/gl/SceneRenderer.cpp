#include "gl/SceneRenderer.h"

#include "core/Exception.h"
#include "gl/GLBufferBackend.h"
#include "gl/GLObjects.h"
#include "gl/GroundPlane.h"
#include "gl/GroundShadowRect.h"
#include "gl/RendererProbe.h"
#include "gl/SceneShaders.h"
#include "gl/ShaderProgram.h"
#include "material/MaterialManager.h"
#include "math/Matrix4.h"
#include "mesh/Mesh.h"
#include "render/Viewport.h"
#include "scene/SceneManager.h"

#include <algorithm> // Required for: std::min, std::sort
#include <cmath>     // Required for: std::abs
#include <cstdint>   // Required for: std::uintptr_t
#include <optional>  // Required for: std::optional
#include <array>     // Required for: std::array
#include <vector>    // Required for: std::vector

namespace Velk::GL {

namespace {

constexpr GLuint kPosition = 0;
constexpr GLuint kNormal = 1;
constexpr GLuint kUv = 2;
constexpr GLuint kColour = 3;
constexpr GLuint kSway = 4;
// Blended passes skip fragments this transparent, so empty parts of cut-out
// leaves neither show nor hide what lies behind them in the depth buffer.
constexpr float kAlphaCutoff = 0.1f;
// The ground fades out towards its rim; its invisible rim writes no depth.
constexpr float kGroundAlphaCutoff = 0.004f;
constexpr GLint kShadowMapSize = 1024;
constexpr int kShadowUnit = 2; // 0: the pass's texture, 1: the sky
// Share of the light that still reaches an entity in the shadow of another:
// the shadows inside a crown of leaves are never black. The ground gets none.
constexpr float kEntityShadowFloor = 0.45f;
// Triangles a CPU renderer is given to draw at a time (see handOver).
constexpr std::size_t kHandOverTriangles = 32768;

// How a pass is drawn. A textured pass blended by its source alpha at full
// pass alpha asks for leaves, fences and the like: shapes cut out of a
// texture. Blending those in one batch with depth writes would let each edge
// hide whatever lies behind it, so they are drawn as cut-outs instead; a pass
// made see-through (pass alpha below 1) is blended as asked.
enum class DrawStyle { Opaque, CutOut, Blended };

// The pass drawn for a sub-entity without a material of its own: lit white.
const Pass& defaultPass() {
    static Material material("BaseWhite");
    return *material.getDrawPass();
}

// The GL buffer behind an engine buffer, or null when another backend made it.
GLBufferStorage* glStorage(HardwareBuffer& buffer) { return dynamic_cast<GLBufferStorage*>(&buffer.getStorage()); }

// The vertex data a submesh draws from.
const VertexData* vertexDataOf(const SubMesh& subMesh) {
    return subMesh.useSharedVertices ? subMesh.parent->sharedVertexData.get() : subMesh.vertexData.get();
}

// Attribute location of an element, or -1 when the shader does not read it.
int locationOf(const VertexElement& element) {
    switch (element.getSemantic()) {
    case VES_POSITION: return kPosition;
    case VES_NORMAL: return kNormal;
    case VES_TEXTURE_COORDINATES: return element.getIndex() == 0 ? static_cast<int>(kUv) : -1;
    case VES_DIFFUSE: return kColour;
    case VES_SPECULAR: return -1;
    case VES_SWAY: return kSway;
    }
    return -1;
}

// Binds every element of the submesh's vertex data and its index buffer into
// a new vertex array; returns the mask of shader inputs left without data.
GLuint makeVertexArray(const SubMesh& subMesh, unsigned int& missing) {
    const VertexData& data = *vertexDataOf(subMesh);
    GLuint vertexArray = createObject(ObjectKind::VertexArray);
    glBindVertexArray(vertexArray);
    missing = (1u << kPosition) | (1u << kNormal) | (1u << kUv) | (1u << kColour) | (1u << kSway);
    for (const VertexElement& element : data.vertexDeclaration->getElements()) {
        const int location = locationOf(element);
        if (location < 0) continue;
        const HardwareVertexBufferSharedPtr& buffer = data.vertexBufferBinding->getBuffer(element.getSource());
        glBindBuffer(GL_ARRAY_BUFFER, glStorage(*buffer)->getName());
        const auto stride = static_cast<GLsizei>(buffer->getVertexSize());
        const void* offset = reinterpret_cast<const void*>(element.getOffset());
        const auto index = static_cast<GLuint>(location);
        glEnableVertexAttribArray(index);
        if (element.getType() == VET_COLOUR_ARGB) {
            // Bytes blue, green, red, alpha in memory: BGRA gives (r, g, b, a).
            glVertexAttribPointer(index, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, offset);
        } else {
            const GLint components = static_cast<GLint>(element.getSize() / sizeof(float));
            glVertexAttribPointer(index, components, GL_FLOAT, GL_FALSE, stride, offset);
        }
        missing &= ~(1u << index);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, glStorage(*subMesh.indexData->indexBuffer)->getName());
    glBindVertexArray(0);
    return vertexArray;
}

// Inputs without data read a constant: white, facing up, texture corner,
// no sway.
void setMissingAttributes(unsigned int missing) {
    if ((missing & (1u << kSway)) != 0) glVertexAttrib4f(kSway, 0.0f, 0.0f, 0.0f, 0.0f);
    if ((missing & (1u << kNormal)) != 0) glVertexAttrib3f(kNormal, 0.0f, 1.0f, 0.0f);
    if ((missing & (1u << kUv)) != 0) glVertexAttrib2f(kUv, 0.0f, 0.0f);
    if ((missing & (1u << kColour)) != 0) glVertexAttrib4f(kColour, 1.0f, 1.0f, 1.0f, 1.0f);
}

// The scene's wind into the program in use.
void applyWind(const WindUniforms& uniforms, const SceneManager& scene) {
    const Vector3& d = scene.getWindDirection();
    glUniform3f(uniforms.direction, d.x, d.y, d.z);
    glUniform1f(uniforms.strength, scene.getWindStrength());
    glUniform1f(uniforms.scale, scene.getWindScale());
    glUniform1f(uniforms.time, scene.getAnimationTime());
}

// Rotation part of a transform, column by column.
std::array<float, 9> rotationOf(const Matrix4& m) {
    return {m.at(0, 0), m.at(1, 0), m.at(2, 0), m.at(0, 1), m.at(1, 1), m.at(2, 1), m.at(0, 2), m.at(1, 2), m.at(2, 2)};
}

// GL primitive for a submesh's operation type.
GLenum primitiveOf(OperationType type) {
    switch (type) {
    case OT_POINT_LIST: return GL_POINTS;
    case OT_LINE_LIST: return GL_LINES;
    case OT_LINE_STRIP: return GL_LINE_STRIP;
    case OT_TRIANGLE_LIST: return GL_TRIANGLES;
    case OT_TRIANGLE_STRIP: return GL_TRIANGLE_STRIP;
    case OT_TRIANGLE_FAN: return GL_TRIANGLE_FAN;
    }
    return GL_TRIANGLES;
}

// Triangles made by `count` indices of that type.
unsigned int trianglesOf(OperationType type, std::size_t count) {
    switch (type) {
    case OT_TRIANGLE_LIST: return static_cast<unsigned int>(count / 3);
    case OT_TRIANGLE_STRIP:
    case OT_TRIANGLE_FAN: return count >= 3 ? static_cast<unsigned int>(count - 2) : 0;
    default: return 0;
    }
}

// Walks the scene tree and queues every visible entity's sub-entities.
void collect(const SceneNode& node, const Vector3& eye, int cameraDetail, std::vector<SceneRenderer::Queued>& queue) {
    const Vector3 position = node.getDerivedPosition();
    const Matrix4 world = Matrix4::fromTransform(position, node.getDerivedOrientation());
    for (MovableObject* object : node.getAttachedObjects()) {
        auto* entity = dynamic_cast<Entity*>(object);
        if (entity == nullptr || !entity->isVisible()) continue;
        const int detail = std::min(cameraDetail, static_cast<int>(entity->getRenderDetail()));
        for (std::size_t i = 0; i < entity->getNumSubEntities(); ++i)
            queue.push_back({entity->getSubEntity(i), world, detail, (position - eye).squaredLength()});
    }
    for (std::size_t i = 0; i < node.numChildren(); ++i) collect(*node.getChild(i), eye, cameraDetail, queue);
}

// The pass a sub-entity draws with.
const Pass& passOf(const SubEntity& subEntity) {
    return subEntity.getMaterial() ? *subEntity.getMaterial()->getDrawPass() : defaultPass();
}

// Whether the pass has a 2D texture.
// The pass's first flat texture, or null.
const TextureUnitState* flatTextureOf(const Pass& pass) {
    for (std::size_t i = 0; i < pass.getNumTextureUnitStates(); ++i)
        if (!pass.getTextureUnitState(i)->isCubic()) return pass.getTextureUnitState(i);
    return nullptr;
}

bool hasFlatTexture(const Pass& pass) { return flatTextureOf(pass) != nullptr; }

// What of the entity program the pass itself asks for.
unsigned passFeatures(const Pass& pass, bool twoSided) {
    return (hasFlatTexture(pass) ? EF_TEXTURED : 0u) | (pass.getLightingEnabled() ? EF_LIT : 0u) |
           (twoSided ? EF_TWO_SIDED : 0u);
}

DrawStyle styleOf(const Pass& pass) {
    if (!pass.isTransparent()) return DrawStyle::Opaque;
    if (pass.getSceneBlending() == SBT_TRANSPARENT_ALPHA && pass.getDiffuse().a >= 1.0f && hasFlatTexture(pass))
        return DrawStyle::CutOut;
    return DrawStyle::Blended;
}

// The vertex array of a sub-entity, made on first use.
GLuint vertexArrayOf(SubEntity& subEntity) {
    if (subEntity._getVertexArray() == 0) {
        unsigned int missing = 0;
        const GLuint vertexArray = makeVertexArray(*subEntity.getSubMesh(), missing);
        subEntity._setVertexArray(vertexArray, missing);
    }
    return subEntity._getVertexArray();
}

// The unit cube's corners and its twelve triangles, seen from inside.
constexpr std::array<float, 24> kCubeCorners = {-1, -1, -1, 1, -1, -1, 1, 1, -1, -1, 1, -1,
                                                -1, -1, 1,  1, -1, 1,  1, 1, 1,  -1, 1, 1};
constexpr std::array<unsigned short, 36> kCubeIndices = {0, 1, 2, 0, 2, 3, 4, 6, 5, 4, 7, 6, 0, 4, 5, 0, 5, 1,
                                                         3, 2, 6, 3, 6, 7, 0, 3, 7, 0, 7, 4, 1, 5, 6, 1, 6, 2};

} // namespace

SceneRenderer::SceneRenderer() {
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    softwareRenderer_ = renderer != nullptr && isSoftwareRenderer(renderer);
    skyProgram_ = buildProgram("sky box", kSkyVertexShader, kSkyFragmentShader);
    skyWorldViewProj_ = glGetUniformLocation(skyProgram_, "worldViewProj");
    skySampler_ = glGetUniformLocation(skyProgram_, "sky");
    skyDiffuse_ = glGetUniformLocation(skyProgram_, "passDiffuse");

    skyVertexArray_ = createObject(ObjectKind::VertexArray);
    skyVertices_ = createObject(ObjectKind::Buffer);
    skyIndices_ = createObject(ObjectKind::Buffer);
    glBindVertexArray(skyVertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, skyVertices_);
    glBufferData(GL_ARRAY_BUFFER, sizeof(kCubeCorners), kCubeCorners.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(kPosition);
    glVertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, skyIndices_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(kCubeIndices), kCubeIndices.data(), GL_STATIC_DRAW);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

// The context is still current: the root frees the scene before the window.
SceneRenderer::~SceneRenderer() {
    deleteObject(ObjectKind::VertexArray, skyVertexArray_);
    deleteObject(ObjectKind::Buffer, skyVertices_);
    deleteObject(ObjectKind::Buffer, skyIndices_);
    deleteObject(ObjectKind::Program, skyProgram_);
    deleteObject(ObjectKind::VertexArray, groundVertexArray_);
    deleteObject(ObjectKind::Buffer, groundVertices_);
    deleteObject(ObjectKind::Buffer, groundIndices_);
    deleteObject(ObjectKind::Framebuffer, shadowFramebuffer_);
    deleteObject(ObjectKind::Texture, shadowTexture_);
}

// The same checks drawing relies on, made once when the entity is created.
void SceneRenderer::checkDrawable(const Mesh& mesh, const std::string& entityName) {
    const auto fail = [&](const std::string& why) {
        VELK_EXCEPT(ERR_INVALIDPARAMS, "cannot create entity '" + entityName + "' from mesh '" + mesh.getName() + "': " + why,
                    "SceneManager::createEntity");
    };
    for (std::size_t i = 0; i < mesh.getNumSubMeshes(); ++i) {
        const SubMesh& subMesh = *mesh.getSubMesh(i);
        const std::string which = "submesh " + std::to_string(i);
        const VertexData* data = vertexDataOf(subMesh);
        if (data == nullptr) fail(which + " has no vertex data");
        if (data->vertexDeclaration->findElementBySemantic(VES_POSITION) == nullptr) fail(which + " has no positions");
        for (const VertexElement& element : data->vertexDeclaration->getElements()) {
            if (!data->vertexBufferBinding->isBufferBound(element.getSource()))
                fail(which + ": no vertex buffer is bound to source " + std::to_string(element.getSource()));
            if (glStorage(*data->vertexBufferBinding->getBuffer(element.getSource())) == nullptr)
                fail(which + ": its vertex buffers are not in GL memory (made before the render window?)");
        }
        const IndexData& indices = *subMesh.indexData;
        if (indices.indexCount == 0) continue;
        if (!indices.indexBuffer) fail(which + " has indices but no index buffer");
        if (glStorage(*indices.indexBuffer) == nullptr) fail(which + ": its index buffer is not in GL memory");
        const std::size_t available = indices.indexBuffer->getNumIndexes();
        if (indices.indexCount > available || indices.indexStart > available - indices.indexCount)
            fail(which + " uses indices " + std::to_string(indices.indexStart) + " to " +
                 std::to_string(indices.indexStart + indices.indexCount) + " of a buffer of " + std::to_string(available));
    }
}

unsigned int SceneRenderer::render(SceneManager& scene, Camera& camera, Viewport&) {
    const Matrix4 viewProjection = camera.getProjectionMatrix() * camera.getViewMatrix();
    const int cameraDetail = static_cast<int>(camera.getDetailLevel());
    GLint sampleBuffers = 0;
    glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
    const bool multisampled = sampleBuffers > 0;

    // Directional lights, the only ones that shade.
    static_assert(std::tuple_size_v<decltype(towards_)> == 3 * kMaxLights);
    ++frame_;
    currentProgram_ = 0;
    pending_ = 0;
    std::array<float, 3 * kMaxLights>& towards = towards_;
    std::array<float, 3 * kMaxLights>& colours = colours_;
    towards.fill(0.0f);
    colours.fill(0.0f);
    int lights = 0;
    for (const auto& [name, light] : scene.lights_) {
        if (lights == kMaxLights || !light->isVisible() || light->getType() != Light::LT_DIRECTIONAL) continue;
        Vector3 d = -light->getDerivedDirection();
        d.normalise();
        const ColourValue& c = light->getDiffuseColour();
        const auto at = static_cast<std::size_t>(3 * lights);
        towards[at] = d.x, towards[at + 1] = d.y, towards[at + 2] = d.z;
        colours[at] = c.r, colours[at + 1] = c.g, colours[at + 2] = c.b;
        ++lights;
    }
    lights_ = lights;

    // The queue keeps its memory from frame to frame.
    std::vector<Queued>& queue = queue_;
    queue.clear();
    collect(*scene.root_, camera.getDerivedPosition(), cameraDetail, queue);
    // Opaque first in scene order, then cut-outs, then blended ones from far to near.
    std::stable_sort(queue.begin(), queue.end(), [](const Queued& a, const Queued& b) {
        return static_cast<int>(styleOf(passOf(*a.subEntity))) < static_cast<int>(styleOf(passOf(*b.subEntity)));
    });
    const auto firstBlended = std::find_if(queue.begin(), queue.end(), [](const Queued& q) {
        return styleOf(passOf(*q.subEntity)) == DrawStyle::Blended;
    });
    std::stable_sort(firstBlended, queue.end(), [](const Queued& a, const Queued& b) { return a.distance > b.distance; });

    const bool shadows = scene.shadowsEnabled_ && lights > 0 && updateShadowMap(Vector3(towards[0], towards[1], towards[2]), scene);

    glEnable(GL_TEXTURE_CUBE_MAP_SEAMLESS);
    unsigned int triangles = 0;
    if (scene.groundEnabled_) prepareGround(scene);
    const bool groundFirst = groundMiddleFirst(scene, cameraDetail);
    if (scene.skyBoxEnabled_ && scene.skyDrawFirst_ && !groundFirst)
        triangles += drawSky(scene, camera, viewProjection, SkyOrder::First, cameraDetail);

    shadows_ = shadows;
    wind_ = scene.getWindStrength() > 0.0f;
    if (shadows) {
        glActiveTexture(GL_TEXTURE0 + kShadowUnit);
        glBindTexture(GL_TEXTURE_2D, shadowTexture_);
        glActiveTexture(GL_TEXTURE0);
    }

    if (groundFirst) {
        // The sky where the opaque middle leaves it visible, then the rim
        // fading into it.
        triangles += drawGround(scene, viewProjection, cameraDetail, 0, groundOpaqueIndexCount_);
        triangles += drawSky(scene, camera, viewProjection, SkyOrder::BehindDrawn, cameraDetail);
        ++skyBehindGround_;
        triangles += drawGround(scene, viewProjection, cameraDetail, groundOpaqueIndexCount_,
                                groundIndexCount_ - groundOpaqueIndexCount_);
    } else if (scene.groundEnabled_) {
        triangles += drawGround(scene, viewProjection, cameraDetail, 0, groundIndexCount_);
    }

    handOver(0); // the sky and the ground: many pixels, few triangles
    for (Queued& q : queue) triangles += drawSubEntity(*q.subEntity, viewProjection, q.world, scene, q.detail, multisampled);

    if (scene.skyBoxEnabled_ && !scene.skyDrawFirst_)
        triangles += drawSky(scene, camera, viewProjection, SkyOrder::Last, cameraDetail);

    // Leave the defaults that whoever draws next (overlays) expects.
    glBindVertexArray(0);
    glUseProgram(0);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glActiveTexture(GL_TEXTURE0 + kShadowUnit);
    glBindTexture(GL_TEXTURE_2D, 0);
    glActiveTexture(GL_TEXTURE0);
    return triangles;
}

// A CPU renderer sets triangles up on this thread and draws them on its own
// threads only once they are handed over (a flush). Handing over what is set
// up before setting up the next large batch lets both go on at once, where
// otherwise one waits for the other; the draws and their order are the same.
void SceneRenderer::handOver(std::size_t atLeast) {
    if (!softwareRenderer_ || !shortcuts_ || pending_ < atLeast) return;
    glFlush();
    pending_ = 0;
    ++handOvers_;
}

// The submesh's indexed draw from its bound vertex array; a large triangle
// list goes in parts, each handed over once set up.
void SceneRenderer::drawIndices(const SubMesh& subMesh) {
    const IndexData& indices = *subMesh.indexData;
    const HardwareIndexBuffer& indexBuffer = *indices.indexBuffer;
    const GLenum type = indexBuffer.getType() == HardwareIndexBuffer::INDEX_32BIT ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT;
    const auto vertexStart = static_cast<GLint>(vertexDataOf(subMesh)->vertexStart);
    const std::size_t perPart = subMesh.operationType == OT_TRIANGLE_LIST && softwareRenderer_ && shortcuts_
                                    ? 3 * kHandOverTriangles
                                    : indices.indexCount;
    for (std::size_t done = 0; done < indices.indexCount; done += perPart) {
        const std::size_t count = std::min(perPart, indices.indexCount - done);
        glDrawElementsBaseVertex(primitiveOf(subMesh.operationType), static_cast<GLsizei>(count), type,
                                 reinterpret_cast<const void*>((indices.indexStart + done) * indexBuffer.getIndexSize()),
                                 vertexStart);
        pending_ += trianglesOf(subMesh.operationType, count);
        handOver(kHandOverTriangles);
    }
}

// The transforms of the entity program for one object.
void SceneRenderer::setWorld(const EntityProgram& program, const Matrix4& viewProjection, const Matrix4& world) {
    const Matrix4 worldViewProj = viewProjection * world;
    glUniformMatrix4fv(program.worldViewProj, 1, GL_FALSE, worldViewProj.m.data());
    glUniformMatrix3fv(program.worldRotation, 1, GL_FALSE, rotationOf(world).data());
    glUniformMatrix4fv(program.world, 1, GL_FALSE, world.m.data());
}

EntityProgram& SceneRenderer::useEntityProgram(unsigned features, const SceneManager& scene) {
    EntityProgram& program = programs_.entity(features);
    if (currentProgram_ != program.program) {
        glUseProgram(program.program);
        currentProgram_ = program.program;
    }
    if (program.frame == frame_) return program;
    program.frame = frame_;
    glUniform1i(program.lightCount, lights_);
    glUniform3fv(program.towardsLight, kMaxLights, towards_.data());
    glUniform3fv(program.lightColour, kMaxLights, colours_.data());
    glUniform1i(program.diffuseMap, 0);
    glUniform1i(program.shadowMap, kShadowUnit);
    if ((features & EF_SHADOWED) != 0) {
        glUniformMatrix4fv(program.shadowMatrix, 1, GL_FALSE, shadowMatrix_.m.data());
        glUniform1f(program.shadowNormalOffset, shadowNormalOffset_);
        glUniform1f(program.shadowTexel, 1.0f / static_cast<float>(kShadowMapSize));
    }
    if ((features & EF_SWAY) != 0) applyWind(program.wind, scene);
    return program;
}

// The disc is rebuilt only when its shape changes.
void SceneRenderer::prepareGround(const SceneManager& scene) {
    const std::array<float, 3> shape{scene.groundRadius_, scene.groundHeight_, scene.groundTileSize_};
    if (groundVertexArray_ == 0 || shape != groundShape_) {
        const GroundGeometry geometry = makeGroundGeometry(shape[0], shape[1], shape[2]);
        if (groundVertexArray_ == 0) {
            groundVertexArray_ = createObject(ObjectKind::VertexArray);
            groundVertices_ = createObject(ObjectKind::Buffer);
            groundIndices_ = createObject(ObjectKind::Buffer);
        }
        glBindVertexArray(groundVertexArray_);
        glBindBuffer(GL_ARRAY_BUFFER, groundVertices_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(geometry.vertices.size() * sizeof(float)),
                     geometry.vertices.data(), GL_STATIC_DRAW);
        constexpr GLsizei stride = GroundGeometry::FLOATS_PER_VERTEX * sizeof(float);
        const auto offset = [](int floats) { return reinterpret_cast<const void*>(floats * sizeof(float)); };
        glEnableVertexAttribArray(kPosition);
        glVertexAttribPointer(kPosition, 3, GL_FLOAT, GL_FALSE, stride, offset(0));
        glEnableVertexAttribArray(kNormal);
        glVertexAttribPointer(kNormal, 3, GL_FLOAT, GL_FALSE, stride, offset(3));
        glEnableVertexAttribArray(kUv);
        glVertexAttribPointer(kUv, 2, GL_FLOAT, GL_FALSE, stride, offset(6));
        glEnableVertexAttribArray(kColour);
        glVertexAttribPointer(kColour, 4, GL_FLOAT, GL_FALSE, stride, offset(8));
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, groundIndices_);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(geometry.indices.size() * sizeof(unsigned int)),
                     geometry.indices.data(), GL_STATIC_DRAW);
        glBindVertexArray(0);
        glBindBuffer(GL_ARRAY_BUFFER, 0);
        groundIndexCount_ = static_cast<int>(geometry.indices.size());
        groundOpaqueIndexCount_ = static_cast<int>(geometry.opaqueIndexCount);
        groundShape_ = shape;
    }
}

// Whether the ground's opaque middle can be drawn before the sky, so that
// the sky is drawn only where the middle leaves it visible: the sky would be
// drawn first, the middle hides it wherever it is, and the picture is
// filled, not outlined.
bool SceneRenderer::groundMiddleFirst(const SceneManager& scene, int cameraDetail) const {
    if (!shortcuts_ || !scene.groundEnabled_ || !scene.skyBoxEnabled_ || !scene.skyDrawFirst_ ||
        cameraDetail != SDL_SOLID || groundOpaqueIndexCount_ == 0)
        return false;
    const Pass& pass = *scene.groundMaterial_->getDrawPass();
    if (pass.getDiffuse().a < 1.0f) return false;
    const TextureUnitState* unit = flatTextureOf(pass);
    return unit == nullptr || unit->getTexture()->isOpaque();
}

// Drawn over the sky with depth, faded by its vertex alpha, lit and shadowed
// like an entity; `first` and `count` pick the triangles (indices) drawn.
unsigned int SceneRenderer::drawGround(SceneManager& scene, const Matrix4& viewProjection, int cameraDetail, int first,
                                       int count) {
    const Pass& pass = *scene.groundMaterial_->getDrawPass();
    glPolygonMode(GL_FRONT_AND_BACK, cameraDetail == SDL_POINTS ? GL_POINT : cameraDetail == SDL_WIREFRAME ? GL_LINE : GL_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glBindVertexArray(groundVertexArray_);
    glVertexAttrib4f(kSway, 0.0f, 0.0f, 0.0f, 0.0f); // the ground stays where it is
    const unsigned features = passFeatures(pass, true) | EF_ALPHA_CUTOFF;
    const auto draw = [&](unsigned withShadow) {
        const EntityProgram& program = useEntityProgram(features | withShadow, scene);
        setWorld(program, viewProjection, Matrix4());
        applyPassUniforms(program, pass, scene, kGroundAlphaCutoff);
        glUniform1f(program.shadowFloor, 0.0f);
        glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_INT,
                       reinterpret_cast<const void*>(static_cast<std::size_t>(first) * sizeof(unsigned int)));
    };

    // Most of the ground lies outside the shadow map's square, where a lookup
    // reads "lit": there the ground is drawn without looking the map up,
    // which gives the same colours for far fewer texture reads. Each pixel is
    // drawn once, by the part of the split its scissor rectangle holds.
    WindowRect viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    std::optional<WindowRect> shadowed;
    if (shadows_ && shortcuts_) {
        // The ground's normal, turned to the light as the shader turns it.
        const float lookupOffset = towards_[1] < 0.0f ? -shadowNormalOffset_ : shadowNormalOffset_;
        shadowed = groundShadowRect(shadowMatrix_, scene.groundHeight_, lookupOffset, viewProjection, viewport, 2);
    }
    if (!shadows_ || (shadowed && (*shadowed)[2] == 0)) {
        draw(0);
    } else if (!shadowed) {
        draw(EF_SHADOWED);
    } else {
        const WindowRect& r = *shadowed;
        const int right = r[0] + r[2], top = r[1] + r[3];
        const int viewRight = viewport[0] + viewport[2], viewTop = viewport[1] + viewport[3];
        const std::array<WindowRect, 5> parts{{r,
                                               {viewport[0], viewport[1], viewport[2], r[1] - viewport[1]},
                                               {viewport[0], top, viewport[2], viewTop - top},
                                               {viewport[0], r[1], r[0] - viewport[0], r[3]},
                                               {right, r[1], viewRight - right, r[3]}}};
        if (first == 0) ++groundShadowSplits_;
        glEnable(GL_SCISSOR_TEST);
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const WindowRect& part = parts[i];
            if (part[2] <= 0 || part[3] <= 0) continue;
            glScissor(part[0], part[1], part[2], part[3]);
            draw(i == 0 ? EF_SHADOWED : 0u);
        }
        glDisable(GL_SCISSOR_TEST);
    }
    glBindVertexArray(0);
    return static_cast<unsigned int>(count / 3);
}

// The depth texture compares by itself (sampler2DShadow) and reads as lit
// outside its square.
void SceneRenderer::createShadowMap() {
    shadowTexture_ = createObject(ObjectKind::Texture);
    glBindTexture(GL_TEXTURE_2D, shadowTexture_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, kShadowMapSize, kShadowMapSize, 0, GL_DEPTH_COMPONENT,
                 GL_UNSIGNED_INT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    const std::array<float, 4> far{1.0f, 1.0f, 1.0f, 1.0f};
    glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, far.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, GL_COMPARE_REF_TO_TEXTURE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_FUNC, GL_LEQUAL);
    glBindTexture(GL_TEXTURE_2D, 0);
    shadowFramebuffer_ = createObject(ObjectKind::Framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, shadowTexture_, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
}

// What the shadow map depends on: the light, the wind while it blows, and
// every queued sub-entity (which entity, which submesh, where, whether cut
// out). When it is what the map was drawn from, the map is kept.
bool SceneRenderer::updateShadowMap(const Vector3& towardsLight, const SceneManager& scene) {
    std::vector<double>& signature = signature_;
    signature.assign({towardsLight.x, towardsLight.y, towardsLight.z});
    // A swaying scene casts a new shadow every frame; a still one keeps it.
    if (scene.getWindStrength() > 0.0f) {
        const Vector3& d = scene.getWindDirection();
        signature.insert(signature.end(), {d.x, d.z, scene.getWindStrength(), scene.getWindScale(),
                                           scene.getAnimationTime()});
    }
    for (const Queued& q : queue_) {
        signature.push_back(static_cast<double>(q.subEntity->getParent()->getSerial()));
        signature.push_back(static_cast<double>(reinterpret_cast<std::uintptr_t>(q.subEntity->getSubMesh())));
        signature.insert(signature.end(), q.world.m.begin(), q.world.m.end());
        signature.push_back(styleOf(passOf(*q.subEntity)) == DrawStyle::CutOut ? 1.0 : 0.0);
    }
    if (shadowTexture_ != 0 && signature == shadowSignature_) return true;
    shadowSignature_ = signature;

    // Light space: x, y across the light, z along it (away from the light).
    const Vector3 along = -towardsLight;
    const Vector3 reference = std::abs(along.y) < 0.99f ? Vector3::UNIT_Y : Vector3::UNIT_X;
    Vector3 across = reference.crossProduct(along);
    across.normalise();
    const Vector3 up = along.crossProduct(across);
    Vector3 low(1e30f, 1e30f, 1e30f);
    Vector3 high(-1e30f, -1e30f, -1e30f);
    for (const Queued& q : queue_) {
        const AxisAlignedBox& box = q.subEntity->getParent()->getMesh()->getBounds();
        if (box.isNull()) continue;
        // Leaves and markers may reach past the bounds the mesh reports.
        const Vector3 size = box.getMaximum() - box.getMinimum();
        const Vector3 pad = size * 0.15f + Vector3(0.5f, 0.5f, 0.5f);
        const Vector3 lo = box.getMinimum() - pad;
        const Vector3 hi = box.getMaximum() + pad;
        for (int corner = 0; corner < 8; ++corner) {
            const Vector3 p = q.world.transformPoint(
                Vector3((corner & 1) ? hi.x : lo.x, (corner & 2) ? hi.y : lo.y, (corner & 4) ? hi.z : lo.z));
            const Vector3 l(p.dotProduct(across), p.dotProduct(up), p.dotProduct(along));
            low = Vector3(std::min(low.x, l.x), std::min(low.y, l.y), std::min(low.z, l.z));
            high = Vector3(std::max(high.x, l.x), std::max(high.y, l.y), std::max(high.z, l.z));
        }
    }
    if (low.x > high.x) return false; // nothing casts
    // Orthographic light projection onto -1..1 in all three axes.
    Matrix4 lightClip;
    const Vector3 axes[3] = {across, up, along};
    const float lows[3] = {low.x, low.y, low.z};
    const float highs[3] = {high.x, high.y, high.z};
    for (int row = 0; row < 3; ++row) {
        const float scale = 2.0f / std::max(highs[row] - lows[row], 1e-4f);
        lightClip.at(row, 0) = axes[row].x * scale;
        lightClip.at(row, 1) = axes[row].y * scale;
        lightClip.at(row, 2) = axes[row].z * scale;
        lightClip.at(row, 3) = -lows[row] * scale - 1.0f;
    }
    Matrix4 toUnit; // -1..1 -> 0..1
    for (int row = 0; row < 3; ++row) toUnit.at(row, row) = 0.5f, toUnit.at(row, 3) = 0.5f;
    shadowMatrix_ = toUnit * lightClip;
    // About one and a half texels of the map, in world units.
    shadowNormalOffset_ = 1.5f * std::max(high.x - low.x, high.y - low.y) / static_cast<float>(kShadowMapSize);

    GLint framebuffer = 0;
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    if (shadowTexture_ == 0) createShadowMap();
    glBindFramebuffer(GL_FRAMEBUFFER, shadowFramebuffer_);
    glViewport(0, 0, kShadowMapSize, kShadowMapSize);
    glDepthMask(GL_TRUE);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_DEPTH_CLAMP);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1.5f, 2.0f);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    const bool sway = scene.getWindStrength() > 0.0f;
    GLuint inUse = 0;
    const MaterialManager& materials = MaterialManager::getSingleton();
    for (const Queued& q : queue_) {
        SubEntity& subEntity = *q.subEntity;
        const SubMesh& subMesh = *subEntity.getSubMesh();
        const IndexData& indices = *subMesh.indexData;
        if (indices.indexCount == 0 || trianglesOf(subMesh.operationType, indices.indexCount) == 0) continue;
        const Pass& pass = passOf(subEntity);
        const bool cutOut = styleOf(pass) == DrawStyle::CutOut;
        if (cutOut) // a cut-out has a flat texture
            flatTextureOf(pass)->getTexture()->_bind(0, materials.getDefaultTextureFiltering(),
                                                     materials.getDefaultAnisotropy());
        const ShadowProgram& program = programs_.shadow(cutOut, sway);
        if (program.program != inUse) {
            glUseProgram(program.program);
            inUse = program.program;
            glUniform1i(program.diffuseMap, 0);
            applyWind(program.wind, scene);
        }
        const Matrix4 worldViewProj = lightClip * q.world;
        glUniformMatrix4fv(program.worldViewProj, 1, GL_FALSE, worldViewProj.m.data());
        glBindVertexArray(vertexArrayOf(subEntity));
        setMissingAttributes(subEntity._getMissingAttributes());
        drawIndices(subMesh);
    }
    handOver(0); // the map is drawn while the scene is set up
    glBindVertexArray(0);
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisable(GL_DEPTH_CLAMP);
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(framebuffer));
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    ++shadowRenders_;
    return true;
}

// Blending, culling, depth and the polygon mode of a pass at a detail level.
void SceneRenderer::applyPassState(const Pass& pass, int detail) {
    glPolygonMode(GL_FRONT_AND_BACK, detail == SDL_POINTS ? GL_POINT : detail == SDL_WIREFRAME ? GL_LINE : GL_FILL);
    switch (pass.getSceneBlending()) {
    case SBT_REPLACE: glDisable(GL_BLEND); break;
    case SBT_TRANSPARENT_ALPHA: glEnable(GL_BLEND), glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); break;
    case SBT_TRANSPARENT_COLOUR: glEnable(GL_BLEND), glBlendFunc(GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR); break;
    case SBT_ADD: glEnable(GL_BLEND), glBlendFunc(GL_ONE, GL_ONE); break;
    case SBT_MODULATE: glEnable(GL_BLEND), glBlendFunc(GL_DST_COLOR, GL_ZERO); break;
    }
    switch (pass.getCullingMode()) {
    case CULL_NONE: glDisable(GL_CULL_FACE); break;
    case CULL_CLOCKWISE: glEnable(GL_CULL_FACE), glFrontFace(GL_CCW), glCullFace(GL_BACK); break;
    case CULL_ANTICLOCKWISE: glEnable(GL_CULL_FACE), glFrontFace(GL_CCW), glCullFace(GL_FRONT); break;
    }
    if (pass.getDepthCheckEnabled()) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    glDepthMask(pass.getDepthWriteEnabled() ? GL_TRUE : GL_FALSE);
}

// The pass's first flat texture on unit 0 and its colours, lighting, sides
// and alpha cut-off as the entity program's uniforms (the ground and every
// sub-entity draw through it).
void SceneRenderer::applyPassUniforms(const EntityProgram& program, const Pass& pass, const SceneManager& scene,
                                      float alphaCutoff) {
    const TextureUnitState* unit = flatTextureOf(pass);
    if (unit != nullptr) {
        const MaterialManager& materials = MaterialManager::getSingleton();
        unit->getTexture()->_bind(0, materials.getDefaultTextureFiltering(), materials.getDefaultAnisotropy());
    }
    const ColourValue& diffuse = pass.getDiffuse();
    const ColourValue& ambient = pass.getAmbient();
    const ColourValue& sceneAmbient = scene.getAmbientLight();
    glUniform4f(program.passDiffuse, diffuse.r, diffuse.g, diffuse.b, diffuse.a);
    glUniform3f(program.ambient, sceneAmbient.r * ambient.r, sceneAmbient.g * ambient.g, sceneAmbient.b * ambient.b);
    glUniform1f(program.alphaCutoff, alphaCutoff);
}

// One indexed draw with the program variant its pass asks for.
unsigned int SceneRenderer::drawSubEntity(SubEntity& subEntity, const Matrix4& viewProjection, const Matrix4& world,
                                          SceneManager& scene, int detail, bool multisampled) {
    const SubMesh& subMesh = *subEntity.getSubMesh();
    const IndexData& indices = *subMesh.indexData;
    if (indices.indexCount == 0) return 0;
    vertexArrayOf(subEntity);
    const Pass& pass = passOf(subEntity);
    applyPassState(pass, detail);
    const DrawStyle style = styleOf(pass);
    if (style == DrawStyle::CutOut) glDisable(GL_BLEND);
    const unsigned alphaTest = style == DrawStyle::Opaque  ? 0u
                               : style == DrawStyle::Blended ? EF_ALPHA_CUTOFF
                               : multisampled              ? EF_COVERAGE
                                                           : EF_CUT_OUT;
    const EntityProgram& program =
        useEntityProgram(passFeatures(pass, pass.getCullingMode() == CULL_NONE) | alphaTest |
                             (shadows_ ? EF_SHADOWED : 0u) | (wind_ ? EF_SWAY : 0u),
                         scene);
    setWorld(program, viewProjection, world);
    applyPassUniforms(program, pass, scene, kAlphaCutoff);
    glUniform1f(program.shadowFloor, kEntityShadowFloor);
    const bool coverage = alphaTest == EF_COVERAGE;
    if (coverage) glEnable(GL_SAMPLE_ALPHA_TO_COVERAGE);

    glBindVertexArray(subEntity._getVertexArray());
    setMissingAttributes(subEntity._getMissingAttributes());
    drawIndices(subMesh);
    if (coverage) glDisable(GL_SAMPLE_ALPHA_TO_COVERAGE);
    return trianglesOf(subMesh.operationType, indices.indexCount);
}

// The cube follows the eye, so the sky never comes nearer.
unsigned int SceneRenderer::drawSky(SceneManager& scene, Camera& camera, const Matrix4& viewProjection, SkyOrder order,
                                    int cameraDetail) {
    const Pass& pass = *scene.skyMaterial_->getDrawPass();
    const TextureUnitState* unit = nullptr;
    for (std::size_t i = 0; i < pass.getNumTextureUnitStates() && unit == nullptr; ++i)
        if (pass.getTextureUnitState(i)->isCubic()) unit = pass.getTextureUnitState(i);
    Matrix4 world = Matrix4::fromTransform(camera.getDerivedPosition(), scene.skyOrientation_);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) world.at(row, column) *= scene.skyDistance_;
    const Matrix4 worldViewProj = viewProjection * world;

    glPolygonMode(GL_FRONT_AND_BACK, cameraDetail == SDL_POINTS ? GL_POINT : cameraDetail == SDL_WIREFRAME ? GL_LINE : GL_FILL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    // First: behind everything, whatever its pass says. Behind what is drawn
    // already: only where that left the picture empty, as if at the far
    // plane (the cube may be nearer than what it lies behind).
    const bool first = order != SkyOrder::Last;
    if (order == SkyOrder::BehindDrawn) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glDepthRange(1.0, 1.0);
    } else if (first || !pass.getDepthCheckEnabled()) {
        glDisable(GL_DEPTH_TEST);
    } else {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    }
    glDepthMask(first ? GL_FALSE : (pass.getDepthWriteEnabled() ? GL_TRUE : GL_FALSE));
    glUseProgram(skyProgram_);
    glUniformMatrix4fv(skyWorldViewProj_, 1, GL_FALSE, worldViewProj.m.data());
    glUniform1i(skySampler_, 1);
    glUniform4f(skyDiffuse_, 1.0f, 1.0f, 1.0f, pass.getDiffuse().a);
    const MaterialManager& materials = MaterialManager::getSingleton();
    unit->getTexture()->_bind(1, materials.getDefaultTextureFiltering(), materials.getDefaultAnisotropy());
    glBindVertexArray(skyVertexArray_);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(kCubeIndices.size()), GL_UNSIGNED_SHORT, nullptr);
    glBindVertexArray(0);
    glDepthRange(0.0, 1.0);
    currentProgram_ = skyProgram_;
    return static_cast<unsigned int>(kCubeIndices.size() / 3);
}

} // namespace Velk::GL
