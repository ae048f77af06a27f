#include "EngineFixture.h"
#include "ImageFile.h"
#include "core/Exception.h"
#include "render/RenderSystem.h"

#include <cstdlib> // Required for: std::abs

using namespace Velk;

namespace {
// Stops after the first frame.
class OneFrame : public FrameListener {
public:
    bool frameEnded(const FrameEvent&) override { return false; }
};

// Every pixel has exactly this colour.
void expectEveryPixel(const std::vector<unsigned char>& rgba, std::vector<unsigned char> colour) {
    ASSERT_FALSE(rgba.empty());
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4)
        if (!std::equal(colour.begin(), colour.end(), rgba.begin() + static_cast<std::ptrdiff_t>(i))) ++wrong;
    EXPECT_EQ(wrong, 0u) << "of " << rgba.size() / 4 << " pixels";
}
} // namespace

using Screenshot = EngineFixture;

// 0.2, 0.4, 0.6 are 51, 102, 153 in eight bits.
TEST_F(Screenshot, ClearedWindowHasThatColourInEveryPixel) {
    Root& engine = startEngine(offscreenOptions());
    RenderWindow* window = engine.initialise(true);
    window->setClearColour(ColourValue(0.2f, 0.4f, 0.6f, 1.0f));
    OneFrame once;
    engine.addFrameListener(&once);
    engine.startRendering();
    expectEveryPixel(window->readContents(), {51, 102, 153, 255});

    window->writeContentsToFile(folder.path("shot.png"));
    const ImageFile image = ImageFile::load(folder.path("shot.png"));
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 48);
    expectEveryPixel(image.rgba, {51, 102, 153, 255});
}

TEST_F(Screenshot, JpegByExtension) {
    Root& engine = startEngine(offscreenOptions());
    RenderWindow* window = engine.initialise(true);
    window->setClearColour(ColourValue(1.0f, 0.0f, 0.0f, 1.0f));
    engine.renderOneFrame();
    window->writeContentsToFile(folder.path("shot.jpg"));
    const std::string bytes = TempFolder::read(folder.path("shot.jpg"));
    ASSERT_GE(bytes.size(), 3u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8) << "JPEG start-of-image marker";
    const ImageFile image = ImageFile::load(folder.path("shot.jpg"));
    ASSERT_EQ(image.width, 64);
    const auto centre = image.pixel(32, 24);
    EXPECT_GT(centre[0], 240);
    EXPECT_LT(centre[1], 16);
}

TEST_F(Screenshot, UnknownExtensionIsAnEngineError) {
    Root& engine = startEngine(offscreenOptions());
    RenderWindow* window = engine.initialise(true);
    engine.renderOneFrame();
    try {
        window->writeContentsToFile(folder.path("shot.bmp"));
        FAIL() << "no exception";
    } catch (const Exception& error) {
        EXPECT_EQ(error.getNumber(), Exception::ERR_INVALIDPARAMS);
        EXPECT_NE(error.getDescription().find(".bmp"), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.path("shot.bmp")));
}

TEST_F(Screenshot, UnwritableFileIsAnEngineError) {
    Root& engine = startEngine(offscreenOptions());
    RenderWindow* window = engine.initialise(true);
    engine.renderOneFrame();
    EXPECT_THROW(window->writeContentsToFile(folder.path("no/such/folder/shot.png")), Exception);
}

TEST_F(Screenshot, TakenAtTheFramesTheCommandLineNames) {
    AutomationOptions options = offscreenOptions();
    options.frameLimit = 4;
    options.screenshots[2] = folder.path("frame2.png");
    options.screenshots[4] = folder.path("frame4.png");
    Root& engine = startEngine(options);
    RenderWindow* window = engine.initialise(true);
    window->setClearColour(ColourValue(0.0f, 1.0f, 0.0f, 1.0f));
    engine.startRendering();
    EXPECT_FALSE(std::filesystem::exists(folder.path("frame1.png")));
    const ImageFile image = ImageFile::load(folder.path("frame2.png"));
    expectEveryPixel(image.rgba, {0, 255, 0, 255});
    EXPECT_TRUE(std::filesystem::exists(folder.path("frame4.png")));
}

TEST_F(Screenshot, AntiAliasedWindowResolvesBeforeReading) {
    folder.write("velk.cfg", "Anti-aliasing=4x\n");
    Root& engine = startEngine(offscreenOptions());
    EXPECT_EQ(engine.getRenderSystem()->getAntiAliasingSamples(), 4);
    RenderWindow* window = engine.initialise(true);
    window->setClearColour(ColourValue(0.2f, 0.4f, 0.6f, 1.0f));
    engine.renderOneFrame();
    expectEveryPixel(window->readContents(), {51, 102, 153, 255});
}
