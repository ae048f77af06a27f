#include "TreeRender.h"

#include "DemoView.h"
#include "TreeDemoState.h"
#include "TreeTooLarge.h"
#include "core/Exception.h"          // Required for: Velk::Exception
#include "core/ResourceManager.h"    // Required for: Velk::ResourceManager
#include "material/TextureManager.h" // Required for: Velk::TextureManager
#include "render/Root.h"             // Required for: Velk::Root
#include "scene/SceneManager.h"      // Required for: Velk::SceneManager

#include <chrono>     // Required for: std::chrono::steady_clock
#include <filesystem> // Required for: std::filesystem
#include <stdexcept>  // Required for: std::runtime_error
#include <system_error> // Required for: std::error_code

namespace fs = std::filesystem;

double renderTree(uint32_t species, int32_t seed, const std::string& path, const RenderView& view,
                  const std::string& mediaDir, const TreeParameters* params, uint64_t maxVertices) {
    const auto start = std::chrono::steady_clock::now();
    if (params) {
        // Only the structure pass: a tree too large is refused before any drawing starts.
        const Tree sized(*params, seed, std::pmr::new_delete_resource(), maxVertices);
        requireWithinBudget(sized);
    }
    // The image goes to a temporary name beside the target and is renamed
    // when complete, so a failed render leaves nothing behind.
    const fs::path target(path);
    const fs::path partial = target.parent_path() / ("." + target.filename().string() + ".part.png");
    const fs::path work = fs::temp_directory_path();

    Velk::AutomationOptions options;
    options.offscreen = true;
    options.width = view.width;
    options.height = view.height;
    Velk::Root::setAutomationOptions(options);
    try {
        Velk::Root root((work / "treegen-plugins.cfg").string(), (work / "treegen-velk.cfg").string(),
                        (work / "treegen-render.log").string());
        Velk::ResourceManager::addCommonArchiveEx(mediaDir, "FileSystem");
        root.showConfigDialog();
        Velk::RenderWindow* window = root.initialise(true, "treegen render");
        Velk::SceneManager* scene = root.getSceneManager(Velk::ST_GENERIC);
        // The application's camera and viewport, so that both pictures agree.
        Velk::Camera* camera = createPlayerCamera(*scene);
        createWindowViewport(*window, *camera);
        Velk::TextureManager::getSingleton().setDefaultNumMipmaps(5);

        TreeDemoState state;
        state.cameraAzimuth = view.azimuth;
        state.cameraElevation = view.elevation;
        state.cameraDistance = view.distance;
        TreeParameters preset(2);
        preset.loadPreset(species);
        buildTreeScene(*scene, *camera, state, params ? *params : preset, seed);

        root.renderOneFrame();
        window->writeContentsToFile(partial.string());
        state.treeScene.reset();
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
