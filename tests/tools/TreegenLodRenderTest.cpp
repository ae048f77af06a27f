// Levels of detail seen where they are used: each reduced level, rendered at
// the nearest distance its screen-coverage hint lets it be drawn, covers
// about as many pixels as the full tree at that distance.
#include "TreegenRun.h"

#include <cstdlib>     // Required for: std::abs
#include <filesystem>  // Required for: std::filesystem
#include <regex>       // Required for: std::regex
#include <string>      // Required for: std::string, std::stod
#include <vector>      // Required for: std::vector
#include <stb_image.h> // Required for: stbi_load, stbi_image_free

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Pixels of the tree in a picture without ground: the generated sky has blue
// strongest everywhere, bark and leaves have red or green above blue.
long coveredPixels(const fs::path& file) {
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(file.string().c_str(), &width, &height, &channels, 3);
    if (!pixels) return -1;
    long covered = 0;
    for (long i = 0; i < long(width) * height; ++i) {
        const unsigned char* p = pixels + 3 * i;
        covered += p[0] > p[2] + 8 || p[1] > p[2] + 8;
    }
    stbi_image_free(pixels);
    return covered;
}

// The screen-coverage hints export --lods reports, one per level.
std::vector<double> coverageHints(const std::string& report) {
    std::vector<double> hints;
    const std::regex hint("LOD[0-9]+ [0-9]+ triangles \\(from ([0-9.]+) of the view's height\\)");
    for (auto it = std::sregex_iterator(report.begin(), report.end(), hint); it != std::sregex_iterator(); ++it)
        hints.push_back(std::stod((*it)[1]));
    return hints;
}

} // namespace

TEST(TreegenLodRender, EachLevelCoversThePixelsOfTheFullTreeWhereItIsUsed) {
    const fs::path dir = fs::path(RENDER_DIR) / "lods";
    fs::remove_all(dir);
    fs::create_directories(dir);
    // Every species, the simple one too: its bare stems and coordinate-frame
    // arrows are thinner than a pixel here, so they are seen by their length.
    // Measured on 2026-12-07 (Mesa llvmpipe, 400 x 400): at most 7.4 % apart.
    for (int species = 0; species < 7; ++species) {
        SCOPED_TRACE("species " + std::to_string(species));
        const std::string tree = "--species " + std::to_string(species) + " --seed 0";
        const ProcessResult exported = treegen("export " + tree + " --lods 3 -o '" + (dir / "tree.glb").string() + "'");
        ASSERT_EQ(exported.status, 0) << exported.out;
        const std::vector<double> hints = coverageHints(exported.out);
        ASSERT_EQ(hints.size(), 4u) << exported.out;
        for (int level = 1; level <= 3; ++level) {
            // Level k is drawn while the tree is below the hint of level k-1:
            // its nearest use is at that hint.
            const std::string view = " --size 400x400 --no-ground --fsaa 0 --screen-coverage " +
                                     std::to_string(hints[size_t(level - 1)]);
            const fs::path full = dir / ("full" + std::to_string(species) + "_" + std::to_string(level) + ".png");
            const fs::path reduced = dir / ("lod" + std::to_string(species) + "_" + std::to_string(level) + ".png");
            ASSERT_EQ(treegen("render " + tree + view + " -o '" + full.string() + "'").status, 0);
            const ProcessResult run =
                treegen("render " + tree + view + " --lod " + std::to_string(level) + " -o '" + reduced.string() + "'");
            ASSERT_EQ(run.status, 0) << run.out;
            const long fullPixels = coveredPixels(full), reducedPixels = coveredPixels(reduced);
            ASSERT_GT(fullPixels, 100) << "the tree is in the picture";
            const double difference = double(std::abs(reducedPixels - fullPixels)) / double(fullPixels);
            EXPECT_LT(difference, 0.10) << "level " << level << ": " << reducedPixels << " pixels against "
                                        << fullPixels << " of the full tree";
        }
    }
}

// render shows the same reductions as export: a level, or the tree within a
// budget; what cannot be shown is refused and no picture is written.
TEST(TreegenLodRender, RenderShowsALevelOrTheTreeWithinABudget) {
    const fs::path dir = fs::path(RENDER_DIR) / "lods-render";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string view = " --species 3 --seed 0 --size 160x160 --no-ground --fsaa 0 -o '";
    const fs::path fitted = dir / "fitted.png", full = dir / "full.png";
    ASSERT_EQ(treegen("render" + view + full.string() + "'").status, 0);
    const ProcessResult run = treegen("render --max-triangles 20000" + view + fitted.string() + "'");
    ASSERT_EQ(run.status, 0) << run.out;
    // Framed alike, the willow within 20000 triangles covers about what the full one covers.
    const long fullPixels = coveredPixels(full), fittedPixels = coveredPixels(fitted);
    ASSERT_GT(fullPixels, 100);
    EXPECT_LT(double(std::abs(fittedPixels - fullPixels)) / double(fullPixels), 0.15)
        << fittedPixels << " against " << fullPixels;

    for (const char* bad : {"--max-triangles 10", "--lod 7", "--lod 1 --max-triangles 20000"}) {
        const fs::path none = dir / "none.png";
        const ProcessResult refused = treegen(std::string("render ") + bad + view + none.string() + "'");
        EXPECT_EQ(refused.status, 2) << bad << ": " << refused.out;
        EXPECT_FALSE(fs::exists(none)) << bad;
    }
    const ProcessResult tiny = treegen("render --max-triangles 10" + view + (dir / "none.png").string() + "'");
    EXPECT_NE(tiny.out.find("the smallest it reduces to has"), std::string::npos) << tiny.out;
}
