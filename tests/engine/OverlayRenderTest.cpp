#include "EngineFixture.h"
#include "ImageFile.h"
#include "core/ConfigFile.h"
#include "core/Exception.h"
#include "core/ResourceManager.h"
#include "overlay/GuiManager.h"
#include "overlay/OverlayManager.h"
#include "render/GLObjectCount.h"

#include <epoxy/gl.h>         // Required for: glClear, glViewport, glPolygonMode (a scene's leftovers)
#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <filesystem> // Required for: std::filesystem::create_directories
#include <fstream>    // Required for: std::ifstream

using namespace Velk;

namespace {
// White 20-pixel text at (40, 30) of a 200 x 100 window, and a half red panel.
const char* const testScript = R"(overlay Test/Text
{
    text Test/Caption
    {
        position 40 30
        font_size 20
        colour 1 1 1
        caption "HHHH"
    }
}
overlay Test/Panel
{
    panel Test/Red
    {
        position 100 50
        size 60 40
        colour 1 0 0 0.5
    }
}
)";

// The pixels of one frame, top row first, as a grid of RGBA bytes.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgba;
    const unsigned char* at(int x, int y) const { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

// Where bright (text) pixels lie: their count, bounds and brightest value.
struct BrightPixels {
    int count = 0;
    int minX = 1 << 20, minY = 1 << 20, maxX = -1, maxY = -1;
    int brightest = 0;
};

BrightPixels brightPixels(const Frame& frame) {
    BrightPixels found;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const unsigned char* p = frame.at(x, y);
            const int grey = std::min({p[0], p[1], p[2]});
            if (grey < 128) continue;
            ++found.count;
            found.minX = std::min(found.minX, x);
            found.maxX = std::max(found.maxX, x);
            found.minY = std::min(found.minY, y);
            found.maxY = std::max(found.maxY, y);
            found.brightest = std::max(found.brightest, grey);
        }
    }
    return found;
}

// Covers the whole target in blue, the way a viewport clears its part, and
// leaves a small viewport and line drawing behind, as a wireframe scene would.
class BlueScene : public RenderTargetListener {
public:
    unsigned int renderContents(RenderTarget&) override {
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glViewport(0, 0, 10, 10);
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        return 0;
    }
};
} // namespace

class OverlayRender : public EngineFixture {
protected:
    // An engine with the test script in its resource folder and the window open.
    RenderWindow& openWindow(unsigned int width = 200, unsigned int height = 100) {
        folder.write("test.overlay", testScript);
        AutomationOptions options = offscreenOptions();
        options.width = width;
        options.height = height;
        Root& engine = startEngine(options);
        ResourceManager::addCommonArchiveEx(folder.path(""), "FileSystem");
        return *engine.initialise(true);
    }

    Frame drawFrame(RenderWindow& window) {
        root->renderOneFrame();
        return {static_cast<int>(window.getWidth()), static_cast<int>(window.getHeight()), window.readContents()};
    }

    static Overlay& overlay(const std::string& name) {
        Overlay* found = OverlayManager::getSingleton().getByName(name);
        if (found == nullptr) throw std::runtime_error("no overlay " + name);
        return *found;
    }
};

TEST_F(OverlayRender, TextElementDrawsWhereItsScriptPutsIt) {
    RenderWindow& window = openWindow();
    overlay("Test/Text").show();
    const BrightPixels text = brightPixels(drawFrame(window));
    ASSERT_GT(text.count, 100) << "four 20-pixel capitals";
    EXPECT_GE(text.minX, 40);
    EXPECT_LE(text.minX, 44) << "the first stem starts at the left edge of the element";
    EXPECT_GE(text.minY, 30);
    EXPECT_LE(text.maxY, 30 + 20) << "capitals lie within one line below the element's top";
    EXPECT_LE(text.maxX, 40 + 4 * 16);
    EXPECT_EQ(text.brightest, 255) << "glyphs on whole pixels keep fully covered texels";
}

TEST_F(OverlayRender, SetCaptionChangesTheTextPixels) {
    RenderWindow& window = openWindow();
    overlay("Test/Text").show();
    const BrightPixels four = brightPixels(drawFrame(window));
    GuiManager::getSingleton().getGuiElement("Test/Caption", false)->setCaption("HHHHHHHH");
    const BrightPixels eight = brightPixels(drawFrame(window));
    EXPECT_GT(eight.count, four.count * 3 / 2);
    EXPECT_GT(eight.maxX, four.maxX + 40) << "the longer caption reaches further right";
    EXPECT_EQ(eight.minX, four.minX);
    GuiManager::getSingleton().getGuiElement("Test/Caption")->setCaption("");
    EXPECT_EQ(brightPixels(drawFrame(window)).count, 0);
}

