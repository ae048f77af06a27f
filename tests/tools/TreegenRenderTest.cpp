// treegen render, run as a user runs it: every species gives a picture in
// which the tree stands out from the sky.
#include "TreegenRun.h"

#include <algorithm>   // Required for: std::min, std::max
#include <cstdio>      // Required for: std::fopen, std::fputs, std::fclose
#include <cstdlib>     // Required for: std::abs
#include <filesystem>  // Required for: std::filesystem
#include <vector>      // Required for: std::vector
#include <stb_image.h> // Required for: stbi_load, stbi_image_free

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// The share of pixels that differ clearly from the sky of their row. The sky
// changes only with height, and the image's left edge is sky.
double treeShare(const fs::path& file, int& width, int& height) {
    int channels = 0;
    unsigned char* pixels = stbi_load(file.string().c_str(), &width, &height, &channels, 3);
    if (!pixels) return -1.0;
    long differing = 0;
    for (int y = 0; y < height; ++y) {
        const unsigned char* sky = pixels + size_t(y) * width * 3;
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = sky + size_t(x) * 3;
            const int d = std::abs(p[0] - sky[0]) + std::abs(p[1] - sky[1]) + std::abs(p[2] - sky[2]);
            differing += d > 40;
        }
    }
    stbi_image_free(pixels);
    return double(differing) / (double(width) * height);
}

// Where the tree lies in a picture against the sky. The generated sky has
// blue strongest everywhere; bark, leaves and markers have red or green
// above blue.
struct TreeExtent {
    int width = 0, height = 0;
    int onBorder = 0;                 // tree pixels on the outer two rows and columns
    int left = 1 << 30, right = -1;   // columns of the tree's outermost pixels
    int top = 1 << 30, bottom = -1;   // rows of its highest and lowest pixels
    bool opaque = true;               // every alpha 255
};

TreeExtent treeExtent(const fs::path& file) {
    TreeExtent e;
    int channels = 0;
    unsigned char* pixels = stbi_load(file.string().c_str(), &e.width, &e.height, &channels, 4);
    if (!pixels) return e;
    for (int y = 0; y < e.height; ++y) {
        for (int x = 0; x < e.width; ++x) {
            const unsigned char* p = pixels + (size_t(y) * e.width + x) * 4;
            e.opaque = e.opaque && p[3] == 255;
            if (!(p[0] > p[2] + 8 || p[1] > p[2] + 8)) continue;
            e.onBorder += x < 2 || y < 2 || x >= e.width - 2 || y >= e.height - 2;
            e.left = std::min(e.left, x), e.right = std::max(e.right, x);
            e.top = std::min(e.top, y), e.bottom = std::max(e.bottom, y);
        }
    }
    stbi_image_free(pixels);
    return e;
}

} // namespace

// By default the camera stands as far away as shows the whole tree, leaves
// included; every saved pixel is opaque.
TEST(TreegenRender, DefaultFramingShowsTheWholeTree) {
    // Beside the other tests' folder, which they empty while this one may run.
    const fs::path dir = fs::path(RENDER_DIR).parent_path() / "render-framing";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (int species = 0; species < 7; ++species) {
        for (int seed = 0; seed < 3; ++seed) {
            const fs::path file = dir / ("tree" + std::to_string(species) + "_" + std::to_string(seed) + ".png");
            const ProcessResult run = treegen("render --species " + std::to_string(species) + " --seed " +
                                              std::to_string(seed) + " --no-ground --size 200x150 -o '" +
                                              file.string() + "'");
            ASSERT_EQ(run.status, 0) << run.out;
            const TreeExtent e = treeExtent(file);
            const std::string which = "species " + std::to_string(species) + ", seed " + std::to_string(seed);
            ASSERT_EQ(e.width, 200) << which;
            EXPECT_EQ(e.onBorder, 0) << which << ": the tree touches the edge";
            EXPECT_TRUE(e.opaque) << which;
            // Framed, not lost in the distance: the tree spans most of the
            // picture's height or width.
            EXPECT_TRUE(e.bottom - e.top > 150 * 6 / 10 || e.right - e.left > 200 * 6 / 10)
                << which << ": spans " << e.left << ".." << e.right << " x " << e.top << ".." << e.bottom;
        }
    }
    // A distance given on the command line still wins: close up, the tree is cut.
    const fs::path close = dir / "close.png";
    ASSERT_EQ(treegen("render --species 1 --no-ground --distance 6 --size 200x150 -o '" + close.string() + "'").status, 0);
    EXPECT_GT(treeExtent(close).onBorder, 0);
}

TEST(TreegenRender, EverySpeciesShowsATreeAgainstTheSky) {
    // A folder of its own: the render tests run side by side, each clearing
    // only what it writes.
    const fs::path dir = fs::path(RENDER_DIR) / "every-species";
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (int species = 0; species < 7; ++species) {
        const fs::path file = dir / ("tree" + std::to_string(species) + ".png");
        const ProcessResult run = treegen("render --species " + std::to_string(species) +
                                          " --seed 0 --no-ground --size 320x240 -o '" + file.string() + "'");
        ASSERT_EQ(run.status, 0) << run.out;
        int width = 0, height = 0;
        const double share = treeShare(file, width, height);
        EXPECT_EQ(width, 320);
        EXPECT_EQ(height, 240);
        EXPECT_GT(share, 0.002) << "species " << species << ": the tree should stand out";
        EXPECT_LT(share, 0.8) << "species " << species << ": the sky should be there too";
    }
}

