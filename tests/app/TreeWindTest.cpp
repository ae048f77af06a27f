// The wind in the tree demonstration, end to end: V lets it blow and stills
// it again, the settings choose its strength, a regrowth keeps it, and
// still air draws exactly the pictures the program drew before it had wind.
#include "DemoRun.h"
#include "ImageFile.h"

#include <fstream> // Required for: std::ofstream

#include <gtest/gtest.h>

namespace {

DemoRun tree(const std::string& name, unsigned frames, const std::string& keys = "",
             const std::string& extra = "", const std::string& settings = "") {
    return runDemo(TREEDEMO_PATH, name, frames, keys, extra, [&settings](const std::string& folder) {
        if (!settings.empty()) std::ofstream(folder + "/velk.cfg") << settings;
    });
}

// Vertex buffers of the tree's mesh: 3 when it carries sway data.
std::size_t meshBuffers(const DemoRun& run) {
    return run.state["treeDemo"]["tree"]["mesh"]["vertexBufferBytes"].size();
}

// Pixels that differ between two pictures of the same size.
int changedPixels(const ImageFile& a, const ImageFile& b) {
    int count = 0;
    for (std::size_t i = 0; i + 3 < a.rgba.size() && i + 3 < b.rgba.size(); i += 4)
        if (a.rgba[i] != b.rgba[i] || a.rgba[i + 1] != b.rgba[i + 1] || a.rgba[i + 2] != b.rgba[i + 2]) ++count;
    return count;
}

} // namespace

TEST(TreeDemoWind, VTogglesTheWindTheSettingsChooseItsStrengthAndRegrowthKeepsIt) {
    DemoRun run = tree("wind-start", 3);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_FALSE(run.state["treeDemo"]["wind"].get<bool>()) << "the program starts in still air";
    EXPECT_FLOAT_EQ(run.state["treeDemo"]["windStrength"].get<float>(), 0.6f) << "Medium by default";
    EXPECT_EQ(run.state["renderSystem"]["settings"]["Wind Strength"], "Medium");
    EXPECT_EQ(meshBuffers(run), 2u) << "no sway data until the wind blows";

    run = tree("wind-on", 4, "2 V");
    EXPECT_TRUE(run.state["treeDemo"]["wind"].get<bool>());
    EXPECT_EQ(meshBuffers(run), 3u);

    run = tree("wind-off-again", 22, "2 V\n20 V");
    EXPECT_FALSE(run.state["treeDemo"]["wind"].get<bool>());
    run = tree("wind-held", 8, "2-8 V");
    EXPECT_TRUE(run.state["treeDemo"]["wind"].get<bool>()) << "held V acts once within 0.2 s";

    run = tree("wind-regrow", 18, "2 V\n15 1"); // after V's 0.2 s
    EXPECT_EQ(run.state["treeDemo"]["treesShown"], 2);
    EXPECT_TRUE(run.state["treeDemo"]["wind"].get<bool>());
    EXPECT_EQ(meshBuffers(run), 3u) << "the new tree sways too";

    run = tree("wind-strong", 3, "", "", "Wind Strength=Strong\n");
    EXPECT_FLOAT_EQ(run.state["treeDemo"]["windStrength"].get<float>(), 1.0f);
    run = tree("wind-setting-off", 3, "", "", "Wind Strength=Off\n");
    EXPECT_FLOAT_EQ(run.state["treeDemo"]["windStrength"].get<float>(), 0.0f);
    EXPECT_EQ(run.state["renderSystem"]["settings"]["Wind Strength"], "Off");
}

// Frames 20 and 30 (0.2 s apart) of runs that differ only in the wind.
TEST(TreeDemoWind, StillAirDrawsAsBeforeAndTheWindMovesTheTree) {
    const std::string shots = "--screenshot 20:a.png --screenshot 30:b.png";
    const DemoRun plain = tree("wind-plain", 30, "", shots);
    ASSERT_EQ(plain.status, 0) << plain.output;
    const ImageFile plainA = ImageFile::load(plain.folder + "/a.png");
    const ImageFile plainB = ImageFile::load(plain.folder + "/b.png");
    ASSERT_GT(plainA.width, 0);
    EXPECT_EQ(changedPixels(plainA, plainB), 0) << "without wind nothing moves";

    const DemoRun windy = tree("wind-blowing", 30, "2 V", shots);
    const ImageFile windyA = ImageFile::load(windy.folder + "/a.png");
    const ImageFile windyB = ImageFile::load(windy.folder + "/b.png");
    EXPECT_GT(changedPixels(windyA, windyB), 500) << "the wind moves the tree between the frames";

    // The wind on and off again: the sway data stays, the pictures are the plain ones.
    const DemoRun calm = tree("wind-calm", 30, "2 V\n15 V", shots);
    EXPECT_FALSE(calm.state["treeDemo"]["wind"].get<bool>());
    EXPECT_EQ(changedPixels(ImageFile::load(calm.folder + "/a.png"), plainA), 0);
    EXPECT_EQ(changedPixels(ImageFile::load(calm.folder + "/b.png"), plainB), 0);

    // The wind on at strength Off: still, and the plain pictures too.
    const DemoRun off = tree("wind-strength-off", 30, "2 V", shots, "Wind Strength=Off\n");
    EXPECT_TRUE(off.state["treeDemo"]["wind"].get<bool>());
    EXPECT_EQ(changedPixels(ImageFile::load(off.folder + "/a.png"), plainA), 0);
    EXPECT_EQ(changedPixels(ImageFile::load(off.folder + "/b.png"), plainB), 0);
}
