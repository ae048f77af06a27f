#include "input/KeyScript.h"

#include "core/Exception.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

#include <sstream> // Required for: std::istringstream

using namespace Velk;

namespace {
KeyScript parse(const std::string& text) {
    KeyScript script;
    std::istringstream stream(text);
    script.load(stream, "keys.txt");
    return script;
}

// Line number of the error the script raises, or 0.
long errorLine(const std::string& text) {
    try {
        parse(text);
    } catch (const Exception& error) {
        EXPECT_EQ(error.getFile(), "keys.txt");
        return error.getLine();
    }
    return 0;
}
} // namespace

TEST(KeyScript, SingleFrameHoldsOnlyThatFrame) {
    const KeyScript script = parse("5 ESCAPE\n");
    EXPECT_FALSE(script.keysAt(4)[KC_ESCAPE]);
    EXPECT_TRUE(script.keysAt(5)[KC_ESCAPE]);
    EXPECT_FALSE(script.keysAt(6)[KC_ESCAPE]);
}

TEST(KeyScript, RangesAndSeveralKeys) {
    const KeyScript script = parse("# orbit\n10-12 UP left   # comment\n11 A\n");
    EXPECT_FALSE(script.keysAt(9)[KC_UP]);
    EXPECT_TRUE(script.keysAt(10)[KC_UP]);
    EXPECT_TRUE(script.keysAt(12)[KC_LEFT]);
    EXPECT_FALSE(script.keysAt(13)[KC_LEFT]);
    EXPECT_TRUE(script.keysAt(11)[KC_A]);
    EXPECT_FALSE(script.keysAt(10)[KC_A]);
}

TEST(KeyScript, EmptyScriptHoldsNothing) {
    const KeyScript script = parse("\n# nothing\n");
    EXPECT_TRUE(script.empty());
}

TEST(KeyScript, ErrorsNameTheLine) {
    EXPECT_EQ(errorLine("1 A\n2 NOTAKEY\n"), 2);
    EXPECT_EQ(errorLine("\n\n0 A\n"), 3);
    EXPECT_EQ(errorLine("5-3 A\n"), 1);
    EXPECT_EQ(errorLine("4\n"), 1);
    EXPECT_EQ(errorLine("x A\n"), 1);
}

TEST(KeyScript, MissingFileIsAnError) {
    KeyScript script;
    EXPECT_THROW(script.load("/nonexistent/keys.txt"), Exception);
}

TEST(KeyScript, MouseLinesGiveTheirActionsOnTheirFrame) {
    const KeyScript script = parse("3 mouse move 120 -4\n3 MOUSE PRESS left\n3 A\n9 MOUSE RELEASE RIGHT\n"
                                   "9 MOUSE WHEEL -2\n10 MOUSE PRESS MIDDLE\n");
    EXPECT_FALSE(script.empty());
    EXPECT_TRUE(script.mouseAt(2).empty());
    const std::vector<MouseAction> three = script.mouseAt(3);
    ASSERT_EQ(three.size(), 2u);
    EXPECT_EQ(three[0].kind, MouseAction::MOVE);
    EXPECT_EQ(three[0].x, 120);
    EXPECT_EQ(three[0].y, -4);
    EXPECT_EQ(three[1].kind, MouseAction::PRESS);
    EXPECT_EQ(three[1].button, 0);
    EXPECT_TRUE(script.keysAt(3)[KC_A]) << "key lines still work beside mouse lines";
    const std::vector<MouseAction> nine = script.mouseAt(9);
    ASSERT_EQ(nine.size(), 2u);
    EXPECT_EQ(nine[0].kind, MouseAction::RELEASE);
    EXPECT_EQ(nine[0].button, 1);
    EXPECT_EQ(nine[1].kind, MouseAction::WHEEL);
    EXPECT_EQ(nine[1].steps, -2);
    EXPECT_EQ(script.mouseAt(10).at(0).button, 2);
    EXPECT_FALSE(parse("4 MOUSE WHEEL 1\n").empty()) << "a script of mouse lines only is not empty";
}

TEST(KeyScript, BadMouseLinesNameTheLine) {
    EXPECT_EQ(errorLine("1 A\n2 MOUSE MOVE 10\n"), 2);
    EXPECT_EQ(errorLine("1 MOUSE MOVE 10 x\n"), 1);
    EXPECT_EQ(errorLine("1 MOUSE PRESS THUMB\n"), 1);
    EXPECT_EQ(errorLine("1 MOUSE RELEASE\n"), 1);
    EXPECT_EQ(errorLine("1 MOUSE WHEEL up\n"), 1);
    EXPECT_EQ(errorLine("1 MOUSE JUMP\n"), 1);
    EXPECT_EQ(errorLine("1 MOUSE\n"), 1);
    EXPECT_EQ(errorLine("\n1-4 MOUSE PRESS LEFT\n"), 2) << "mouse lines act on one frame";
    EXPECT_EQ(errorLine("1 MOUSE MOVE 1 2 3\n"), 1);
    EXPECT_EQ(errorLine("1 MOUSE MOVE 9999999 2\n"), 1);
}

// A folder opens like a file on Linux and reads as nothing; a device such as
// /dev/zero never ends. Neither may pass as a script, and neither may fill
// the memory: both are refused with the file (and for a line, its number).
TEST(KeyScript, UnreadableEndlessAndOversizedScriptsAreRefused) {
    KeyScript script;
    const std::string folder = ::testing::TempDir();
    try {
        script.load(folder);
        ADD_FAILURE() << "a folder was read as a key script";
    } catch (const Exception& error) {
        EXPECT_NE(error.getDescription().find("is a folder"), std::string::npos) << error.getFullDescription();
        EXPECT_EQ(error.getFile(), folder);
    }
    try {
        script.load("/dev/zero");
        ADD_FAILURE() << "/dev/zero was read as a key script";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getFile(), "/dev/zero");
        EXPECT_EQ(error.getLine(), 1);
        EXPECT_NE(error.getDescription().find("longer than 4096 characters"), std::string::npos)
            << error.getFullDescription();
    }
    EXPECT_TRUE(script.empty());

    // A line of exactly the longest length is still read; one more character is not.
    const std::string longest = "1 A #" + std::string(KeyScript::MAX_LINE - 5, 'x');
    EXPECT_TRUE(parse(longest + "\n2 B\n").keysAt(2)[KC_B]);
    EXPECT_EQ(errorLine("1 A\n" + longest + "x\n"), 2);

    // Past a megabyte of valid lines the script is refused where it passes the limit.
    std::string big;
    while (big.size() <= KeyScript::MAX_BYTES) big += "1 A\n";
    EXPECT_EQ(errorLine(big), static_cast<long>(KeyScript::MAX_BYTES / 4 + 1));
    EXPECT_EQ(errorLine(big.substr(0, KeyScript::MAX_BYTES)), 0);
}
