#include "core/StringConverter.h"

#include <gtest/gtest.h> // Required for: TEST, EXPECT_EQ

using Velk::Quaternion;
using Velk::StringConverter;
using Velk::Vector3;

// The statistics overlay's form: at most six significant digits.
TEST(StringConverter, FloatHasAtMostSixSignificantDigits) {
    EXPECT_EQ(StringConverter::toString(59.5f), "59.5");
    EXPECT_EQ(StringConverter::toString(123.4567f), "123.457");
    EXPECT_EQ(StringConverter::toString(120.0f), "120");
    EXPECT_EQ(StringConverter::toString(50.0f, 6, 0, ' ', std::ios::fmtflags(0)), "50");
}

// The forms the statistics and the tree panel build their captions from:
// rates and the tree's scale as floats with precision 6, width 0, fill ' '
// and no flags; seed, lightness, alpha, frame times and triangles plain.
TEST(StringConverter, StatisticsAndTreePanelForms) {
    const std::ios::fmtflags none = std::ios::fmtflags(0);
    EXPECT_EQ(StringConverter::toString(15.157f, 6, 0, ' ', none), "15.157");
    EXPECT_EQ(StringConverter::toString(13.4471235f, 6, 0, ' ', none), "13.4471");
    EXPECT_EQ(StringConverter::toString(0.5f, 6, 0, ' ', none), "0.5");
    EXPECT_EQ(StringConverter::toString(1234.5678f, 6, 0, ' ', none), "1234.57");
    EXPECT_EQ(StringConverter::toString(1000.0f / 24.0f, 6, 0, ' ', none), "41.6667");
    EXPECT_EQ(StringConverter::toString(0.0f, 6, 0, ' ', none), "0");
    EXPECT_EQ("Best FPS: " + StringConverter::toString(120.0f) + " " + StringConverter::toString(8ul) + " ms",
              "Best FPS: 120 8 ms");
    EXPECT_EQ(StringConverter::toString(1000, 0, ' ', none), "1000");
    EXPECT_EQ(StringConverter::toString(254, 0, ' ', none), "254");
    EXPECT_EQ(StringConverter::toString(0u, 0, ' ', none), "0");
    EXPECT_EQ(StringConverter::toString(4294967295u, 0, ' ', none), "4294967295");
    EXPECT_EQ(StringConverter::toString(48212u), "48212");
}

TEST(StringConverter, FloatHonoursPrecisionWidthFillAndFlags) {
    EXPECT_EQ(StringConverter::toString(3.14159f, 3), "3.14");
    EXPECT_EQ(StringConverter::toString(1.5f, 2, 0, ' ', std::ios::fixed), "1.50");
    EXPECT_EQ(StringConverter::toString(2.5f, 6, 6, '*'), "***2.5");
    EXPECT_EQ(StringConverter::toString(2.5f, 6, 6, ' ', std::ios::left), "2.5   ");
}

TEST(StringConverter, IntegersArePlainDecimalByDefault) {
    EXPECT_EQ(StringConverter::toString(0), "0");
    EXPECT_EQ(StringConverter::toString(-42), "-42");
    EXPECT_EQ(StringConverter::toString(1000u), "1000");
    EXPECT_EQ(StringConverter::toString(8ul), "8");
    EXPECT_EQ(StringConverter::toString(-7l), "-7");
}

TEST(StringConverter, IntegersHonourWidthFillAndFlags) {
    EXPECT_EQ(StringConverter::toString(7, 3, '0'), "007");
    EXPECT_EQ(StringConverter::toString(255, 0, ' ', std::ios::hex), "ff");
    EXPECT_EQ(StringConverter::toString(12u, 4, '.', std::ios::left), "12..");
}

TEST(StringConverter, VectorIsThreeFloats) {
    EXPECT_EQ(StringConverter::toString(Vector3(1.0f, 2.5f, -3.0f)), "1 2.5 -3");
}

TEST(StringConverter, QuaternionIsWThenXYZ) {
    EXPECT_EQ(StringConverter::toString(Quaternion::IDENTITY), "1 0 0 0");
    EXPECT_EQ(StringConverter::toString(Quaternion(0.5f, 0.25f, -0.125f, 0.0f)), "0.5 0.25 -0.125 0");
}

TEST(StringConverter, BoolForms) {
    EXPECT_EQ(StringConverter::toString(true), "true");
    EXPECT_EQ(StringConverter::toString(false, true), "no");
}

TEST(StringConverter, ParsesWholeTextOnly) {
    int i = 5;
    EXPECT_TRUE(StringConverter::parseInt("-12", i));
    EXPECT_EQ(i, -12);
    EXPECT_FALSE(StringConverter::parseInt("12x", i));
    EXPECT_FALSE(StringConverter::parseInt("", i));
    EXPECT_EQ(i, -12);
    unsigned int u = 0;
    EXPECT_FALSE(StringConverter::parseUnsignedInt("-1", u));
    EXPECT_TRUE(StringConverter::parseUnsignedInt("4294967295", u));
    EXPECT_EQ(u, 4294967295u);
    float f = 0;
    EXPECT_TRUE(StringConverter::parseReal("0.02", f));
    EXPECT_FLOAT_EQ(f, 0.02f);
    bool b = false;
    EXPECT_TRUE(StringConverter::parseBool("Yes", b));
    EXPECT_TRUE(b);
    EXPECT_FALSE(StringConverter::parseBool("maybe", b));
}

// Every number read from a script or a command line goes through parseReal:
// NaN, infinity and values too large for a float are not numbers it gives
// back, and the value it was given stays as it was.
TEST(StringConverter, RealsAreFiniteOrRefused) {
    float f = 7.0f;
    for (const char* text : {"nan", "NaN", "-nan", "inf", "-inf", "infinity", "INF", "1e39", "-1e39", "nan(1)"}) {
        EXPECT_FALSE(StringConverter::parseReal(text, f)) << text;
        EXPECT_EQ(f, 7.0f) << text;
    }
    EXPECT_TRUE(StringConverter::parseReal("3.4e38", f));
    EXPECT_FLOAT_EQ(f, 3.4e38f);
    EXPECT_TRUE(StringConverter::parseReal("-0.5", f));
    EXPECT_FLOAT_EQ(f, -0.5f);
}
