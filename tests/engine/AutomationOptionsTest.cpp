#include "render/AutomationOptions.h"

#include "core/Exception.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

using namespace Velk;

TEST(AutomationOptions, NoArgumentsChangeNothing) {
    const AutomationOptions options = AutomationOptions::parse({});
    EXPECT_FALSE(options.any());
    EXPECT_FALSE(options.offscreen);
    EXPECT_EQ(options.frameLimit, 0u);
    EXPECT_FALSE(options.fixedFrameTime.has_value());
}

TEST(AutomationOptions, ParsesEveryOption) {
    const AutomationOptions options = AutomationOptions::parse(
        {"--offscreen", "--frames", "120", "--frame-time=0.02", "--key-script", "keys.txt", "--screenshot", "10:a.png",
         "--screenshot=20:b.jpg", "--dump-state", "state.json", "--size", "320x240", "--dialog-keys", "RIGHT,RETURN",
         "--dialog-screenshot", "dialog.png", "--fsaa", "8"});
    EXPECT_TRUE(options.any());
    EXPECT_TRUE(options.offscreen);
    EXPECT_EQ(options.frameLimit, 120u);
    EXPECT_FLOAT_EQ(*options.fixedFrameTime, 0.02f);
    EXPECT_EQ(options.keyScriptFile, "keys.txt");
    EXPECT_EQ(options.screenshots.at(10), "a.png");
    EXPECT_EQ(options.screenshots.at(20), "b.jpg");
    EXPECT_EQ(options.stateDumpFile, "state.json");
    EXPECT_EQ(options.width, 320u);
    EXPECT_EQ(options.height, 240u);
    EXPECT_EQ(*options.dialogKeys, (std::vector<KeyCode>{KC_RIGHT, KC_RETURN}));
    EXPECT_EQ(options.dialogScreenshot, "dialog.png");
    EXPECT_EQ(*options.fsaa, 8);
    EXPECT_TRUE(AutomationOptions::parse({"--fsaa=0"}).any());
}

TEST(AutomationOptions, FrameTimeZeroIsAllowed) {
    EXPECT_FLOAT_EQ(*AutomationOptions::parse({"--frame-time", "0"}).fixedFrameTime, 0.0f);
}

TEST(AutomationOptions, HelpIsRecognised) {
    EXPECT_TRUE(AutomationOptions::parse({"--help"}).helpRequested);
    const std::string help = AutomationOptions::helpText("tree");
    for (const char* option : {"--offscreen", "--frames", "--frame-time", "--key-script", "--screenshot",
                               "--dump-state", "--dialog-keys", "--fsaa"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

TEST(AutomationOptions, BadOptionsAreEngineErrors) {
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--frames"}, {"--frames", "0"}, {"--frames", "ten"},
                                               {"--frame-time", "-1"}, {"--screenshot", "5"}, {"--screenshot", "x:a.png"},
                                               {"--size", "100"}, {"--dialog-keys", "NOPE"}, {"--unknown"},
                                               {"--fsaa", "3"}, {"--fsaa", "16"}, {"--fsaa", "four"}}) {
        EXPECT_THROW(AutomationOptions::parse(bad), Exception) << bad[0];
    }
}

// Two files for one frame, or a frame the loop never reaches, would lose a
// screenshot without a word: both are errors of the command line, naming it.
TEST(AutomationOptions, ScreenshotsThatCouldNeverBeWrittenAreRefused) {
    auto message = [](const std::vector<std::string>& arguments) -> std::string {
        try {
            AutomationOptions::parse(arguments);
        } catch (const Exception& error) {
            return error.getDescription();
        }
        return "accepted";
    };
    EXPECT_NE(message({"--screenshot", "5:a.png", "--screenshot=5:b.png"})
                  .find("frame 5 already has a screenshot ('a.png')"),
              std::string::npos);
    EXPECT_NE(message({"--frames", "10", "--screenshot", "11:late.png"})
                  .find("--screenshot 11:late.png is after the last frame (--frames 10)"),
              std::string::npos);
    // The order of the options does not matter.
    EXPECT_NE(message({"--screenshot", "11:late.png", "--frames", "10"}), "accepted");
    EXPECT_EQ(message({"--frames", "10", "--screenshot", "10:last.png", "--screenshot", "1:first.png"}), "accepted");
    EXPECT_EQ(message({"--screenshot", "500:a.png"}), "accepted"); // no frame limit
}