TEST(TreegenRender, CameraOptionsMoveTheViewAndBadOptionsLeaveNoFile) {
    const fs::path dir = fs::path(RENDER_DIR) / "options";
    fs::remove_all(dir);
    fs::create_directories(dir);
    int w = 0, h = 0;
    ASSERT_EQ(treegen("render --species 1 --size 160x120 -o '" + (dir / "near.png").string() + "' --distance 15").status, 0);
    ASSERT_EQ(treegen("render --species 1 --size 160x120 -o '" + (dir / "far.png").string() + "' --distance 80").status, 0);
    EXPECT_GT(treeShare(dir / "near.png", w, h), treeShare(dir / "far.png", w, h)) << "closer looks bigger";

    ProcessResult run = treegen("render --species 1 -o '" + (dir / "tree.jpg").string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("expected .png"), std::string::npos) << run.out;
    run = treegen("render --species 1 --size 12x9000 -o '" + (dir / "tree.png").string() + "'");
    EXPECT_EQ(run.status, 2);
    run = treegen("render --species 1 -o '" + (dir / "missing" / "tree.png").string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("tree.png"), std::string::npos) << run.out;
    run = treegen("render --species 1 --elevation 95 -o '" + (dir / "tree.png").string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_FALSE(fs::exists(dir / "tree.png"));
    EXPECT_FALSE(fs::exists(dir / "tree.jpg"));

    // Seed -1 is reported as the seed the clock gave, not as -1.
    run = treegen("render --species 0 --size 32x32 --seed -1 -o '" + (dir / "clock.png").string() + "'");
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find(", seed "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("seed -1"), std::string::npos) << run.out;
}

TEST(TreegenRender, ASpeciesFileOrOverridesReplaceThePresetTree) {
    const fs::path dir = fs::path(RENDER_DIR) / "species";
    fs::remove_all(dir);
    fs::create_directories(dir);
    // A fixed camera and no ground: only the tree differs from the sky.
    const std::string common = " --seed 0 --size 320x240 --no-ground --distance 30 -o '";
    ASSERT_EQ(treegen("render --species 1" + common + (dir / "preset.png").string() + "'").status, 0);
    // The same values through --set take the other road and draw the same picture.
    ProcessResult run = treegen("render --species 1 --set leaves=25" + common + (dir / "same.png").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    // A species file without leaves shows much less tree.
    const fs::path file = dir / "bare.json";
    std::FILE* f = std::fopen(file.string().c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("{\"base\": \"Quaking Aspen\", \"leaves\": 0}\n", f);
    std::fclose(f);
    run = treegen("render --species-file '" + file.string() + "'" + common + (dir / "bare.png").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;

    int w = 0, h = 0;
    const double preset = treeShare(dir / "preset.png", w, h);
    EXPECT_EQ(treeShare(dir / "same.png", w, h), preset);
    const double bare = treeShare(dir / "bare.png", w, h);
    EXPECT_GT(bare, 0.0);
    EXPECT_LT(bare, preset / 2) << "without leaves only the bark should show";
}

// The ground fills the bottom of the default picture (grass: green above
// blue); --no-ground leaves the sky there (blue strongest).
TEST(TreegenRender, GroundUnlessNoGround) {
    const fs::path dir = fs::path(RENDER_DIR).parent_path() / "render-ground";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const auto bottomCorner = [](const fs::path& file) {
        int width = 0, height = 0, channels = 0;
        unsigned char* pixels = stbi_load(file.string().c_str(), &width, &height, &channels, 3);
        std::vector<int> rgb;
        if (pixels) {
            const unsigned char* p = pixels + (size_t(height - 3) * width + 3) * 3;
            rgb = {p[0], p[1], p[2]};
            stbi_image_free(pixels);
        }
        return rgb;
    };
    ASSERT_EQ(treegen("render --species 2 --size 160x120 -o '" + (dir / "ground.png").string() + "'").status, 0);
    ASSERT_EQ(treegen("render --species 2 --size 160x120 --no-ground -o '" + (dir / "sky.png").string() + "'").status, 0);
    const std::vector<int> ground = bottomCorner(dir / "ground.png");
    const std::vector<int> sky = bottomCorner(dir / "sky.png");
    ASSERT_EQ(ground.size(), 3u);
    ASSERT_EQ(sky.size(), 3u);
    EXPECT_GT(ground[1], ground[2] + 10) << "grass";
    EXPECT_GT(sky[2], sky[1]) << "sky";
    EXPECT_EQ(treegen("render --species 2 --fsaa 3 -o '" + (dir / "bad.png").string() + "'").status, 2);
    EXPECT_FALSE(fs::exists(dir / "bad.png"));
}
