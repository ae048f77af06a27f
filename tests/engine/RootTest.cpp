#include "EngineFixture.h"
#include "core/Exception.h"
#include "core/ResourceManager.h"
#include "render/GLObjectCount.h"
#include "render/RenderSystem.h"

using namespace Velk;

using RootTest = EngineFixture;

TEST_F(RootTest, LogNamesTheGLRendererAndTheShutDown) {
    Root& engine = startEngine(offscreenOptions());
    engine.initialise(true, "Logged Window");
    const std::string renderer = engine.getRenderSystem()->getGLRenderer();
    EXPECT_FALSE(renderer.empty());
    EXPECT_NE(renderer, "unknown");
    ResourceManager::addCommonArchiveEx(folder.path(""), "FileSystem");
    root.reset();
    const std::string log = TempFolder::read(folder.path("Velk.log"));
    EXPECT_NE(log.find("Velk engine starting"), std::string::npos);
    EXPECT_NE(log.find("GL renderer: " + renderer + "\n"), std::string::npos) << log;
    EXPECT_NE(log.find("GL version: "), std::string::npos);
    EXPECT_NE(log.find("Created render window 'Logged Window' (64 x 48, offscreen)"), std::string::npos);
    EXPECT_NE(log.find("Added resource location '" + folder.path("")), std::string::npos);
    EXPECT_NE(log.find("Velk engine shut down (0 GL objects left)"), std::string::npos);
}

TEST_F(RootTest, ShutDownLeavesNoGLObjects) {
    const std::size_t before = getLiveGLObjectCount();
    Root& engine = startEngine(offscreenOptions());
    engine.initialise(true);
    engine.renderOneFrame();
    EXPECT_GT(getLiveGLObjectCount(), before);
    root.reset();
    EXPECT_EQ(getLiveGLObjectCount(), 0u);
}

TEST_F(RootTest, MissingPluginFileIsLoggedAndTheBuiltInRenderSystemUsed) {
    Root& engine = startEngine(offscreenOptions());
    EXPECT_EQ(engine.getRenderSystem()->getName(), "OpenGL 3.3 Core");
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("plugins.cfg' not found"), std::string::npos);
}

TEST_F(RootTest, PluginFileNamesTheRenderSystem) {
    folder.write("plugins.cfg", "# render system\nRenderSystem=OpenGL 3.3 Core\n");
    startEngine(offscreenOptions());
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("render system OpenGL 3.3 Core"), std::string::npos);
}

TEST_F(RootTest, UnknownRenderSystemNamesTheLine) {
    folder.write("plugins.cfg", "# render system\nRenderSystem=Software\n");
    try {
        startEngine(offscreenOptions());
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getLine(), 2);
        EXPECT_EQ(error.getFile(), folder.path("plugins.cfg"));
        EXPECT_NE(error.getDescription().find("Software"), std::string::npos);
    }
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("Exception: "), std::string::npos);
    EXPECT_EQ(Root::getSingletonPtr(), nullptr);
}

TEST_F(RootTest, SavedSettingsSizeTheWindow) {
    folder.write("velk.cfg", "Video Mode=640 x 480\n");
    AutomationOptions options = offscreenOptions();
    options.width = options.height = 0;
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    EXPECT_EQ(window->getWidth(), 640u);
    EXPECT_EQ(window->getHeight(), 480u);
}

TEST_F(RootTest, BrokenSettingsFileFallsBackToDefaults) {
    folder.write("velk.cfg", "garbage line\n");
    Root& engine = startEngine(offscreenOptions());
    EXPECT_EQ(engine.getRenderSystem()->getConfigOption(RenderSystem::VIDEO_MODE), "800 x 600");
}

TEST_F(RootTest, DialogIsSkippedWithoutADisplayAndTheSavedSettingsStand) {
    folder.write("velk.cfg", "Video Mode=1024 x 768\n");
    Root& engine = startEngine(offscreenOptions());
    EXPECT_TRUE(engine.showConfigDialog());
    EXPECT_EQ(engine.getRenderSystem()->getConfigOption(RenderSystem::VIDEO_MODE), "1024 x 768");
    EXPECT_EQ(TempFolder::read(folder.path("velk.cfg")), "Video Mode=1024 x 768\n") << "nothing is rewritten";
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("Settings dialog not shown"), std::string::npos);
}

TEST_F(RootTest, OnlyOneRootAtATime) {
    startEngine(offscreenOptions());
    EXPECT_THROW(Root(folder.path("p.cfg"), folder.path("v.cfg"), folder.path("Second.log")), Exception);
    EXPECT_NE(Root::getSingletonPtr(), nullptr);
}

TEST_F(RootTest, SecondWindowIsAnError) {
    Root& engine = startEngine(offscreenOptions());
    engine.initialise(true);
    EXPECT_THROW(engine.initialise(true), Exception);
}

TEST_F(RootTest, CommandLineIsHandedToTheEngine) {
    const char* argv[] = {"tree", "--offscreen", "--frames", "2", "--size", "32x16"};
    EXPECT_TRUE(Root::setCommandLine(6, argv));
    root = std::make_unique<Root>(folder.path("plugins.cfg"), folder.path("velk.cfg"), folder.path("Velk.log"));
    RenderWindow* window = root->initialise(true);
    EXPECT_TRUE(window->isOffscreen());
    EXPECT_EQ(window->getWidth(), 32u);
    root->startRendering();
    EXPECT_EQ(root->getCurrentFrameNumber(), 2u);
}

TEST_F(RootTest, HelpStopsTheProgram) {
    const char* argv[] = {"tree", "--help"};
    testing::internal::CaptureStdout();
    EXPECT_FALSE(Root::setCommandLine(2, argv));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("--key-script"), std::string::npos);
}
