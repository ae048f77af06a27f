#include "Textures.h"

#include <cstdlib> // Required for: std::abs

#include <gtest/gtest.h>

TEST(Mediagen, TexturesAreReproducible) {
    EXPECT_EQ(makeBark(64).pixels, makeBark(64).pixels);
    EXPECT_EQ(makeLeafAtlas(128).pixels, makeLeafAtlas(128).pixels);
}

TEST(Mediagen, BarkTilesWithoutASeam) {
    Image bark = makeBark(128);
    // The step across the wrap-around edge is no larger than steps inside.
    auto diff = [&](int x0, int y0, int x1, int y1) {
        int d = 0;
        for (int c = 0; c < 3; ++c) d += std::abs(int(bark.at(x0, y0)[c]) - int(bark.at(x1, y1)[c]));
        return d;
    };
    long across = 0, inside = 0;
    for (int y = 0; y < 128; ++y) {
        across += diff(127, y, 0, y);
        inside += diff(63, y, 64, y);
    }
    EXPECT_LT(across, inside * 3 + 128 * 20);
    long acrossV = 0, insideV = 0;
    for (int x = 0; x < 128; ++x) {
        acrossV += diff(x, 127, x, 0);
        insideV += diff(x, 63, x, 64);
    }
    EXPECT_LT(acrossV, insideV * 3 + 128 * 20);
}

TEST(Mediagen, EveryAtlasQuarterHoldsOneLeafWithItsStalkAtTheBottomCentre) {
    Image atlas = makeLeafAtlas(256);
    const int q = 128;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int ox = (quarter % 2) * q, oy = (quarter / 2) * q;
        int opaque = 0, clear = 0;
        for (int y = 0; y < q; ++y)
            for (int x = 0; x < q; ++x) {
                const uint8_t a = atlas.at(ox + x, oy + y)[3];
                opaque += a == 255;
                clear += a == 0;
            }
        EXPECT_GT(opaque, q * q / 10) << quarter;
        EXPECT_GT(clear, q * q / 4) << quarter;
        // The corners are empty; the stalk sits at the bottom centre.
        EXPECT_EQ(atlas.at(ox, oy)[3], 0) << quarter;
        EXPECT_EQ(atlas.at(ox + q - 1, oy + q - 1)[3], 0) << quarter;
        EXPECT_GT(atlas.at(ox + q / 2, oy + q - 4)[3], 128) << quarter;
        EXPECT_EQ(atlas.at(ox + q / 4, oy + q - 2)[3], 0) << quarter;
    }
}

TEST(Mediagen, SkyIsBlueAboveAndLighterAtTheHorizon) {
    const auto faces = makeSkyFaces(32);
    Image top = faces[2];
    Image side = faces[4];
    const uint8_t* zenith = top.at(16, 16);
    EXPECT_GT(zenith[2], zenith[0] + 80);
    const uint8_t* horizon = side.at(16, 16);
    EXPECT_GT(horizon[0], zenith[0] + 60);
    // Adjacent side faces meet: the right edge of +Z matches the left edge of +X.
    Image px = faces[0];
    for (int y = 0; y < 32; ++y)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(side.at(31, y)[c], px.at(0, y)[c], 3) << y;
}
