// The scene drawn offscreen and read back: textures, lighting, blending,
// culling, detail levels, the sky box and the triangle count.
#include "SceneFixture.h"

#include "material/MaterialManager.h"
#include "math/Math.h"
#include "render/Viewport.h"

#include <algorithm> // Required for: std::max
#include <cmath>     // Required for: std::cos, std::sin
#include <cstdlib>   // Required for: std::abs

using namespace Velk;

namespace {
// A lit material with no ambient response: only the light shows.
MaterialPtr litGrey(const std::string& name) {
    MaterialPtr material = MaterialManager::getSingleton().create(name);
    Pass* pass = material->getTechnique(0)->getPass(0);
    pass->setDiffuse(0.8f, 0.8f, 0.8f, 1.0f);
    pass->setAmbient(0.0f, 0.0f, 0.0f);
    return material;
}

// An entity of the quad mesh on the root node.
Entity* addQuad(SceneManager& scene, const std::string& name, float half, uint32_t argb, const std::string& material) {
    makeQuadMesh(name + "Mesh", half, argb);
    Entity* entity = scene.createEntity(name, name + "Mesh");
    entity->setMaterialName(material);
    scene.getRootSceneNode()->attachObject(entity);
    return entity;
}

// Number of pixels that differ from the colour.
int pixelsOtherThan(const std::vector<unsigned char>& rgba, int r, int g, int b) {
    int count = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        if (rgba[i] != r || rgba[i + 1] != g || rgba[i + 2] != b) ++count;
    return count;
}
} // namespace

using SceneRender = SceneFixture;

// A 2 x 2 texture without filtering: each quarter of the screen shows its texel.
TEST_F(SceneRender, TexturedQuadShowsItsTexture) {
    startScene();
    writeTexture("quarters.png", 2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 0, 255});
    MaterialManager::getSingleton().setDefaultTextureFiltering(TFO_NONE);
    MaterialPtr material = MaterialManager::getSingleton().create("Quarters");
    material->getTechnique(0)->getPass(0)->setLightingEnabled(false);
    material->getTechnique(0)->getPass(0)->createTextureUnitState("quarters.png", 0);
    addQuad(*scene, "Quad", 20.0f, 0xFFFFFFFFu, "Quarters");
    const auto pixels = renderFrame();
    EXPECT_TRUE(colourNear(pixelAt(pixels, 16, 12), 255, 0, 0, 0)) << "top left";
    EXPECT_TRUE(colourNear(pixelAt(pixels, 48, 12), 0, 255, 0, 0)) << "top right";
    EXPECT_TRUE(colourNear(pixelAt(pixels, 16, 36), 0, 0, 255, 0)) << "bottom left";
    EXPECT_TRUE(colourNear(pixelAt(pixels, 48, 36), 255, 255, 0, 0)) << "bottom right";
}

// Texture × vertex colour: a grey vertex colour halves a white texture.
TEST_F(SceneRender, VertexColourModulatesTheTexture) {
    startScene();
    writeTexture("white.png", 1, 1, {255, 255, 255, 255});
    MaterialPtr material = MaterialManager::getSingleton().create("White");
    material->getTechnique(0)->getPass(0)->setLightingEnabled(false);
    material->getTechnique(0)->getPass(0)->createTextureUnitState("white.png", 0);
    addQuad(*scene, "Quad", 20.0f, 0xFF804020u, "White");
    EXPECT_TRUE(colourNear(pixelAt(renderFrame(), 32, 24), 0x80, 0x40, 0x20, 1));
}

// Lambert: N·L = 1 gives 0.8 × 255; at 60 degrees N·L = 0.5 gives half of it.
TEST_F(SceneRender, LitQuadFacingTheLightIsTwiceAsBrightAsAtSixtyDegrees) {
    startScene();
    litGrey("Grey");
    addQuad(*scene, "Quad", 20.0f, 0xFFFFFFFFu, "Grey");
    Light* light = scene->createLight("Sun");
    light->setType(Light::LT_DIRECTIONAL);
    light->setDirection(0.0f, 0.0f, -3.0f); // not unit length: the engine normalises
    const int facing = pixelAt(renderFrame(), 32, 24)[0];
    EXPECT_NEAR(facing, 204, 1);
    const float angle = 60.0f * Math::fDeg2Rad;
    light->setDirection(std::sin(angle), 0.0f, -std::cos(angle));
    const int slanted = pixelAt(renderFrame(), 32, 24)[0];
    EXPECT_NEAR(slanted, 102, 1);
    EXPECT_NEAR(static_cast<double>(facing) / slanted, 2.0, 0.03);
}

