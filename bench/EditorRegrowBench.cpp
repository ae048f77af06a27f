// The time from a change in the parameter editor to the new tree on screen:
// what one frame of the demonstration does after a slider moved. The tree
// is regrown through TreeScene (grow, build the mesh into GL buffers, the
// entity with its materials), then the frame is drawn offscreen at
// 1280 x 720 and finished (the offscreen window waits for the GPU).
// Two more variants regrow without drawing and draw without regrowing, to
// show where the time goes.
#include "DemoView.h"
#include "TreeDemoState.h"
#include "TreeType.h"
#include "core/ResourceManager.h"    // Required for: Velk::ResourceManager
#include "material/TextureManager.h" // Required for: Velk::TextureManager
#include "render/Root.h"             // Required for: Velk::Root
#include "scene/SceneManager.h"      // Required for: Velk::SceneManager

#include <benchmark/benchmark.h>

#include <filesystem> // Required for: std::filesystem::temp_directory_path

namespace {

// One engine with the demonstration's scene; the species' tree is on show.
struct EditorScene {
    explicit EditorScene(uint32_t species) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path();
        Velk::AutomationOptions options;
        options.offscreen = true;
        options.width = 1280;
        options.height = 720;
        Velk::Root::setAutomationOptions(options);
        root = std::make_unique<Velk::Root>((folder / "editor_bench_plugins.cfg").string(),
                                            (folder / "editor_bench_velk.cfg").string(),
                                            (folder / "editor_bench_Velk.log").string());
        Velk::ResourceManager::addCommonArchiveEx(MEDIA_DIR, "FileSystem");
        Velk::RenderWindow* window = root->initialise(true, "Editor regrow bench");
        Velk::SceneManager* scene = root->getSceneManager(Velk::ST_GENERIC);
        Velk::Camera* camera = createPlayerCamera(*scene);
        createWindowViewport(*window, *camera);
        Velk::TextureManager::getSingleton().setDefaultNumMipmaps(5);
        TreeParameters params(2);
        params.loadPreset(species);
        buildTreeScene(*scene, *camera, state, params, 0);
        root->renderOneFrame(); // textures and vertex arrays made once
    }
    ~EditorScene() {
        state.treeScene.reset();
        root.reset();
        Velk::Root::setAutomationOptions({});
    }
    TreeDemoState state;
    std::unique_ptr<Velk::Root> root;
};

// A slider moved: the working set changes (branches of level 1 one up and
// down again, so every iteration grows a tree of the same size), the tree
// is regrown and the frame drawn.
void BM_SliderToScreen(benchmark::State& bench, uint32_t species) {
    EditorScene scene(species);
    int32_t step = 1;
    for (auto _ : bench) {
        scene.state.parameters->branches[1] += step;
        step = -step;
        scene.state.treeScene->show(*scene.state.parameters, scene.state.seed);
        scene.root->renderOneFrame();
    }
    bench.counters["vertices"] = scene.state.tree().vertexCount;
}

// The regrowth alone: grow, mesh into GL buffers, entity.
void BM_RegrowOnly(benchmark::State& bench, uint32_t species) {
    EditorScene scene(species);
    for (auto _ : bench) scene.state.treeScene->show(*scene.state.parameters, scene.state.seed);
    bench.counters["vertices"] = scene.state.tree().vertexCount;
}

// The frame alone with the tree unchanged, for comparison.
void BM_FrameOnly(benchmark::State& bench, uint32_t species) {
    EditorScene scene(species);
    for (auto _ : bench) scene.root->renderOneFrame();
    bench.counters["vertices"] = scene.state.tree().vertexCount;
}

BENCHMARK_CAPTURE(BM_SliderToScreen, QuakingAspen, TREE_QUAKING_ASPEN)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SliderToScreen, WeepingWillow, TREE_WEEPING_WILLOW)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegrowOnly, QuakingAspen, TREE_QUAKING_ASPEN)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RegrowOnly, WeepingWillow, TREE_WEEPING_WILLOW)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FrameOnly, QuakingAspen, TREE_QUAKING_ASPEN)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FrameOnly, WeepingWillow, TREE_WEEPING_WILLOW)->Unit(benchmark::kMillisecond);

} // namespace
