// Material scripts: what they set, where their errors point, and bad media.
#include "SceneFixture.h"

#include "core/Exception.h"
#include "material/MaterialManager.h"
#include "material/MaterialScriptParser.h"
#include "material/TextureManager.h"

#include <sstream> // Required for: std::istringstream

using namespace Velk;

namespace {
// The error a script gives, or a failure when it parses.
Exception scriptError(const std::string& text, MaterialManager& manager) {
    std::istringstream in(text);
    try {
        parseMaterialScript(in, "test.material", manager);
    } catch (const Exception& error) {
        return error;
    }
    ADD_FAILURE() << "no error for:\n" << text;
    return Exception(Exception::ERR_INTERNAL_ERROR, "", "");
}
} // namespace

// Parsing needs no window: materials without textures are plain objects.
TEST(MaterialScript, SettingsReachThePass) {
    MaterialManager manager;
    std::istringstream in(R"(// leaves
material Leaf/Test
{
    lighting off   # not lit
    diffuse 0.9 1 0.9 0.5
    ambient 0.5 0.6 0.5
    scene_blend alpha_blend
    cull_hardware none
    cull_software none
    depth_write off
    depth_check off
}
material Other {
}
)");
    parseMaterialScript(in, "test.material", manager);
    EXPECT_EQ(manager.getMaterialCount(), 2u);
    const MaterialPtr leaf = manager.getByName("Leaf/Test");
    const Pass* pass = leaf->getTechnique(0)->getPass(0);
    EXPECT_FALSE(pass->getLightingEnabled());
    EXPECT_EQ(pass->getDiffuse(), ColourValue(0.9f, 1.0f, 0.9f, 0.5f));
    EXPECT_EQ(pass->getAmbient(), ColourValue(0.5f, 0.6f, 0.5f, 1.0f));
    EXPECT_EQ(pass->getSceneBlending(), SBT_TRANSPARENT_ALPHA);
    EXPECT_EQ(pass->getCullingMode(), CULL_NONE);
    EXPECT_EQ(pass->getManualCullingMode(), MANUAL_CULL_NONE);
    EXPECT_FALSE(pass->getDepthWriteEnabled());
    EXPECT_FALSE(pass->getDepthCheckEnabled());
    EXPECT_EQ(leaf->getOriginLine(), 2);
    EXPECT_TRUE(manager.getByName("Other")->getTechnique(0)->getPass(0)->getLightingEnabled());
}

// Each error names the file, the line and what was expected.
TEST(MaterialScript, SyntaxErrorsNameFileLineAndWhatWasExpected) {
    MaterialManager manager;
    struct Case {
        const char* text;
        long line;
        const char* expected;
    };
    const Case cases[] = {
        {"material A\n{\n    lighting maybe\n}\n", 3, "'lighting on' or 'lighting off'"},
        {"material A\n{\n    diffuse 1 one 1\n}\n", 3, "expected a finite number for 'diffuse', found 'one'"},
        // NaN, infinity and numbers beyond a float never reach a colour or a
        // conversion to an integer.
        {"material A\n{\n    diffuse nan nan nan nan\n}\n", 3, "expected a finite number for 'diffuse', found 'nan'"},
        {"material A\n{\n    ambient 1 inf 1\n}\n", 3, "expected a finite number for 'ambient', found 'inf'"},
        {"material A\n{\n    diffuse 1 1 1e39\n}\n", 3, "found '1e39'"},
        {"material A\n{\n    diffuse 2 0 0\n}\n", 3, "expected a number from 0 to 1 for 'diffuse', found '2'"},
        {"material A\n{\n    texture t.png nan\n}\n", 3, "expected a finite number for 'texture', found 'nan'"},
        {"material A\n{\n    texture t.png 8\n}\n", 3, "expected a coordinate set from 0 to 7"},
        {"material A\n{\n    sparkle on\n}\n", 3, "unknown setting 'sparkle'"},
        {"material A\n    lighting off\n}\n", 2, "expected '{'"},
        {"material A\n{\n    lighting off\n", 3, "expected '}'"},
        {"technique A\n", 1, "expected 'material <name>'"},
        {"material A\n{\n}\nmaterial A\n{\n}\n", 4, "defined twice"},
        {"material A\n{\n    scene_blend glow\n}\n", 3, "alpha_blend"},
        {"material A\n{\n    cubic_texture a.png b.png\n}\n", 3, "six face images"},
    };
    for (const Case& c : cases) {
        const Exception error = scriptError(c.text, manager);
        EXPECT_EQ(error.getFile(), "test.material") << c.text;
        EXPECT_EQ(error.getLine(), c.line) << c.text;
        EXPECT_NE(error.getFullDescription().find(c.expected), std::string::npos) << error.getFullDescription();
        EXPECT_NE(error.getFullDescription().find("test.material"), std::string::npos);
    }
    EXPECT_EQ(manager.getMaterialCount(), 0u) << "a broken file makes no materials";
}