TEST_F(OverlayRender, HiddenOverlaysDrawNothing) {
    RenderWindow& window = openWindow();
    window.setClearColour(ColourValue(0.2f, 0.4f, 0.6f, 1.0f));
    overlay("Test/Text").show();
    overlay("Test/Text").hide();
    const Frame frame = drawFrame(window);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            ASSERT_EQ(std::vector<unsigned char>(frame.at(x, y), frame.at(x, y) + 4),
                      (std::vector<unsigned char>{51, 102, 153, 255}))
                << x << "," << y;
}

TEST_F(OverlayRender, PanelBlendsItsColourOverTheScene) {
    RenderWindow& window = openWindow();
    overlay("Test/Panel").show();
    const Frame frame = drawFrame(window);
    const unsigned char* inside = frame.at(130, 70);
    EXPECT_NEAR(inside[0], 128, 2) << "half red over black";
    EXPECT_EQ(inside[1], 0);
    const unsigned char* outside = frame.at(99, 70);
    EXPECT_EQ(outside[0], 0);
    EXPECT_EQ(frame.at(159, 89)[0], inside[0]) << "last pixel of the 60 x 40 panel";
    EXPECT_EQ(frame.at(160, 90)[0], 0);
}

TEST_F(OverlayRender, OverlaysDrawAfterListenersAddedLaterAndUndoTheirState) {
    RenderWindow& window = openWindow();
    BlueScene scene;
    window.addListener(&scene);
    overlay("Test/Text").show();
    overlay("Test/Panel").show();
    const Frame frame = drawFrame(window);
    window.removeListener(&scene);
    EXPECT_EQ(frame.at(5, 5)[2], 255) << "the scene drew";
    EXPECT_GT(brightPixels(frame).count, 100) << "text over the scene";
    const unsigned char* panel = frame.at(130, 70);
    EXPECT_NEAR(panel[0], 128, 2) << "filled, not outlined, outside the scene's small viewport";
    EXPECT_NEAR(panel[2], 128, 2);
}

TEST_F(OverlayRender, CursorOverlayFollowsTheMouse) {
    RenderWindow& window = openWindow();
    OverlayManager::getSingleton().createCursorOverlay();
    window._getInputState().mouseX = 50;
    window._getInputState().mouseY = 20;
    Frame frame = drawFrame(window);
    EXPECT_GT(frame.at(54, 24)[0], 200);
    EXPECT_EQ(frame.at(40, 24)[0], 0);
    window._getInputState().mouseX = 150;
    frame = drawFrame(window);
    EXPECT_EQ(frame.at(54, 24)[0], 0);
    EXPECT_GT(frame.at(154, 24)[0], 200);
}

TEST_F(OverlayRender, ShutDownFreesTheOverlaysGLObjects) {
    RenderWindow& window = openWindow();
    overlay("Test/Text").show();
    drawFrame(window);
    GuiManager::getSingleton().getGuiElement("Test/Caption")->setCaption("bigger");
    root.reset();
    EXPECT_EQ(getLiveGLObjectCount(), 0u);
    EXPECT_EQ(OverlayManager::getSingletonPtr(), nullptr);
    EXPECT_EQ(GuiManager::getSingletonPtr(), nullptr);
}

TEST_F(OverlayRender, ScriptErrorStopsInitialiseNamingFileAndLine) {
    folder.write("broken.overlay", "overlay Broken\n{\n    zorder\n}\n");
    Root& engine = startEngine(offscreenOptions());
    ResourceManager::addCommonArchiveEx(folder.path(""), "FileSystem");
    try {
        engine.initialise(true);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getFile(), folder.path("broken.overlay"));
        EXPECT_EQ(error.getLine(), 3);
        EXPECT_NE(error.getFullDescription().find("whole number after 'zorder'"), std::string::npos);
    }
    root.reset();
    EXPECT_EQ(getLiveGLObjectCount(), 0u);
}

