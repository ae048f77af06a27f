#include "RecordingCanvas.h"
#include "core/Exception.h"
#include "overlay/GuiManager.h"
#include "overlay/OverlayManager.h"
#include "overlay/PanelGuiElement.h"
#include "overlay/TextAreaGuiElement.h"

#include <gtest/gtest.h>      // Required for: TEST_F, EXPECT_EQ
#include <nlohmann/json.hpp> // Required for: nlohmann::json

#include <sstream> // Required for: std::istringstream

using namespace Velk;

namespace {
// A panel in the lower right corner with one text line, and a second overlay.
const char* const twoOverlays = R"(# comment line
overlay Test/Stats   // the first
{
    zorder 300
    panel Test/Panel
    {
        halign right
        valign bottom
        position -110 -60
        size 100 50
        colour 0 0 0 0.5
        border 2 1 1 1
        text Test/Line
        {
            position 5 6
            font_size 12
            colour 1 0.5 0
            caption "Hello \"world\""
        }
    }
}

overlay "Test/Other" {
    text Test/Free {
        caption plain
    }
}
)";
} // namespace

// Each test has managers of its own, without an engine root or GL.
class OverlayScript : public ::testing::Test {
protected:
    void parse(const std::string& text, const std::string& name = "test.overlay") {
        std::istringstream stream(text);
        manager.parseScript(stream, name);
    }

    // The exception of parsing this script; fails the test when there is none.
    Exception parseError(const std::string& text) {
        try {
            parse(text, "broken.overlay");
        } catch (const Exception& error) {
            return error;
        }
        ADD_FAILURE() << "no exception";
        return Exception(Exception::ERR_INTERNAL_ERROR, "", "");
    }

    GuiElement* element(const std::string& name) { return GuiManager::getSingleton().getGuiElement(name); }

    OverlayManager manager;
};

TEST_F(OverlayScript, DefinesOverlaysAndElementsByName) {
    parse(twoOverlays);
    Overlay* stats = manager.getByName("Test/Stats");
    ASSERT_NE(stats, nullptr);
    EXPECT_EQ(stats->getZOrder(), 300);
    EXPECT_FALSE(stats->isVisible()) << "overlays start hidden";
    ASSERT_EQ(stats->getElements().size(), 1u);
    EXPECT_EQ(stats->getElements()[0]->getName(), "Test/Panel");
    ASSERT_NE(manager.getByName("Test/Other"), nullptr);
    EXPECT_EQ(manager.getByName("Test/Other")->getZOrder(), 100) << "default z-order";
    EXPECT_EQ(manager.getByName("Test/Missing"), nullptr);

    auto* line = dynamic_cast<TextAreaGuiElement*>(element("Test/Line"));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->getCaption(), "Hello \"world\"");
    EXPECT_FLOAT_EQ(line->getFontSize(), 12.0f);
    EXPECT_EQ(line->getColour(), ColourValue(1, 0.5f, 0, 1));
    EXPECT_EQ(line->getParent(), element("Test/Panel"));
    auto* panel = dynamic_cast<PanelGuiElement*>(element("Test/Panel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_FLOAT_EQ(panel->getBorderWidth(), 2.0f);
    EXPECT_EQ(panel->getHorizontalAlignment(), GuiElement::HorizontalAlign::Right);
    EXPECT_EQ(element("Test/Free")->getCaption(), "plain");
}

TEST_F(OverlayScript, SetCaptionReplacesTheText) {
    parse(twoOverlays);
    element("Test/Line")->setCaption("Current FPS: 59.5");
    EXPECT_EQ(element("Test/Line")->getCaption(), "Current FPS: 59.5");
}

TEST_F(OverlayScript, UnknownElementIsAnErrorNamingIt) {
    parse(twoOverlays);
    try {
        GuiManager::getSingleton().getGuiElement("Core/NumTris", false);
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_ITEM_NOT_FOUND);
        EXPECT_NE(error.getFullDescription().find("'Core/NumTris'"), std::string::npos) << error.getFullDescription();
        EXPECT_NE(error.getFullDescription().find("GuiManager::getGuiElement"), std::string::npos);
    }
    EXPECT_THROW(GuiManager::getSingleton().getGuiElement("Test/Line", true), Exception) << "no templates";
}

TEST_F(OverlayScript, ElementsArePlacedFromTheirAlignmentPoint) {
    parse(twoOverlays);
    manager.getByName("Test/Stats")->show();
    RecordingCanvas canvas(400, 300);
    manager.getByName("Test/Stats")->draw(canvas);
    ASSERT_EQ(canvas.calls.size(), 3u);
    EXPECT_EQ(canvas.calls[0].what, "fill");
    EXPECT_FLOAT_EQ(canvas.calls[0].area.x, 290.0f) << "right edge 400, 110 to its left";
    EXPECT_FLOAT_EQ(canvas.calls[0].area.y, 240.0f) << "bottom edge 300, 60 above it";
    EXPECT_FLOAT_EQ(canvas.calls[0].area.width, 100.0f);
    EXPECT_FLOAT_EQ(canvas.calls[0].area.height, 50.0f);
    EXPECT_EQ(canvas.calls[1].what, "stroke");
    EXPECT_EQ(canvas.calls[2].what, "text");
    EXPECT_FLOAT_EQ(canvas.calls[2].area.x, 295.0f) << "text placed inside its panel";
    EXPECT_FLOAT_EQ(canvas.calls[2].area.y, 246.0f);
    EXPECT_EQ(canvas.calls[2].pixelSize, 12u);
}

