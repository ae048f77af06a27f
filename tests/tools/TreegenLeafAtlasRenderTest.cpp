// treegen render with a named leaf atlas: the leaves show the named picture.
#include "TreegenRun.h"

#include <filesystem>        // Required for: std::filesystem
#include <fstream>           // Required for: std::ofstream
#include <stb_image.h>       // Required for: stbi_load, stbi_image_free
#include <stb_image_write.h> // Required for: stbi_write_png
#include <vector>            // Required for: std::vector

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct PixelCounts {
    long red = 0;      // clearly red pixels: red above 150, green and blue below 90
    long differ = -1;  // pixels that differ from another picture
};

// Counts the red pixels of `file` and those that differ from `other`.
PixelCounts countPixels(const fs::path& file, const fs::path& other) {
    PixelCounts counts;
    int w = 0, h = 0, c = 0, w2 = 0, h2 = 0;
    unsigned char* a = stbi_load(file.string().c_str(), &w, &h, &c, 3);
    unsigned char* b = stbi_load(other.string().c_str(), &w2, &h2, &c, 3);
    if (a && b && w == w2 && h == h2) {
        counts.differ = 0;
        for (size_t i = 0; i < size_t(w) * h * 3; i += 3) {
            counts.red += a[i] > 150 && a[i + 1] < 90 && a[i + 2] < 90;
            counts.differ += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
        }
    }
    stbi_image_free(a);
    stbi_image_free(b);
    return counts;
}

} // namespace

// The same tree with another atlas: the picture changes, and a user's plain
// red atlas turns the leaves red, which neither the sky nor the preset shows.
TEST(TreegenLeafAtlasRender, TheNamedAtlasShowsOnTheLeaves) {
    const fs::path dir = fs::path(RENDER_DIR) / "leaf-atlas";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string common = " --seed 0 --size 320x240 --no-ground --distance 30 -o '";
    ASSERT_EQ(treegen("render --species 1" + common + (dir / "preset.png").string() + "'").status, 0);
    ProcessResult run = treegen("render --species-file '" + std::string(SPECIES_DIR) + "/round-leaf-aspen.json'" +
                                common + (dir / "round.png").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;

    std::vector<unsigned char> red(64 * 64 * 4, 0);
    for (size_t i = 0; i < red.size(); i += 4) red[i] = 230, red[i + 1] = 20, red[i + 2] = 20, red[i + 3] = 255;
    ASSERT_TRUE(stbi_write_png((dir / "red.png").string().c_str(), 64, 64, 4, red.data(), 64 * 4));
    run = treegen("render --species 1 --leaf-texture '" + (dir / "red.png").string() + "'" + common +
                  (dir / "red-leaves.png").string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;

    const PixelCounts round = countPixels(dir / "round.png", dir / "preset.png");
    EXPECT_GT(round.differ, 500) << "the round-leaf atlas did not change the picture";
    const PixelCounts preset = countPixels(dir / "preset.png", dir / "preset.png");
    EXPECT_EQ(preset.red, 0);
    const PixelCounts redLeaves = countPixels(dir / "red-leaves.png", dir / "preset.png");
    EXPECT_GT(redLeaves.red, 500) << "the leaves do not show the user's red atlas";

    // A texture that is not there stops the render before it starts; no picture.
    run = treegen("render --species 1 --leaf-texture '" + (dir / "none.png").string() + "'" + common +
                  (dir / "none-out.png").string() + "'");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.out.find("--leaf-texture: leaf texture"), std::string::npos) << run.out;
    EXPECT_FALSE(fs::exists(dir / "none-out.png"));
}
