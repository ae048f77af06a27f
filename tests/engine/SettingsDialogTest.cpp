#include "EngineFixture.h"
#include "ImageFile.h"
#include "render/GLObjectCount.h"
#include "render/RenderSystem.h"

using namespace Velk;

namespace {
AutomationOptions dialogOptions(std::vector<KeyCode> keys) {
    AutomationOptions options;
    options.offscreen = true;
    options.dialogKeys = std::move(keys);
    return options;
}
} // namespace

using SettingsDialog = EngineFixture;

TEST_F(SettingsDialog, ChangingTheVideoModeAndAcceptingSavesIt) {
    AutomationOptions options = dialogOptions({KC_RIGHT, KC_RETURN});
    options.dialogScreenshot = folder.path("dialog.png");
    Root& engine = startEngine(options);
    EXPECT_TRUE(engine.showConfigDialog());
    EXPECT_EQ(engine.getRenderSystem()->getConfigOption(RenderSystem::VIDEO_MODE), "1024 x 768");
    const std::string saved = TempFolder::read(folder.path("velk.cfg"));
    EXPECT_NE(saved.find("Video Mode=1024 x 768\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Vertical Sync=Yes\n"), std::string::npos) << saved;

    // The last frame shows the changed mode; check the drawing, not just the file.
    const ImageFile image = ImageFile::load(folder.path("dialog.png"));
    ASSERT_EQ(image.width, 520);
    ASSERT_EQ(image.height, 420);
    EXPECT_EQ(image.pixel(4, 4), (std::vector<unsigned char>{56, 66, 82, 255})) << "header band";
    EXPECT_EQ(image.pixel(4, 200), (std::vector<unsigned char>{41, 46, 54, 255})) << "panel";
    int brightInTitle = 0;
    for (int y = 10; y < 45; ++y)
        for (int x = 24; x < 260; ++x)
            if (image.pixel(x, y)[0] > 200) ++brightInTitle;
    EXPECT_GT(brightInTitle, 100) << "the title is drawn";

    // A saved file presets the next dialog.
    root.reset();
    startEngine(dialogOptions({KC_RETURN}));
    EXPECT_EQ(root->getRenderSystem()->getConfigOption(RenderSystem::VIDEO_MODE), "1024 x 768");
}

TEST_F(SettingsDialog, AntiAliasingRowIsReachedWithDown) {
    folder.write("velk.cfg", "FSAA=0\n");
    Root& engine = startEngine(dialogOptions({KC_DOWN, KC_DOWN, KC_DOWN, KC_RIGHT, KC_RETURN}));
    EXPECT_TRUE(engine.showConfigDialog());
    EXPECT_NE(TempFolder::read(folder.path("velk.cfg")).find("FSAA=2\n"), std::string::npos);
}

// The last row chooses the wind: Medium unless chosen, one step right is Strong.
TEST_F(SettingsDialog, WindStrengthRowIsTheLastAndIsSaved) {
    Root& engine = startEngine(
        dialogOptions({KC_DOWN, KC_DOWN, KC_DOWN, KC_DOWN, KC_DOWN, KC_RIGHT, KC_RETURN}));
    EXPECT_TRUE(engine.showConfigDialog());
    EXPECT_FLOAT_EQ(engine.getRenderSystem()->getWindStrength(), 1.0f);
    EXPECT_NE(TempFolder::read(folder.path("velk.cfg")).find("Wind Strength=Strong\n"), std::string::npos);
}

TEST_F(SettingsDialog, EscapeCancelsAndSavesNothing) {
    Root& engine = startEngine(dialogOptions({KC_RIGHT, KC_ESCAPE}));
    EXPECT_FALSE(engine.showConfigDialog());
    EXPECT_EQ(engine.getRenderSystem()->getConfigOption(RenderSystem::VIDEO_MODE), "800 x 600");
    EXPECT_FALSE(std::filesystem::exists(folder.path("velk.cfg")));
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("Settings dialog cancelled"), std::string::npos);
}

// Past the six rows and OK to Cancel.
TEST_F(SettingsDialog, CancelButtonByKeyboardCancels) {
    Root& engine =
        startEngine(dialogOptions({KC_TAB, KC_TAB, KC_TAB, KC_TAB, KC_TAB, KC_TAB, KC_TAB, KC_RETURN}));
    EXPECT_FALSE(engine.showConfigDialog());
}

TEST_F(SettingsDialog, RunningOutOfScriptedKeysCancels) {
    Root& engine = startEngine(dialogOptions({KC_RIGHT}));
    EXPECT_FALSE(engine.showConfigDialog());
}

TEST_F(SettingsDialog, DialogLeavesNoGLObjectsBehind) {
    Root& engine = startEngine(dialogOptions({KC_RETURN}));
    EXPECT_TRUE(engine.showConfigDialog());
    EXPECT_EQ(getLiveGLObjectCount(), 0u);
}