TEST_F(OverlayScript, RelativeMetricsScaleWithTheWindow) {
    parse("overlay R\n{\n text R/T\n {\n metrics relative\n position 0.5 0.25\n font_size 0.05\n caption x\n }\n}\n");
    manager.getByName("R")->show();
    RecordingCanvas canvas(800, 600);
    manager.getByName("R")->draw(canvas);
    ASSERT_EQ(canvas.calls.size(), 1u);
    EXPECT_FLOAT_EQ(canvas.calls[0].area.x, 400.0f);
    EXPECT_FLOAT_EQ(canvas.calls[0].area.y, 150.0f);
    EXPECT_EQ(canvas.calls[0].pixelSize, 30u) << "5% of 600 pixels";
}

TEST_F(OverlayScript, HiddenOverlaysAndElementsDrawNothing) {
    parse(twoOverlays);
    RecordingCanvas canvas(400, 300);
    manager.getByName("Test/Stats")->draw(canvas);
    EXPECT_TRUE(canvas.calls.empty()) << "not shown yet";
    manager.getByName("Test/Stats")->show();
    element("Test/Panel")->hide();
    manager.getByName("Test/Stats")->draw(canvas);
    EXPECT_TRUE(canvas.calls.empty()) << "a hidden panel hides its text too";
    element("Test/Panel")->show();
    manager.getByName("Test/Stats")->hide();
    manager.getByName("Test/Stats")->draw(canvas);
    EXPECT_TRUE(canvas.calls.empty());
}

TEST_F(OverlayScript, LineBreaksStartNewLines) {
    parse(twoOverlays);
    manager.getByName("Test/Other")->show();
    element("Test/Free")->setCaption("one\ntwo");
    RecordingCanvas canvas(400, 300);
    manager.getByName("Test/Other")->draw(canvas);
    ASSERT_EQ(canvas.calls.size(), 2u);
    EXPECT_EQ(canvas.calls[0].text, "one");
    EXPECT_EQ(canvas.calls[1].text, "two");
    EXPECT_FLOAT_EQ(canvas.calls[1].area.y - canvas.calls[0].area.y, 20.0f);
}

TEST_F(OverlayScript, StateDumpHasEveryOverlayAndCaption) {
    parse(twoOverlays);
    manager.getByName("Test/Stats")->show();
    element("Test/Line")->setCaption("Triangle Count: 0");
    const nlohmann::json state = manager.dumpState();
    EXPECT_EQ(state["Test/Stats"]["visible"], true);
    EXPECT_EQ(state["Test/Other"]["visible"], false);
    EXPECT_EQ(state["Test/Stats"]["zOrder"], 300);
    EXPECT_EQ(state["Test/Stats"]["elements"]["Test/Line"]["caption"], "Triangle Count: 0");
    EXPECT_EQ(state["Test/Stats"]["elements"]["Test/Line"]["type"], "TextArea");
    EXPECT_EQ(state["Test/Stats"]["elements"]["Test/Line"]["parent"], "Test/Panel");
    EXPECT_EQ(state["Test/Stats"]["elements"]["Test/Panel"]["type"], "Panel");
    EXPECT_EQ(state["Test/Other"]["elements"]["Test/Free"]["caption"], "plain");
}

TEST_F(OverlayScript, CursorOverlayIsMadeOnceAndShown) {
    manager.createCursorOverlay();
    manager.createCursorOverlay();
    Overlay* cursor = manager.getByName(OverlayManager::cursorOverlayName);
    ASSERT_NE(cursor, nullptr);
    EXPECT_TRUE(cursor->isVisible());
    EXPECT_EQ(cursor->getElements().size(), 1u);
}

// Errors name the script, the line and what was expected there.
struct BadScript {
    const char* name; // of the test case
    const char* text;
    long line;
    const char* expected; // part of the description
};

// Test output names the case rather than dumping its bytes.
void PrintTo(const BadScript& bad, std::ostream* out) { *out << bad.name; }

class OverlayScriptErrors : public OverlayScript, public ::testing::WithParamInterface<BadScript> {};

