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
