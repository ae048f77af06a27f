// Runs under a virtual X server (the test registration starts one): the
// windowed path for real, from the settings dialog to screenshots.
#include "EngineFixture.h"
#include "ImageFile.h"
#include "render/GLObjectCount.h"
#include "render/RenderSystem.h"
#include "render/Viewport.h"
#include "scene/Camera.h"
#include "scene/SceneManager.h"

#include <SDL2/SDL.h> // Required for: SDL_PushEvent, SDL_SetWindowSize

#include <functional> // Required for: std::function

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
// Runs `action` on the given frame with the window's SDL handle; never stops the loop itself.
class OnFrame : public FrameListener {
public:
    OnFrame(int frame, std::function<void(SDL_Window*)> action) : frame_(frame), action_(std::move(action)) {}
    bool frameStarted(const FrameEvent&) override {
        if (++frames == frame_) action_(SDL_GL_GetCurrentWindow());
        return true;
    }
    int frames = 0;

private:
    int frame_;
    std::function<void(SDL_Window*)> action_;
};
} // namespace

class Windowed : public EngineFixture {
protected:
    void closeOnFrameThree(bool quitEvent);
};

// The close button (a window event) or the desktop's quit, pushed on frame 3,
// ends the loop even when no listener looks at the window: frame 3 is the last.
// One engine per process: SDL's video does not always open a second time.
void Windowed::closeOnFrameThree(bool quitEvent) {
    AutomationOptions options;
    options.frameLimit = 50;
    options.width = 160;
    options.height = 120;
    Root& engine = startEngine(options);
    ASSERT_TRUE(engine.isDisplayAvailable()) << "the virtual display did not start";
    engine.initialise(true, "Close Test");
    OnFrame closer(3, [quitEvent](SDL_Window* window) {
        SDL_Event event{};
        if (quitEvent) {
            event.type = SDL_QUIT;
        } else {
            event.type = SDL_WINDOWEVENT;
            event.window.event = SDL_WINDOWEVENT_CLOSE;
            event.window.windowID = SDL_GetWindowID(window);
        }
        SDL_PushEvent(&event);
    });
    engine.addFrameListener(&closer);
    engine.startRendering();
    EXPECT_EQ(closer.frames, 3) << (quitEvent ? "SDL_QUIT" : "SDL_WINDOWEVENT_CLOSE");
    root.reset();
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("Render window closed"), std::string::npos);
}

TEST_F(Windowed, ClosingTheWindowEndsTheLoop) { closeOnFrameThree(false); }

TEST_F(Windowed, TheDesktopsQuitEndsTheLoop) { closeOnFrameThree(true); }

// After a resize the camera takes the viewport's new shape; the picture is not stretched.
TEST_F(Windowed, CameraAspectRatioFollowsAResizedWindow) {
    AutomationOptions options;
    options.frameLimit = 200;
    options.width = 160;
    options.height = 120;
    Root& engine = startEngine(options);
    ASSERT_TRUE(engine.isDisplayAvailable()) << "the virtual display did not start";
    RenderWindow* window = engine.initialise(true, "Resize Test");
    Camera* camera = engine.getSceneManager()->createCamera("ResizeCam");
    Viewport* viewport = window->addViewport(camera);
    camera->setAspectRatio(static_cast<float>(viewport->getActualWidth()) /
                           static_cast<float>(viewport->getActualHeight()));
    EXPECT_FLOAT_EQ(camera->getAspectRatio(), 160.0f / 120.0f);
    OnFrame resizer(2, [](SDL_Window* sdlWindow) { SDL_SetWindowSize(sdlWindow, 300, 100); });
    // The X server answers the resize when it will: the loop runs until the
    // new size has been drawn once (or the frame limit says it never came).
    class UntilDrawnAt : public FrameListener {
    public:
        explicit UntilDrawnAt(RenderWindow* window) : window_(window) {}
        bool frameStarted(const FrameEvent&) override { return !(resizedFrames > 1); }
        bool frameEnded(const FrameEvent&) override {
            if (window_->getWidth() == 300 && window_->getHeight() == 100) ++resizedFrames;
            return true;
        }
        int resizedFrames = 0;

    private:
        RenderWindow* window_;
    } until(window);
    engine.addFrameListener(&resizer);
    engine.addFrameListener(&until);
    engine.startRendering();
    ASSERT_GT(until.resizedFrames, 0) << "the window was never resized";
    EXPECT_EQ(viewport->getActualWidth(), 300);
    EXPECT_FLOAT_EQ(camera->getAspectRatio(), 3.0f);
}

// Nobody is at the keyboard of a scripted dialog: when its keys run out it
// is cancelled, in a real window as offscreen, instead of waiting for ever.
TEST_F(Windowed, ScriptedDialogWhoseKeysRunOutIsCancelled) {
    AutomationOptions options;
    options.dialogKeys = std::vector<KeyCode>{KC_DOWN};
    Root& engine = startEngine(options);
    ASSERT_TRUE(engine.isDisplayAvailable()) << "the virtual display did not start";
    EXPECT_FALSE(engine.showConfigDialog());
    root.reset();
    const std::string log = TempFolder::read(folder.path("Velk.log"));
    EXPECT_NE(log.find("'Velk Settings' (520 x 420, windowed)"), std::string::npos) << log;
    EXPECT_NE(log.find("Settings dialog: scripted keys ran out"), std::string::npos) << log;
}

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
    EXPECT_NE(TempFolder::read(folder.path("Velk.log")).find("'Velk Settings' (520 x 420, windowed)"),
              std::string::npos);
}
