#include "TreeRender.h"

#include "GroundAndShadow.h"
#include "TreeDemoState.h"
#include "TreeFraming.h"
#include "core/Exception.h"          // Required for: Velk::Exception
#include "core/ResourceManager.h"    // Required for: Velk::ResourceManager
#include "material/TextureManager.h" // Required for: Velk::TextureManager
#include "render/Root.h"             // Required for: Velk::Root
#include "render/Viewport.h"         // Required for: Velk::Viewport
#include "scene/Camera.h"            // Required for: Velk::Camera
#include "scene/SceneManager.h"      // Required for: Velk::SceneManager

#include <chrono>     // Required for: std::chrono::steady_clock
#include <filesystem> // Required for: std::filesystem
#include <stdexcept>  // Required for: std::runtime_error
#include <system_error> // Required for: std::error_code

namespace fs = std::filesystem;

double renderTree(uint32_t species, int32_t seed, const std::string& path, const RenderView& view,
                  const std::string& mediaDir) {
    const auto start = std::chrono::steady_clock::now();
    // The image goes to a temporary name beside the target and is renamed
    // when complete, so a failed render leaves nothing behind.
    const fs::path target(path);
    const fs::path partial = target.parent_path() / ("." + target.filename().string() + ".part.png");
    const fs::path work = fs::temp_directory_path();

    Velk::AutomationOptions options;
    options.offscreen = true;
    options.width = view.width;
    options.height = view.height;
    if (view.fsaa >= 0) options.fsaa = view.fsaa;
    Velk::Root::setAutomationOptions(options);
    try {
        Velk::Root root((work / "treegen-plugins.cfg").string(), (work / "treegen-velk.cfg").string(),
                        (work / "treegen-render.log").string());
        Velk::ResourceManager::addCommonArchiveEx(mediaDir, "FileSystem");
        root.showConfigDialog();
        Velk::RenderWindow* window = root.initialise(true, "treegen render");
        Velk::SceneManager* scene = root.getSceneManager(Velk::ST_GENERIC);
        Velk::Camera* camera = scene->createCamera("PlayerCam");
        camera->setNearClipDistance(5);
        Velk::Viewport* viewport = window->addViewport(camera, 0, 0, 0, 1, 1);
        viewport->setBackgroundColour(Velk::ColourValue(0, 0, 0, 1));
        camera->setAspectRatio(float(viewport->getActualWidth()) / float(viewport->getActualHeight()));
        Velk::TextureManager::getSingleton().setDefaultNumMipmaps(5);

        TreeDemoState state;
        state.cameraAzimuth = view.azimuth;
        state.cameraElevation = view.elevation;
        state.cameraDistance = view.distance;
        buildTreeScene(*scene, *camera, state, species, seed);
        showGroundAndShadow(*scene, view.ground);
        if (view.distance <= 0.0f) {
            const TreeFraming framing = frameTree(treeBounds(*state.tree), camera->getFOVy(), camera->getAspectRatio(),
                                                  view.azimuth, view.elevation, camera->getNearClipDistance());
            state.cameraDistance = framing.distance;
            placeOrbitCamera(*camera, state, framing.lookAtHeight);
        }

        root.renderOneFrame();
        window->writeContentsToFile(partial.string());
        state.tree.reset();
    } catch (const Velk::Exception& e) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw std::runtime_error("cannot render " + path + ": " + e.getFullDescription());
    }
    std::error_code error;
    fs::rename(partial, target, error);
    if (error) {
        fs::remove(partial, error);
        throw std::runtime_error("cannot write " + path + ": " + error.message());
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
