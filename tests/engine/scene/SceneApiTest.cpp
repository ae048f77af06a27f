// The scene's objects by name, the camera's movements and the errors of
// wrong names and indices.
#include "SceneFixture.h"

#include "core/Exception.h"
#include "material/MaterialManager.h"
#include "math/Math.h"
#include "mesh/MeshManager.h"
#include "render/Viewport.h"

#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <fstream> // Required for: std::ifstream

using namespace Velk;

namespace {
// Runs `action`, expects an engine error whose full description holds every text.
template <class Action>
void expectError(Action action, std::initializer_list<const char*> texts) {
    try {
        action();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& error) {
        for (const char* text : texts)
            EXPECT_NE(error.getFullDescription().find(text), std::string::npos)
                << "'" << text << "' missing from: " << error.getFullDescription();
    }
}

void expectVectorNear(const Vector3& actual, float x, float y, float z) {
    EXPECT_NEAR(actual.x, x, 1e-4f);
    EXPECT_NEAR(actual.y, y, 1e-4f);
    EXPECT_NEAR(actual.z, z, 1e-4f);
}
} // namespace

using SceneApi = SceneFixture;

TEST_F(SceneApi, SceneExistsOnlyOnceTheWindowIsOpen) {
    startEngine(offscreenOptions());
    expectError([&] { root->getSceneManager(ST_GENERIC); }, {"Root::getSceneManager", "initialise"});
    root->initialise(true);
    EXPECT_NE(root->getSceneManager(ST_GENERIC), nullptr);
}

TEST_F(SceneApi, DuplicateAndUnknownNamesAreEngineErrors) {
    startScene();
    expectError([&] { scene->createCamera("TestCam"); }, {"camera 'TestCam'", "already exists"});
    expectError([&] { scene->getCamera("Nobody"); }, {"camera 'Nobody'", "does not exist"});
    scene->createLight("Sun");
    expectError([&] { scene->createLight("Sun"); }, {"light 'Sun'"});
    expectError([&] { scene->getLight("Moon"); }, {"light 'Moon'"});
    expectError([&] { scene->createEntity("Tree", "NoMesh"); }, {"mesh 'NoMesh'", "SceneManager::createEntity"});
    makeQuadMesh("QuadMesh", 1.0f);
    scene->createEntity("Quad", "QuadMesh");
    expectError([&] { scene->createEntity("Quad", "QuadMesh"); }, {"entity 'Quad'", "already exists"});
    expectError([&] { scene->getEntity("Ghost"); }, {"entity 'Ghost'"});
    expectError([&] { scene->removeEntity("Ghost"); }, {"entity 'Ghost'"});
    expectError([&] { scene->setSkyBox(true, "No/Such/Sky", 50.0f); }, {"material 'No/Such/Sky'"});
}

TEST_F(SceneApi, WrongIndicesAreEngineErrors) {
    startScene();
    makeQuadMesh("QuadMesh", 1.0f);
    Entity* quad = scene->createEntity("Quad", "QuadMesh");
    EXPECT_EQ(quad->getNumSubEntities(), 1u);
    expectError([&] { quad->getSubEntity(1); }, {"sub-entity 1", "Entity::getSubEntity"});
    expectError([&] { quad->getSubEntity(0)->setMaterialName("Missing"); }, {"material 'Missing'"});
    EXPECT_EQ(MaterialManager::getSingleton().getByName("Missing"), nullptr) << "a lookup may miss";
    MaterialPtr material = MaterialManager::getSingleton().create("Mat");
    expectError([&] { material->getTechnique(1); }, {"technique 1"});
    expectError([&] { material->getTechnique(0)->getPass(1); }, {"pass 1"});
    expectError([&] { MaterialManager::getSingleton().create("Mat"); }, {"material 'Mat'", "already exists"});
    expectError([&] { window->getViewport(1); }, {"viewport 1"});
    expectError([&] { window->addViewport(camera, 0); }, {"z-order 0"});
}

// Removing the entity and dropping the mesh frees both names for a new pair.
TEST_F(SceneApi, RemovedEntityAndDroppedMeshFreeTheirNames) {
    startScene();
    makeQuadMesh("TreeMesh", 1.0f);
    Entity* entity = scene->createEntity("TreeEntity", "TreeMesh");
    SceneNode* node = scene->getRootSceneNode()->createChildSceneNode();
    node->attachObject(entity);
    expectError([&] { scene->getRootSceneNode()->attachObject(entity); }, {"already attached"});
    EXPECT_EQ(entity->getMesh()->getName(), "TreeMesh");
    node->detachObject(entity);
    expectError([&] { node->detachObject(entity); }, {"not attached"});
    scene->removeEntity(entity);
    MeshManager::getSingleton().remove("TreeMesh");
    makeQuadMesh("TreeMesh", 1.0f);
    EXPECT_NO_THROW(scene->createEntity("TreeEntity", "TreeMesh"));
    EXPECT_EQ(scene->getEntityCount(), 1u);
}

// The camera looks down -Z; yaw turns about the world's vertical axis.
TEST_F(SceneApi, CameraTurnsAndMovesInItsOwnAxes) {
    startScene();
    camera->setPosition(0.0f, 0.0f, 500.0f);
    camera->lookAt(0.0f, 0.0f, -300.0f);
    expectVectorNear(camera->getDirection(), 0.0f, 0.0f, -1.0f);
    camera->yaw(90.0f);
    expectVectorNear(camera->getDirection(), -1.0f, 0.0f, 0.0f);
    camera->pitch(90.0f);
    expectVectorNear(camera->getDirection(), 0.0f, 1.0f, 0.0f);
    camera->pitch(-90.0f);
    camera->moveRelative(Vector3(0.0f, 0.0f, -10.0f));
    expectVectorNear(camera->getDerivedPosition(), -10.0f, 0.0f, 500.0f);

    camera->setPosition(25.98f, 15.0f, 0.0f);
    camera->lookAt(0.0f, 0.0f, 0.0f);
    Vector3 expected(-25.98f, -15.0f, 0.0f);
    expected.normalise();
    expectVectorNear(camera->getDirection(), expected.x, expected.y, expected.z);
    expectVectorNear(camera->getDerivedOrientation().xAxis(), 0.0f, 0.0f, -1.0f);
}

