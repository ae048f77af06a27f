// Runs under a virtual X server (the test registration starts one): the
// windowed path for real, from the settings dialog to screenshots.
#include "EngineFixture.h"
#include "ImageFile.h"
#include "render/GLObjectCount.h"
#include "render/RenderSystem.h"

using namespace Velk;

namespace {
// Counts frames and checks the window is open on each.
class OpenWindowCounter : public FrameListener {
public:
    explicit OpenWindowCounter(RenderWindow* window) : window_(window) {}
    bool frameStarted(const FrameEvent&) override {
        ++frames;
        if (window_->isClosed()) closedSeen = true;
        return true;
    }
    int frames = 0;
    bool closedSeen = false;

private:
    RenderWindow* window_;
};
} // namespace

using Windowed = EngineFixture;

TEST_F(Windowed, WindowOpensRunsFramesAndWritesAScreenshot) {
    AutomationOptions options;
    options.frameLimit = 5;
    options.width = 160;
    options.height = 120;
    options.screenshots[5] = folder.path("window.png");
    Root& engine = startEngine(options);
    ASSERT_TRUE(engine.isDisplayAvailable()) << "the virtual display did not start";
    RenderWindow* window = engine.initialise(true, "Windowed Test");
    EXPECT_FALSE(window->isOffscreen());
    window->setClearColour(ColourValue(0.2f, 0.4f, 0.6f, 1.0f));
    OpenWindowCounter counter(window);
    engine.addFrameListener(&counter);
    engine.startRendering();
    EXPECT_EQ(counter.frames, 5);
    EXPECT_FALSE(counter.closedSeen);

    const ImageFile image = ImageFile::load(folder.path("window.png"));
    ASSERT_EQ(image.width, static_cast<int>(window->getWidth()));
    ASSERT_EQ(image.height, static_cast<int>(window->getHeight()));
    EXPECT_EQ(image.pixel(image.width / 2, image.height / 2), (std::vector<unsigned char>{51, 102, 153, 255}));
    EXPECT_EQ(image.pixel(0, 0), (std::vector<unsigned char>{51, 102, 153, 255}));
    root.reset();
    EXPECT_EQ(getLiveGLObjectCount(), 0u);
    const std::string log = TempFolder::read(folder.path("Velk.log"));
    EXPECT_NE(log.find("Created render window 'Windowed Test' (160 x 120, windowed)"), std::string::npos) << log;
}

TEST_F(Windowed, SettingsDialogShowsInAWindow) {
    AutomationOptions options;
    options.dialogKeys = std::vector<KeyCode>{KC_DOWN, KC_RIGHT, KC_RETURN};
    options.dialogScreenshot = folder.path("dialog.png");
    Root& engine = startEngine(options);
    EXPECT_TRUE(engine.showConfigDialog());
    EXPECT_TRUE(engine.getRenderSystem()->isFullScreen());
    const ImageFile image = ImageFile::load(folder.path("dialog.png"));
    EXPECT_EQ(image.width, 520);
    EXPECT_EQ(image.pixel(4, 4), (std::vector<unsigned char>{56, 66, 82, 255}));
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("'Velk Settings' (520 x 380, windowed)"),
              std::string::npos);
}
