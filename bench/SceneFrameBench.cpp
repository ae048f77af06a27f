// Frame times of the tree demonstration's scene drawn offscreen: the
// Quaking Aspen of seed 0 under the sky box at 1024 x 768, 300 frames. Runs
// a few variants of the scene to show where the time goes, then the cost of
// multisampling, the ground and the shadows, each on and off. Prints medians.
#include "TreeSceneSetup.h"

#include "core/ResourceManager.h"
#include "material/MaterialManager.h"
#include "render/RenderSystem.h"
#include "render/Root.h"
#include "render/Viewport.h"
#include "scene/Light.h"

#include <algorithm>  // Required for: std::sort, std::max
#include <chrono>     // Required for: std::chrono::steady_clock
#include <cstdio>     // Required for: std::printf
#include <filesystem> // Required for: std::filesystem::temp_directory_path
#include <string>     // Required for: std::string
#include <vector>     // Required for: std::vector

using namespace Velk;

namespace {
// Median and spread of `frames` frames, each one whole pass of the loop
// (the offscreen window finishes all GL work before the frame ends).
void measure(Root& root, const char* what, int frames) {
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(frames));
    root.renderOneFrame(); // warm-up: vertex arrays, texture state
    for (int i = 0; i < frames; ++i) {
        const auto start = std::chrono::steady_clock::now();
        root.renderOneFrame();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%-44s median %7.2f ms  (p10 %7.2f, p90 %7.2f) over %d frames, %u triangles\n", what,
                times[times.size() / 2], times[times.size() / 10], times[times.size() * 9 / 10], frames,
                root.getAutoCreatedWindow()->getTriangleCount());
}

// The demonstration's scene with `samples` per pixel, with or without the
// ground and the shadows; when `redrawShadows`, the light turns a little every
// frame so that the shadow map is drawn every frame (what a regrowth costs).
void measurePicture(int samples, bool ground, bool shadows, bool redrawShadows, int frames) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    AutomationOptions options;
    options.offscreen = true;
    options.width = 1024;
    options.height = 768;
    options.fsaa = samples;
    Root::setAutomationOptions(options);
    Root root((folder / "scene_bench_plugins.cfg").string(), (folder / "scene_bench_velk.cfg").string(),
              (folder / "scene_bench_Velk.log").string());
    ResourceManager::addCommonArchiveEx(MEDIA_DIR, "FileSystem");
    RenderWindow* window = root.initialise(true, "Scene frame bench");
    SceneManager* scene = root.getSceneManager(ST_GENERIC);
    Camera* camera = scene->createCamera("PlayerCam");
    Viewport* viewport = window->addViewport(camera);
    camera->setAspectRatio(static_cast<float>(viewport->getActualWidth()) /
                           static_cast<float>(viewport->getActualHeight()));
    TreeScene tree;
    tree.build(*scene, *camera);
    if (ground) scene->setGroundPlane(true, "Examples/GrassGround", 400.0f, 0.0f, 9.0f);
    scene->setShadowsEnabled(shadows);
    struct TurningLight : FrameListener {
        Light* light = nullptr;
        float turn = 0.0f;
        bool frameStarted(const FrameEvent&) override {
            turn += 0.001f;
            light->setDirection(Vector3(-0.5f, -0.5f, turn));
            return true;
        }
    } turning;
    turning.light = scene->getLight("MainLight");
    if (redrawShadows) root.addFrameListener(&turning);
    const std::string what = std::to_string(samples) + " samples, ground " + (ground ? "on " : "off") +
                             ", shadows " + (shadows ? (redrawShadows ? "redrawn" : "on") : "off");
    measure(root, what.c_str(), frames);
    root.removeFrameListener(&turning);
}
} // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::stoi(argv[1]) : 300;
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    AutomationOptions options;
    options.offscreen = true;
    options.width = 1024;
    options.height = 768;
    options.fsaa = 0;
    Root::setAutomationOptions(options);
    // The demonstration as it was drawn before multisampling, ground and shadows.
    {
        Root root((folder / "scene_bench_plugins.cfg").string(), (folder / "scene_bench_velk.cfg").string(),
                  (folder / "scene_bench_Velk.log").string());
        ResourceManager::addCommonArchiveEx(MEDIA_DIR, "FileSystem");
        RenderWindow* window = root.initialise(true, "Scene frame bench");
        SceneManager* scene = root.getSceneManager(ST_GENERIC);
        Camera* camera = scene->createCamera("PlayerCam");
        Viewport* viewport = window->addViewport(camera);
        camera->setAspectRatio(static_cast<float>(viewport->getActualWidth()) /
                               static_cast<float>(viewport->getActualHeight()));
        TreeScene tree;
        tree.build(*scene, *camera);
        std::printf("%s, %s\n", root.getRenderSystem()->getGLRenderer().c_str(),
                    root.getRenderSystem()->getGLVersion().c_str());

        measure(root, "tree and sky box (the demonstration)", frames);
        // The same geometry into a sixteenth of the pixels: what is left is
        // mostly vertex work and the frame's fixed costs.
        Viewport* small = window->addViewport(camera, 1, 0.0f, 0.0f, 0.25f, 0.25f);
        viewport->setCamera(nullptr);
        measure(root, "tree and sky box in 256 x 192 of the window", frames / 3);
        window->removeViewport(1);
        (void)small;
        viewport->setCamera(camera);
        tree.entity->setVisible(false);
        measure(root, "sky box alone", frames / 3);
        tree.entity->setVisible(true);
        scene->setSkyBox(false, "");
        measure(root, "tree alone (no sky box)", frames / 3);
        MaterialManager::getSingleton().getByName("LeafTextMat")->getTechnique(0)->getPass(0)->setSceneBlending(SBT_REPLACE);
        measure(root, "tree alone, leaves opaque (no blending)", frames / 3);
        tree.entity->getSubEntity(1)->setMaterialName("BarkTextMat");
        tree.entity->setVisible(false);
        measure(root, "empty scene (clear, present, read nothing)", frames / 3);
    }

    std::printf("\nThe picture's additions, one at a time (1024 x 768):\n");
    const int each = std::max(frames / 5, 10);
    for (const int samples : {0, 2, 4}) measurePicture(samples, false, false, false, each);
    measurePicture(0, true, false, false, each);
    measurePicture(0, false, true, false, each);
    measurePicture(0, true, true, false, each);
    measurePicture(0, true, true, true, each);
    for (const int samples : {2, 4}) measurePicture(samples, true, true, false, each);
    return 0;
}