TEST_F(OverlayRender, MissingElementIsAnEngineErrorNamingIt) {
    openWindow();
    try {
        GuiManager::getSingleton().getGuiElement("Example/Tree/Colour", false);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_NE(error.getFullDescription().find("Example/Tree/Colour"), std::string::npos);
    }
}

TEST_F(OverlayRender, StateDumpListsOverlaysAndCaptions) {
    openWindow();
    overlay("Test/Text").show();
    GuiManager::getSingleton().getGuiElement("Test/Caption")->setCaption("Current FPS: 50");
    root->writeStateDump(folder.path("state.json"));
    const nlohmann::json state = nlohmann::json::parse(TempFolder::read(folder.path("state.json")));
    EXPECT_EQ(state["overlays"]["Test/Text"]["visible"], true);
    EXPECT_EQ(state["overlays"]["Test/Panel"]["visible"], false);
    EXPECT_EQ(state["overlays"]["Test/Text"]["elements"]["Test/Caption"]["caption"], "Current FPS: 50");
}

// The program's own media, found through the generated resources.cfg as
// the program finds them; the picture is kept for a person to look at.
TEST_F(OverlayRender, ProgramOverlaysFromTheGeneratedMedia) {
    AutomationOptions options = offscreenOptions();
    options.width = 800;
    options.height = 600;
    Root& engine = startEngine(options);
    ConfigFile resources;
    resources.load(std::string(APP_DIR) + "/resources.cfg", "\t:=", true);
    for (auto entry = resources.getSettingsIterator(); entry.hasMoreElements(); entry.moveNext())
        ResourceManager::addCommonArchiveEx(entry.peekNextValue(), entry.peekNextKey(), entry.peekNextOrigin());
    RenderWindow& window = *engine.initialise(true);
    window.setClearColour(ColourValue(0.35f, 0.55f, 0.85f, 1.0f));

    GuiManager& gui = GuiManager::getSingleton();
    const std::pair<const char*, const char*> captions[] = {
        {"Core/CurrFps", "Current FPS: 59.5"},
        {"Core/AverageFps", "Average FPS: 61.2837"},
        {"Core/BestFps", "Best FPS: 123.457 8 ms"},
        {"Core/WorstFps", "Worst FPS: 41.6667 24 ms"},
        {"Core/NumTris", "Triangle Count: 48212"},
        {"Core/DebugText", "P: 25.9808 26.2 0 O: 0.793353 -0.12941 0.588018 0.0951213"},
        {"Example/Tree/TreeType", "[1-6] Tree Type: Quaking Aspen"},
        {"Example/Tree/Seed", "[Q/W] Seed: 0"},
        {"Example/Tree/Scale", "     Scale: 15.157"},
        {"Example/Tree/Lighting", "[K/L] Leaves Lightness: 160"},
        {"Example/Tree/Alpha", "[A/S] Leaves Alpha:    255"},
        {"Example/Tree/Detail", "[D] Detail: full, 89712 triangles"},
    };
    for (const auto& [name, caption] : captions) gui.getGuiElement(name, false)->setCaption(caption);
    ASSERT_NE(OverlayManager::getSingleton().getByName("Core/DebugOverlay"), nullptr);
    ASSERT_NE(OverlayManager::getSingleton().getByName("Example/TreeOverlay"), nullptr);
    overlay("Core/DebugOverlay").show();
    overlay("Example/TreeOverlay").show();
    const Frame frame = drawFrame(window);
    std::filesystem::create_directories(OVERLAY_OUT_DIR);
    window.writeContentsToFile(std::string(OVERLAY_OUT_DIR) + "/program-overlays.png");

    // Text of the tree panel in the top left, of the statistics bottom left.
    Frame top = frame;
    top.height = 150;
    const BrightPixels tree = brightPixels(top);
    EXPECT_GT(tree.count, 500);
    EXPECT_LT(tree.maxX, 320);
    Frame bottom{frame.width, 150, {frame.rgba.begin() + 450 * 800 * 4, frame.rgba.end()}};
    const BrightPixels stats = brightPixels(bottom);
    EXPECT_GT(stats.count, 500);
    EXPECT_LT(stats.minX, 40);
    EXPECT_EQ(OverlayManager::getSingleton().dumpState()["Core/DebugOverlay"]["elements"].size(), 7u)
        << "the panel and its six lines";
    EXPECT_EQ(OverlayManager::getSingleton().dumpState()["Example/TreeOverlay"]["elements"].size(), 7u)
        << "the panel and its six lines";
}