TEST_F(SceneApi, NodesCarryTheirChildrenAndObjects) {
    startScene();
    SceneNode* parent = scene->getRootSceneNode()->createChildSceneNode(
        Vector3(10.0f, 0.0f, 0.0f), Quaternion::FromAngleAxis(Math::HALF_PI, Vector3::UNIT_Y));
    SceneNode* child = parent->createChildSceneNode(Vector3(0.0f, 0.0f, -1.0f));
    expectVectorNear(child->getDerivedPosition(), 9.0f, 0.0f, 0.0f);
    Camera* onNode = scene->createCamera("Rider");
    child->attachObject(onNode);
    expectVectorNear(onNode->getDerivedPosition(), 9.0f, 0.0f, 0.0f);
    expectVectorNear(onNode->getDerivedOrientation() * Vector3(0.0f, 0.0f, -1.0f), -1.0f, 0.0f, 0.0f);
}

TEST_F(SceneApi, LightDirectionIsNormalisedByTheEngine) {
    startScene();
    Light* light = scene->createLight("MainLight");
    light->setType(Light::LT_DIRECTIONAL);
    light->setDirection(Vector3(-0.5f, -0.5f, 0.0f));
    expectVectorNear(light->getDirection(), -0.70710678f, -0.70710678f, 0.0f);
    expectError([&] { light->setDirection(Vector3::ZERO); }, {"zero vector"});
}

TEST_F(SceneApi, ViewportReportsItsPixelSize) {
    startScene(64, 48);
    EXPECT_EQ(viewport->getActualWidth(), 64);
    EXPECT_EQ(viewport->getActualHeight(), 48);
    Viewport* inset = window->addViewport(camera, 1, 0.5f, 0.25f, 0.5f, 0.5f);
    EXPECT_EQ(inset->getActualLeft(), 32);
    EXPECT_EQ(inset->getActualTop(), 12);
    EXPECT_EQ(inset->getActualWidth(), 32);
    EXPECT_EQ(inset->getActualHeight(), 24);
    inset->setBackgroundColour(ColourValue(0.0f, 1.0f, 0.0f));
    const auto pixels = renderFrame();
    EXPECT_TRUE(colourNear(pixelAt(pixels, 48, 24), 0, 255, 0, 0)) << "inside the inset";
    EXPECT_TRUE(colourNear(pixelAt(pixels, 16, 24), 0, 0, 0, 0)) << "outside it";
}

// What the application's end-to-end tests read.
TEST_F(SceneApi, StateDumpDescribesCameraEntitiesAndMaterials) {
    startScene();
    camera->setDetailLevel(SDL_WIREFRAME);
    makeQuadMesh("QuadMesh", 1.0f);
    MaterialPtr leaf = MaterialManager::getSingleton().create("LeafTextMat");
    leaf->getTechnique(0)->getPass(0)->setDiffuse(0.9f, 1.0f, 0.9f, 1.0f);
    leaf->getTechnique(0)->getPass(0)->setAmbient(0.5f, 0.6f, 0.5f);
    leaf->getTechnique(0)->getPass(0)->setSceneBlending(SBT_TRANSPARENT_ALPHA);
    leaf->getTechnique(0)->getPass(0)->setCullingMode(CULL_NONE);
    Entity* entity = scene->createEntity("TreeEntity", "QuadMesh");
    entity->getSubEntity(0)->setMaterialName("LeafTextMat");
    entity->setRenderDetail(SDL_WIREFRAME);
    root->writeStateDump(folder.path("state.json"));
    std::ifstream in(folder.path("state.json"));
    const nlohmann::json state = nlohmann::json::parse(in);

    EXPECT_EQ(state["camera"]["name"], "TestCam");
    EXPECT_EQ(state["camera"]["position"], nlohmann::json({0.0f, 0.0f, 10.0f}));
    EXPECT_EQ(state["camera"]["orientation"].size(), 4u);
    EXPECT_EQ(state["camera"]["detailLevel"], 2);
    ASSERT_EQ(state["entities"].size(), 1u);
    EXPECT_EQ(state["entities"][0]["name"], "TreeEntity");
    EXPECT_EQ(state["entities"][0]["mesh"], "QuadMesh");
    EXPECT_EQ(state["entities"][0]["renderDetail"], 2);
    EXPECT_EQ(state["entities"][0]["subEntityMaterials"], nlohmann::json({"LeafTextMat"}));
    ASSERT_EQ(state["materials"].size(), 1u);
    const nlohmann::json& material = state["materials"][0];
    EXPECT_EQ(material["name"], "LeafTextMat");
    EXPECT_EQ(material["diffuse"], nlohmann::json({0.9f, 1.0f, 0.9f, 1.0f}));
    EXPECT_EQ(material["ambient"], nlohmann::json({0.5f, 0.6f, 0.5f}));
    EXPECT_EQ(material["sceneBlending"], "alpha_blend");
    EXPECT_EQ(material["culling"], "none");
    EXPECT_EQ(material["lighting"], true);
}