TEST_P(OverlayScriptErrors, NameFileLineAndWhatWasExpected) {
    const BadScript& bad = GetParam();
    const Exception error = parseError(bad.text);
    EXPECT_EQ(error.getFile(), "broken.overlay");
    EXPECT_EQ(error.getLine(), bad.line) << error.getFullDescription();
    EXPECT_NE(error.getDescription().find(bad.expected), std::string::npos) << error.getDescription();
    EXPECT_NE(error.getFullDescription().find("broken.overlay:" + std::to_string(bad.line)), std::string::npos)
        << error.getFullDescription();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OverlayScriptErrors,
    ::testing::Values(
        BadScript{"NoOverlayKeyword", "panel P\n{\n}\n", 1, "expected 'overlay' to start a definition, found 'panel'"},
        BadScript{"NoOverlayName", "overlay\n{\n}\n",
                  1, "expected an overlay name after 'overlay', found the end of the line"},
        BadScript{"NoOpeningBrace", "overlay O\n\n  zorder 3\n", 3, "expected '{' to open overlay 'O', found 'zorder'"},
        BadScript{"ZOrderNotANumber", "overlay O\n{\n zorder high\n}\n", 3, "expected one whole number after 'zorder'"},
        BadScript{"PositionWithOneNumber", "overlay O\n{\n panel P\n {\n position 1\n }\n}\n",
                  5, "expected two finite numbers (left top)"},
        BadScript{"PositionNaN", "overlay O\n{\n panel P\n {\n position nan 0\n }\n}\n",
                  5, "expected two finite numbers (left top)"},
        BadScript{"SizeInfinite", "overlay O\n{\n panel P\n {\n size 10 inf\n }\n}\n",
                  5, "expected two finite numbers of at least 0"},
        BadScript{"SizeBeyondAFloat", "overlay O\n{\n panel P\n {\n size 1e39 10\n }\n}\n",
                  5, "expected two finite numbers of at least 0"},
        BadScript{"ColourNaN", "overlay O\n{\n panel P\n {\n colour nan 0 0\n }\n}\n",
                  5, "three or four numbers from 0 to 1"},
        BadScript{"FontSizeNaN", "overlay O\n{\n text T\n {\n font_size nan\n }\n}\n",
                  5, "one finite number above 0 after 'font_size'"},
        BadScript{"ColourOutOfRange", "overlay O\n{\n panel P\n {\n colour 1 2 3\n }\n}\n",
                  5, "three or four numbers from 0 to 1"},
        BadScript{"UnknownProperty", "overlay O\n{\n panel P\n {\n wobble 1\n }\n}\n", 5, "found 'wobble'"},
        BadScript{"TextHoldingText", "overlay O\n{\n text T\n {\n text U\n {\n }\n }\n}\n",
                  5, "a text element cannot hold 'text'"},
        BadScript{"FontSizeZero", "overlay O\n{\n text T\n {\n font_size 0\n }\n}\n",
                  5, "one finite number above 0 after 'font_size'"},
        BadScript{"BorderOnText", "overlay O\n{\n text T\n {\n border 1 1 1 1\n }\n}\n", 5, "found 'border'"},
        BadScript{"UnterminatedString", "overlay O\n{\n text T\n {\n caption \"open\n }\n}\n", 5, "closing '\"'"},
        BadScript{"UnknownMetrics", "overlay O\n{\n panel P\n {\n metrics inches\n }\n}\n",
                  5, "'pixels' or 'relative'"},
        BadScript{"BraceAfterValues", "overlay O\n{\n panel P\n {\n position 1 2 }\n}\n",
                  5, "the end of the line after the values"},
        BadScript{"UnclosedOverlay", "overlay O\n{\n panel P\n {\n}\n",
                  5, "'}' to close overlay 'O' (opened at line 1)"},
        BadScript{"DuplicateElement", "overlay O\n{\n panel P\n {\n }\n panel P\n {\n }\n}\n",
                  6, "'P' is already defined"},
        BadScript{"DuplicateOverlay", "overlay O\n{\n}\noverlay O\n{\n}\n",
                  4, "an overlay named 'O' is already defined"}),
    [](const ::testing::TestParamInfo<BadScript>& info) { return std::string(info.param.name); });

TEST_F(OverlayScript, ScriptWithAnErrorAddsNothing) {
    parseError("overlay Good\n{\n text Good/T\n {\n }\n}\noverlay Bad\n{\n zorder x\n}\n");
    EXPECT_EQ(manager.getByName("Good"), nullptr);
    EXPECT_FALSE(GuiManager::getSingleton().hasGuiElement("Good/T"));
}

TEST_F(OverlayScript, NamesMustBeNewAcrossScripts) {
    parse(twoOverlays, "first.overlay");
    const Exception error = parseError("overlay New\n{\n text Test/Line\n {\n }\n}\n");
    EXPECT_EQ(error.getLine(), 3);
    EXPECT_NE(error.getDescription().find("'Test/Line' is already defined"), std::string::npos);
    EXPECT_EQ(manager.getByName("New"), nullptr);
}

TEST_F(OverlayScript, MissingScriptFileIsAnErrorNamingIt) {
    try {
        manager.parseScript("/no/such/dir/x.overlay");
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_NE(error.getFullDescription().find("/no/such/dir/x.overlay"), std::string::npos);
    }
}
