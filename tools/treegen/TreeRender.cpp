#include "TreeRender.h"

#include "DemoView.h"
#include "GroundAndShadow.h"
#include "TreeDemoState.h"
#include "TreeFraming.h"
#include "TreeTooLarge.h"
#include "core/Exception.h"          // Required for: Velk::Exception
#include "core/ResourceManager.h"    // Required for: Velk::ResourceManager
#include "math/Math.h"               // Required for: Velk::Math
#include "material/TextureManager.h" // Required for: Velk::TextureManager
#include "render/Root.h"             // Required for: Velk::Root
#include "scene/SceneManager.h"      // Required for: Velk::SceneManager

#include <cerrno>       // Required for: errno
#include <chrono>       // Required for: std::chrono::steady_clock
#include <cmath>        // Required for: std::tan
#include <cstring>      // Required for: std::strerror
#include <filesystem>   // Required for: std::filesystem
#include <stdexcept>    // Required for: std::runtime_error
#include <stdlib.h>     // Required for: mkdtemp
#include <system_error> // Required for: std::error_code

namespace fs = std::filesystem;

namespace {

// A folder of this run's own under $TMPDIR (or /tmp) for the engine's
// settings and log files, removed with everything in it when the run ends,
// also after an error. Nothing another user put in the shared temporary
// folder is read, and two renders never share a file.
class PrivateFolder {
public:
    PrivateFolder() {
        std::string pattern = (fs::temp_directory_path() / "treegen-render-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder in " + fs::temp_directory_path().string() +
                                     ": " + std::strerror(errno));
        path_ = pattern;
    }
    ~PrivateFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

} // namespace

double renderTree(uint32_t species, int32_t seed, const std::string& path, const RenderView& view,
                  const std::string& mediaDir, const TreeParameters* params, uint64_t maxVertices,
                  const std::string& leafTexture) {
    const auto start = std::chrono::steady_clock::now();
    if (params) {
        // Only the structure pass: a tree too large is refused before any drawing starts.
        const Tree sized(*params, seed, std::pmr::new_delete_resource(), maxVertices);
        requireWithinBudget(sized);
    }
    const PrivateFolder work;

    Velk::AutomationOptions options;
    options.offscreen = true;
    options.width = view.width;
    options.height = view.height;
    if (view.fsaa >= 0) options.fsaa = view.fsaa;
    Velk::Root::setAutomationOptions(options);
    try {
        Velk::Root root(work.file("plugins.cfg"), work.file("velk.cfg"), work.file("render.log"));
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
        buildTreeScene(*scene, *camera, state, params ? *params : preset, seed,
                       leafTexture.empty() ? DEFAULT_LEAF_TEXTURE : leafTexture);
        showGroundAndShadow(*scene, view.ground);
        state.treeScene->showLevel(view.lod);
        std::size_t smallest = 0;
        if (view.maxTriangles > 0 && !state.treeScene->showWithinTriangles(view.maxTriangles, smallest))
            throw std::runtime_error("cannot reduce the tree to " + std::to_string(view.maxTriangles) +
                                     " triangles: the smallest it reduces to has " + std::to_string(smallest) +
                                     " triangles");
        if (view.screenCoverage > 0.0f) {
            // Level with the tree's middle, as far away as makes its height
            // that share of the picture's height.
            const float height = state.tree().extent.y;
            const float halfFov = 0.5f * camera->getFOVy() * Velk::Math::fDeg2Rad;
            state.cameraElevation = 0.0f;
            state.cameraDistance = height / (2.0f * view.screenCoverage * std::tan(halfFov));
            placeOrbitCamera(*camera, state, 0.5f * height);
        } else if (view.distance <= 0.0f) {
            const TreeFraming framing = frameTree(treeBounds(state.tree()), camera->getFOVy(), camera->getAspectRatio(),
                                                  view.azimuth, view.elevation, camera->getNearClipDistance());
            state.cameraDistance = framing.distance;
            placeOrbitCamera(*camera, state, framing.lookAtHeight);
        }

        root.renderOneFrame();
        // Written whole or not at all: a failed write keeps any previous picture.
        window->writeContentsToFile(path);
        state.treeScene.reset();
    } catch (const Velk::Exception& e) {
        throw std::runtime_error("cannot render " + path + ": " + e.getFullDescription());
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
