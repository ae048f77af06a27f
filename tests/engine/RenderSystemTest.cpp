#include "render/RenderSystem.h"

#include "TempFolder.h"
#include "core/Exception.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

using namespace Velk;

TEST(RenderSystem, DefaultsAreWindowed800x600WithVSync) {
    const RenderSystem system;
    EXPECT_EQ(system.getConfigOption(RenderSystem::VIDEO_MODE), "800 x 600");
    EXPECT_FALSE(system.isFullScreen());
    EXPECT_TRUE(system.isVSync());
    EXPECT_EQ(system.getAntiAliasingSamples(), 0);
    unsigned int w = 0;
    unsigned int h = 0;
    system.getVideoModeSize(w, h);
    EXPECT_EQ(w, 800u);
    EXPECT_EQ(h, 600u);
}

TEST(RenderSystem, VideoModesComeFromTheDisplay) {
    const RenderSystem system({"1024 x 768", "1280 x 1024"});
    EXPECT_EQ(system.getConfigOption(RenderSystem::VIDEO_MODE), "1024 x 768");
    EXPECT_EQ(system.getConfigOptions()[0].possibleValues.size(), 2u);
}

TEST(RenderSystem, RejectsUnknownSettingsAndValues) {
    RenderSystem system;
    EXPECT_THROW(system.setConfigOption("Colour Depth", "32"), Exception);
    EXPECT_THROW(system.setConfigOption(RenderSystem::VIDEO_MODE, "17 x 3"), Exception);
    EXPECT_THROW(system.setConfigOption(RenderSystem::ANTI_ALIASING, "4x"), Exception);
    system.setConfigOption(RenderSystem::ANTI_ALIASING, "4");
    EXPECT_EQ(system.getAntiAliasingSamples(), 4);
}

TEST(RenderSystem, SavedSettingsReadBack) {
    TempFolder folder;
    RenderSystem written;
    written.setConfigOption(RenderSystem::VIDEO_MODE, "1280 x 720");
    written.setConfigOption(RenderSystem::VSYNC, "No");
    written.saveSettings(folder.path("velk.cfg"));

    ConfigFile file;
    file.load(folder.path("velk.cfg"), "=", true);
    RenderSystem read;
    read.loadSettings(file);
    EXPECT_EQ(read.getConfigOption(RenderSystem::VIDEO_MODE), "1280 x 720");
    EXPECT_FALSE(read.isVSync());
}

// A value the display no longer offers keeps the default instead of failing.
TEST(RenderSystem, StaleSavedValuesAreSkipped) {
    TempFolder folder;
    ConfigFile file;
    file.load(folder.write("velk.cfg", "Video Mode=99 x 99\nFull Screen=Yes\nFoo=bar\n"), "=", true);
    RenderSystem system;
    system.loadSettings(file);
    EXPECT_EQ(system.getConfigOption(RenderSystem::VIDEO_MODE), "800 x 600");
    EXPECT_TRUE(system.isFullScreen());
}

// Files of earlier versions named the setting "Anti-aliasing" with "4x".
TEST(RenderSystem, EarlierAntiAliasingSettingIsRead) {
    TempFolder folder;
    ConfigFile file;
    file.load(folder.write("velk.cfg", "Anti-aliasing=8x\n"), "=", true);
    RenderSystem system;
    EXPECT_FALSE(system.wasLoaded(RenderSystem::ANTI_ALIASING));
    system.loadSettings(file);
    EXPECT_EQ(system.getConfigOption(RenderSystem::ANTI_ALIASING), "8");
    EXPECT_EQ(system.getAntiAliasingSamples(), 8);
    EXPECT_TRUE(system.wasLoaded(RenderSystem::ANTI_ALIASING));
}