// Scene ambient × pass ambient adds to the light; no light leaves the ambient alone.
TEST_F(SceneRender, AmbientIsSceneTimesPassAmbient) {
    startScene();
    MaterialPtr material = litGrey("Grey");
    material->getTechnique(0)->getPass(0)->setAmbient(0.5f, 1.0f, 0.25f);
    scene->setAmbientLight(ColourValue(0.8f, 0.4f, 1.0f));
    addQuad(*scene, "Quad", 20.0f, 0xFFFFFFFFu, "Grey");
    EXPECT_TRUE(colourNear(pixelAt(renderFrame(), 32, 24), 102, 102, 64, 1));
}

// Lighting off: the vertex colour shows whatever the lights do.
TEST_F(SceneRender, UnlitPassIgnoresTheLight) {
    startScene();
    MaterialPtr material = litGrey("Flat");
    material->getTechnique(0)->getPass(0)->setLightingEnabled(false);
    addQuad(*scene, "Quad", 20.0f, 0xFF3366CCu, "Flat");
    Light* light = scene->createLight("Sun");
    light->setType(Light::LT_DIRECTIONAL);
    light->setDirection(1.0f, 0.0f, 0.0f); // grazing: would leave a lit pass dark
    EXPECT_TRUE(colourNear(pixelAt(renderFrame(), 32, 24), 0x33, 0x66, 0xCC, 0));
    light->setDirection(0.0f, 0.0f, -1.0f);
    EXPECT_TRUE(colourNear(pixelAt(renderFrame(), 32, 24), 0x33, 0x66, 0xCC, 0));
}

// Source alpha 0.5 over a red background: half of each.
TEST_F(SceneRender, BlendingBySourceAlphaMixesHalfAndHalf) {
    startScene();
    viewport->setBackgroundColour(ColourValue(1.0f, 0.0f, 0.0f));
    MaterialPtr material = MaterialManager::getSingleton().create("Glass");
    Pass* pass = material->getTechnique(0)->getPass(0);
    pass->setLightingEnabled(false);
    pass->setSceneBlending(SBT_TRANSPARENT_ALPHA);
    pass->setDiffuse(1.0f, 1.0f, 1.0f, 0.5f);
    addQuad(*scene, "Quad", 20.0f, 0xFF0000FFu, "Glass");
    EXPECT_TRUE(colourNear(pixelAt(renderFrame(), 32, 24), 128, 0, 128, 1));
}

// Nearly transparent fragments of a blended pass are dropped whole: they
// neither colour the picture nor hide what is drawn behind them later.
TEST_F(SceneRender, BlendedPassSkipsNearlyTransparentFragments) {
    startScene();
    MaterialPtr clear = MaterialManager::getSingleton().create("Clear");
    clear->getTechnique(0)->getPass(0)->setLightingEnabled(false);
    clear->getTechnique(0)->getPass(0)->setSceneBlending(SBT_TRANSPARENT_ALPHA);
    clear->getTechnique(0)->getPass(0)->setDiffuse(1.0f, 1.0f, 1.0f, 0.02f);
    addQuad(*scene, "Front", 20.0f, 0xFFFFFFFFu, "Clear");
    MaterialPtr green = MaterialManager::getSingleton().create("Green");
    green->getTechnique(0)->getPass(0)->setLightingEnabled(false);
    green->getTechnique(0)->getPass(0)->setSceneBlending(SBT_TRANSPARENT_ALPHA);
    Entity* back = addQuad(*scene, "Back", 20.0f, 0xFF00FF00u, "Green");
    scene->getRootSceneNode()->detachObject(back);
    // Nearer to the camera than the back quad, so it is drawn after the front.
    scene->getRootSceneNode()->createChildSceneNode(Vector3(0.0f, 0.0f, -2.0f))->attachObject(back);
    scene->getRootSceneNode()->detachObject(scene->getEntity("Front"));
    scene->getRootSceneNode()->createChildSceneNode(Vector3(0.0f, 0.0f, 1.0f))->attachObject(scene->getEntity("Front"));
    EXPECT_TRUE(colourNear(pixelAt(renderFrame(), 32, 24), 0, 255, 0, 0));
}

