// Dear ImGui inside the engine: fed by the same input as the listeners (the
// key script here), drawn after everything else, counted and freed like
// every other GL object.
#include "EngineFixture.h"
#include "gui/ImmediateGui.h"
#include "render/GLObjectCount.h"

#include <imgui.h>           // Required for: ImGui
#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <string> // Required for: std::string
#include <vector> // Required for: std::vector

using namespace Velk;

namespace {

// A window at (10, 10) of 200 x 120 with a button and a text field; records
// what the GUI reported on every frame.
class GuiListener : public FrameListener {
public:
    bool frameStarted(const FrameEvent&) override {
        ++frame;
        wantedKeyboard.push_back(ImmediateGui::getSingleton().wantsKeyboard());
        ImGui::SetNextWindowPos(ImVec2(10, 10));
        ImGui::SetNextWindowSize(ImVec2(200, 120));
        ImGui::Begin("Test window", nullptr, ImGuiWindowFlags_NoCollapse);
        ImGui::SetCursorPos(ImVec2(10, 30));
        if (ImGui::Button("Press me", ImVec2(100, 30))) clickFrames.push_back(frame);
        ImGui::SetCursorPos(ImVec2(10, 80));
        ImGui::SetNextItemWidth(150);
        ImGui::InputText("##text", text, sizeof(text));
        ImGui::End();
        return true;
    }
    int frame = 0;
    std::vector<int> clickFrames;
    std::vector<bool> wantedKeyboard;
    char text[32] = "";
};

// Sum of red, green and blue over a rectangle of an RGBA top-down image.
long brightness(const std::vector<unsigned char>& rgba, unsigned int width, int x0, int y0, int x1, int y1) {
    long sum = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c) sum += rgba[(static_cast<std::size_t>(y) * width + x) * 4 + c];
    return sum;
}

} // namespace

using ImmediateGuiTest = EngineFixture;

TEST_F(ImmediateGuiTest, ScriptedMouseAndKeysDriveWidgetsThatAreDrawnOverTheScene) {
    AutomationOptions options = offscreenOptions();
    options.width = 320;
    options.height = 240;
    options.frameLimit = 12;
    // Click the button (frames 2-4), then the text field (5-6), type "ab" (7-10).
    options.keyScriptFile = folder.write("keys.txt",
                                         "2 MOUSE MOVE 60 55\n3 MOUSE PRESS LEFT\n4 MOUSE RELEASE LEFT\n"
                                         "5 MOUSE MOVE 60 100\n5 MOUSE PRESS LEFT\n6 MOUSE RELEASE LEFT\n"
                                         "7 A\n9 B\n");
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    window->setClearColour(ColourValue::Black);
    GuiListener listener;
    engine.addFrameListener(&listener);
    engine.startRendering();

    EXPECT_EQ(listener.clickFrames, std::vector<int>{4}) << "a button acts when released over it";
    EXPECT_STREQ(listener.text, "ab");
    EXPECT_FALSE(listener.wantedKeyboard[2]) << "nothing is being edited yet";
    EXPECT_TRUE(listener.wantedKeyboard[8]) << "the text field has the keyboard";

    // The window is drawn over the black target; outside it stays black.
    const std::vector<unsigned char> pixels = window->readContents();
    EXPECT_GT(brightness(pixels, 320, 10, 10, 210, 130), 200L * 120L * 10L);
    EXPECT_EQ(brightness(pixels, 320, 230, 150, 320, 240), 0L);

    const nlohmann::json state = ImmediateGui::getSingleton().dumpState();
    EXPECT_EQ(state["windows"], nlohmann::json::array({"Test window"}));
    EXPECT_EQ(state["wantsKeyboard"], true);
}

TEST_F(ImmediateGuiTest, WithoutWindowsNothingIsDrawnAndShutDownFreesTheGuiObjects) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 3;
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    window->setClearColour(ColourValue(0.2f, 0.4f, 0.6f, 1.0f));
    engine.startRendering();
    EXPECT_EQ(window->getTriangleCount(), 0u);
    const std::vector<unsigned char> pixels = window->readContents();
    EXPECT_EQ(pixels[0], 51);
    EXPECT_EQ(ImmediateGui::getSingleton().dumpState()["windows"], nlohmann::json::array());
    root.reset();
    EXPECT_EQ(getLiveGLObjectCount(), 0u);
    EXPECT_EQ(ImmediateGui::getSingletonPtr(), nullptr);
}
