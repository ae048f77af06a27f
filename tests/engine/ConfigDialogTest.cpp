#include "render/ConfigDialog.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

using namespace Velk;

namespace {
// Row numbers of the settings, in the render system's order.
constexpr std::size_t videoRow = 0;
constexpr std::size_t fullScreenRow = 1;
constexpr std::size_t antiAliasingRow = 3;
} // namespace

TEST(ConfigDialog, StartsFromTheCurrentSettings) {
    RenderSystem system;
    system.setConfigOption(RenderSystem::VIDEO_MODE, "1024 x 768");
    const ConfigDialog dialog(system);
    EXPECT_EQ(dialog.getShownValue(videoRow), "1024 x 768");
    EXPECT_EQ(dialog.getFocus(), 0u);
    EXPECT_EQ(dialog.getResult(), ConfigDialog::Result::Open);
}

TEST(ConfigDialog, RightChangesTheVideoModeAndEnterAccepts) {
    RenderSystem system;
    ConfigDialog dialog(system);
    dialog.handleKey(KC_RIGHT);
    EXPECT_EQ(dialog.getShownValue(videoRow), "1024 x 768");
    EXPECT_EQ(system.getConfigOption(RenderSystem::VIDEO_MODE), "800 x 600") << "nothing changes before accepting";
    dialog.handleKey(KC_RETURN);
    EXPECT_EQ(dialog.getResult(), ConfigDialog::Result::Accepted);
    EXPECT_EQ(system.getConfigOption(RenderSystem::VIDEO_MODE), "1024 x 768");
}

TEST(ConfigDialog, EscapeCancelsAndLeavesTheSettings) {
    RenderSystem system;
    ConfigDialog dialog(system);
    dialog.handleKey(KC_DOWN);
    dialog.handleKey(KC_RIGHT);
    dialog.handleKey(KC_ESCAPE);
    EXPECT_EQ(dialog.getResult(), ConfigDialog::Result::Cancelled);
    EXPECT_FALSE(system.isFullScreen());
    dialog.handleKey(KC_RETURN);
    EXPECT_EQ(dialog.getResult(), ConfigDialog::Result::Cancelled) << "a closed dialog ignores keys";
}

TEST(ConfigDialog, ValuesWrapAroundAndFocusStopsAtTheEnds) {
    RenderSystem system;
    ConfigDialog dialog(system);
    dialog.handleKey(KC_UP);
    EXPECT_EQ(dialog.getFocus(), 0u);
    for (int i = 0; i < 3; ++i) dialog.handleKey(KC_DOWN);
    EXPECT_EQ(dialog.getFocus(), antiAliasingRow);
    dialog.handleKey(KC_LEFT);
    EXPECT_EQ(dialog.getShownValue(antiAliasingRow), "8");
    dialog.handleKey(KC_RIGHT);
    EXPECT_EQ(dialog.getShownValue(antiAliasingRow), "0");
    for (int i = 0; i < 10; ++i) dialog.handleKey(KC_DOWN);
    EXPECT_EQ(dialog.getFocus(), dialog.cancelIndex());
}

TEST(ConfigDialog, EnterOnCancelCancels) {
    RenderSystem system;
    ConfigDialog dialog(system);
    // One Down per setting row reaches OK.
    for (std::size_t i = 0; i < system.getConfigOptions().size(); ++i) dialog.handleKey(KC_DOWN);
    EXPECT_EQ(dialog.getFocus(), dialog.okIndex());
    dialog.handleKey(KC_RIGHT);
    EXPECT_EQ(dialog.getFocus(), dialog.cancelIndex());
    dialog.handleKey(KC_RETURN);
    EXPECT_EQ(dialog.getResult(), ConfigDialog::Result::Cancelled);
}

TEST(ConfigDialog, MouseChangesValuesAndPressesButtons) {
    RenderSystem system;
    ConfigDialog dialog(system);
    const auto field = ConfigDialog::rowValueRect(fullScreenRow);
    dialog.handleClick(field.x + field.width - 5, field.y + 5);
    EXPECT_EQ(dialog.getFocus(), fullScreenRow);
    EXPECT_EQ(dialog.getShownValue(fullScreenRow), "Yes");
    const auto video = ConfigDialog::rowValueRect(videoRow);
    dialog.handleClick(video.x + 5, video.y + 5);
    EXPECT_EQ(dialog.getShownValue(videoRow), "640 x 480");
    const auto ok = ConfigDialog::okButtonRect();
    dialog.handleClick(ok.x + 1, ok.y + 1);
    EXPECT_EQ(dialog.getResult(), ConfigDialog::Result::Accepted);
    EXPECT_TRUE(system.isFullScreen());
    EXPECT_EQ(system.getConfigOption(RenderSystem::VIDEO_MODE), "640 x 480");
}

TEST(ConfigDialog, CancelButtonCancels) {
    RenderSystem system;
    ConfigDialog dialog(system);
    const auto cancel = ConfigDialog::cancelButtonRect();
    dialog.handleClick(cancel.x + cancel.width / 2, cancel.y + cancel.height / 2);
    EXPECT_EQ(dialog.getResult(), ConfigDialog::Result::Cancelled);
}

TEST(ConfigDialog, LayoutFitsTheDialog) {
    const RenderSystem system;
    const auto last = ConfigDialog::rowValueRect(system.getConfigOptions().size() - 1);
    EXPECT_LE(last.y + last.height, ConfigDialog::hintBaseline() - 16.0f) << "the last row ends above the key hint";
    EXPECT_LE(ConfigDialog::hintBaseline() + 4.0f, ConfigDialog::okButtonRect().y);
    EXPECT_LE(ConfigDialog::cancelButtonRect().x + ConfigDialog::cancelButtonRect().width, ConfigDialog::WIDTH);
    EXPECT_LE(ConfigDialog::okButtonRect().y + ConfigDialog::okButtonRect().height, ConfigDialog::HEIGHT);
    EXPECT_LE(ConfigDialog::okButtonRect().x + ConfigDialog::okButtonRect().width, ConfigDialog::cancelButtonRect().x);
}