// Lines along the edges only: the middle of the square keeps the background.
TEST_F(SceneRender, WireframeLeavesTheInsideAtTheBackground) {
    startScene();
    viewport->setBackgroundColour(ColourValue(0.0f, 0.0f, 1.0f));
    MaterialPtr material = litGrey("Flat");
    material->getTechnique(0)->getPass(0)->setLightingEnabled(false);
    Entity* quad = addQuad(*scene, "Quad", 2.0f, 0xFFFFFFFFu, "Flat");
    const auto solid = renderFrame();
    EXPECT_TRUE(colourNear(pixelAt(solid, 30, 20), 255, 255, 255, 0));
    quad->setRenderDetail(SDL_WIREFRAME);
    const auto wire = renderFrame();
    EXPECT_TRUE(colourNear(pixelAt(wire, 30, 20), 0, 0, 255, 0)) << "inside, off the diagonal";
    const int drawn = pixelsOtherThan(wire, 0, 0, 255);
    EXPECT_GT(drawn, 20) << "the edges are drawn";
    EXPECT_LT(drawn, pixelsOtherThan(solid, 0, 0, 255) / 2);
}

// The camera's detail level lowers every entity: points draw only the corners.
TEST_F(SceneRender, PointsModeDrawsOnlyTheCorners) {
    startScene();
    MaterialPtr material = litGrey("Flat");
    material->getTechnique(0)->getPass(0)->setLightingEnabled(false);
    addQuad(*scene, "Quad", 2.0f, 0xFFFFFFFFu, "Flat");
    camera->setDetailLevel(SDL_POINTS);
    const auto points = renderFrame();
    const int drawn = pixelsOtherThan(points, 0, 0, 0);
    EXPECT_GE(drawn, 4);
    EXPECT_LE(drawn, 16);
    camera->setDetailLevel(SDL_WIREFRAME);
    EXPECT_GT(pixelsOtherThan(renderFrame(), 0, 0, 0), drawn);
}

// A square seen from behind: culled by default, shown and lit as a front
// when culling is off.
TEST_F(SceneRender, CullingNoneShowsABackFaceLitFromItsSide) {
    startScene();
    MaterialPtr material = litGrey("Grey");
    Entity* quad = addQuad(*scene, "Quad", 20.0f, 0xFFFFFFFFu, "Grey");
    scene->getRootSceneNode()->detachObject(quad);
    scene->getRootSceneNode()
        ->createChildSceneNode(Vector3::ZERO, Quaternion::FromAngleAxis(Math::PI, Vector3::UNIT_Y))
        ->attachObject(quad);
    Light* light = scene->createLight("Sun");
    light->setType(Light::LT_DIRECTIONAL);
    light->setDirection(0.0f, 0.0f, -1.0f); // shines from the camera onto the back
    EXPECT_TRUE(colourNear(pixelAt(renderFrame(), 32, 24), 0, 0, 0, 0)) << "back face culled";
    material->getTechnique(0)->getPass(0)->setCullingMode(CULL_NONE);
    EXPECT_TRUE(colourNear(pixelAt(renderFrame(), 32, 24), 204, 204, 204, 1)) << "back face lit";
}