using MaterialMedia = SceneFixture;

// Scripts in the resource locations are read when a name is first looked up.
TEST_F(MaterialMedia, ScriptFromTheResourceLocationsDefinesTheSkyBox) {
    startScene(64, 48, true);
    const MaterialPtr sky = MaterialManager::getSingleton().getByName("Examples/BlueSkyBox");
    const Pass* pass = sky->getTechnique(0)->getPass(0);
    EXPECT_FALSE(pass->getLightingEnabled());
    EXPECT_FALSE(pass->getDepthWriteEnabled());
    ASSERT_EQ(pass->getNumTextureUnitStates(), 1u);
    EXPECT_TRUE(pass->getTextureUnitState(0)->isCubic());
    EXPECT_NE(sky->getOriginFile().find("Examples.material"), std::string::npos);
}

TEST_F(MaterialMedia, ScriptWithASyntaxErrorNamesItsFileAndLine) {
    folder.write("broken.material", "material Broken\n{\n    lighting sometimes\n}\n");
    startScene();
    try {
        MaterialManager::getSingleton().getByName("Broken");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_NE(error.getFullDescription().find("broken.material:3"), std::string::npos) << error.getFullDescription();
        EXPECT_NE(error.getFullDescription().find("lighting"), std::string::npos);
    }
}

TEST_F(MaterialMedia, MissingTextureNamesTheFileAndTheMaterial) {
    startScene();
    MaterialPtr bark = MaterialManager::getSingleton().create("BarkTextMat");
    try {
        bark->getTechnique(0)->getPass(0)->createTextureUnitState("no_such_bark.jpg", 0);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_FILE_NOT_FOUND);
        EXPECT_NE(error.getFullDescription().find("no_such_bark.jpg"), std::string::npos) << error.getFullDescription();
        EXPECT_NE(error.getFullDescription().find("BarkTextMat"), std::string::npos);
    }
    EXPECT_EQ(bark->getTechnique(0)->getPass(0)->getNumTextureUnitStates(), 0u);
}

// A texture named by a script that is missing points at the script line.
TEST_F(MaterialMedia, MissingTextureInAScriptNamesTheScriptLine) {
    folder.write("sky.material", "material Sky\n{\n    lighting off\n    texture gone.png\n}\n");
    startScene();
    try {
        MaterialManager::getSingleton().getByName("Sky");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_NE(error.getFullDescription().find("gone.png"), std::string::npos) << error.getFullDescription();
        EXPECT_NE(error.getFullDescription().find("sky.material:4"), std::string::npos);
    }
}

TEST_F(MaterialMedia, UndecodableTextureNamesTheFile) {
    folder.write("garbage.png", "this is not an image");
    startScene();
    MaterialPtr material = MaterialManager::getSingleton().create("M");
    try {
        material->getTechnique(0)->getPass(0)->createTextureUnitState("garbage.png", 0);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_NE(error.getFullDescription().find("garbage.png"), std::string::npos) << error.getFullDescription();
    }
}

// Loaded once, with the mipmap count asked for before loading.
TEST_F(MaterialMedia, TexturesLoadOnceWithTheDefaultMipmaps) {
    startScene(64, 48, true);
    TextureManager::getSingleton().setDefaultNumMipmaps(5);
    MaterialPtr a = MaterialManager::getSingleton().create("A");
    MaterialPtr b = MaterialManager::getSingleton().create("B");
    const TexturePtr first = a->getTechnique(0)->getPass(0)->createTextureUnitState("tree_bark.jpg", 0)->getTexture();
    const TexturePtr second = b->getTechnique(0)->getPass(0)->createTextureUnitState("tree_bark.jpg", 0)->getTexture();
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->getWidth(), 512u);
    EXPECT_EQ(first->getNumMipmaps(), 5u);
    EXPECT_EQ(TextureManager::getSingleton().getTextureCount(), 1u);
}
