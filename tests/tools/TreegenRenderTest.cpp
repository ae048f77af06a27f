// treegen render, run as a user runs it: every species gives a picture in
// which the tree stands out from the sky.
#include "ProcessRun.h"

#include <cstdlib>     // Required for: std::abs
#include <filesystem>  // Required for: std::filesystem
#include <stb_image.h> // Required for: stbi_load, stbi_image_free

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

ProcessResult treegen(const std::string& args) { return runCommand(std::string(TREEGEN_PATH) + " " + args); }

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

} // namespace

TEST(TreegenRender, EverySpeciesShowsATreeAgainstTheSky) {
    const fs::path dir = fs::path(RENDER_DIR);
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (int species = 0; species < 7; ++species) {
        const fs::path file = dir / ("tree" + std::to_string(species) + ".png");
        const ProcessResult run = treegen("render --species " + std::to_string(species) +
                                          " --seed 0 --size 320x240 -o '" + file.string() + "'");
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