// The sky covers every pixel the scene leaves empty, and the scene covers it.
TEST_F(SceneRender, SkyBoxFillsTheBackground) {
    startScene(64, 48, true);
    viewport->setBackgroundColour(ColourValue(1.0f, 0.0f, 1.0f));
    scene->setSkyBox(true, "Examples/BlueSkyBox", 50.0f, true);
    camera->setPosition(0.0f, 0.0f, 0.0f);
    camera->lookAt(1.0f, 0.3f, 0.0f);
    const auto pixels = renderFrame();
    EXPECT_EQ(pixelsOtherThan(pixels, 255, 0, 255), 64 * 48) << "no background left";
    const auto top = pixelAt(pixels, 32, 2);
    const auto bottom = pixelAt(pixels, 32, 45);
    EXPECT_GT(top[2], top[0] + 40) << "blue sky above";
    EXPECT_GT(bottom[0] + bottom[1], top[0] + top[1]) << "lighter towards the horizon";
    EXPECT_EQ(window->getTriangleCount(), 12u);

    MaterialPtr flat = MaterialManager::getSingleton().create("Flat");
    flat->getTechnique(0)->getPass(0)->setLightingEnabled(false);
    Entity* quad = addQuad(*scene, "Quad", 100.0f, 0xFF00FF00u, "Flat");
    scene->getRootSceneNode()->detachObject(quad);
    scene->getRootSceneNode()
        ->createChildSceneNode(Vector3(20.0f, 0.0f, 0.0f), Quaternion::FromAngleAxis(-Math::HALF_PI, Vector3::UNIT_Y))
        ->attachObject(quad);
    EXPECT_EQ(pixelsOtherThan(renderFrame(), 0, 255, 0), 0) << "a quad nearer than the sky hides it";
    EXPECT_EQ(window->getTriangleCount(), 14u) << "sky box and quad";
    // The sky is drawn after the things in front of it but stays behind
    // them, even beyond its own distance.
    quad->getParentSceneNode()->setPosition(Vector3(80.0f, 0.0f, 0.0f));
    EXPECT_EQ(pixelsOtherThan(renderFrame(), 0, 255, 0), 0) << "a quad beyond the sky's distance hides it too";
    quad->getParentSceneNode()->setPosition(Vector3(80.0f, 0.0f, 90.0f));
    EXPECT_EQ(pixelsOtherThan(renderFrame(), 255, 0, 255), 64 * 48) << "sky where the quad is not";
}

// Looking at edges and corners where faces meet, away from the horizon
// (where the sky's gradient is steepest by design): neighbouring pixels
// never jump, so the faces are put together the way round they were made.
TEST_F(SceneRender, SkyBoxFacesMeetWithoutSeams) {
    startScene(256, 192, true);
    scene->setSkyBox(true, "Examples/BlueSkyBox", 50.0f, true);
    camera->setPosition(0.0f, 0.0f, 0.0f);
    for (const Vector3 target : {Vector3(1.0f, 0.8f, -1.0f), Vector3(1.0f, 1.2f, 1.0f), Vector3(-1.0f, 1.0f, -1.0f),
                                Vector3(-1.0f, -1.2f, 1.0f)}) {
        camera->lookAt(target);
        const auto pixels = renderFrame();
        int largest = 0;
        for (unsigned int y = 0; y + 1 < 192; ++y)
            for (unsigned int x = 0; x + 1 < 256; ++x) {
                const auto here = pixelAt(pixels, x, y);
                const auto right = pixelAt(pixels, x + 1, y);
                const auto below = pixelAt(pixels, x, y + 1);
                for (int c = 0; c < 3; ++c)
                    largest = std::max({largest, std::abs(here[c] - right[c]), std::abs(here[c] - below[c])});
            }
        EXPECT_LE(largest, 6) << "looking at (" << target.x << ", " << target.y << ", " << target.z << ")";
    }
}

// Entities hidden or detached draw nothing and count no triangles.
TEST_F(SceneRender, TriangleCountFollowsWhatIsDrawn) {
    startScene();
    litGrey("Grey");
    Entity* quad = addQuad(*scene, "Quad", 2.0f, 0xFFFFFFFFu, "Grey");
    renderFrame();
    EXPECT_EQ(window->getTriangleCount(), 2u);
    quad->setRenderDetail(SDL_WIREFRAME);
    renderFrame();
    EXPECT_EQ(window->getTriangleCount(), 2u) << "wireframe still draws both triangles";
    quad->setVisible(false);
    renderFrame();
    EXPECT_EQ(window->getTriangleCount(), 0u);
    quad->setVisible(true);
    scene->getRootSceneNode()->detachObject(quad);
    renderFrame();
    EXPECT_EQ(window->getTriangleCount(), 0u);
}
