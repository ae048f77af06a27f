// Frames of the demonstration offscreen at 1024 x 768 with its default
// settings (ground and shadows on, the configured anti-aliasing), for every
// species with seed 0:
//   BM_Frame          an ordinary frame, the tree unchanged;
//   BM_RegrowthFrame  the frame after a slider moved in the editor: the tree
//                     regrown through TreeScene (growth, the mesh written into
//                     GL buffers, the entity) and the frame drawn, which also
//                     redraws the shadow map of the new tree;
//   BM_RegrowOnly     the regrowth without a frame, to show where time goes.
// A regrowth adds BM_RegrowthFrame - BM_Frame to the frame it happens in.
// Each frame is finished (the offscreen window waits for the renderer).
#include "DemoView.h"
#include "GroundAndShadow.h"
#include "PresetOf.h"
#include "TreeDemoState.h"
#include "TreeType.h"
#include "core/ResourceManager.h"    // Required for: Velk::ResourceManager
#include "material/TextureManager.h" // Required for: Velk::TextureManager
#include "render/RenderSystem.h"     // Required for: Velk::RenderSystem
#include "render/Root.h"             // Required for: Velk::Root
#include "scene/SceneManager.h"      // Required for: Velk::SceneManager

#include <benchmark/benchmark.h>

#include <filesystem> // Required for: std::filesystem::temp_directory_path

namespace {

// One engine with the demonstration's scene; the tree of `params` is on show.
struct DemoScene {
    explicit DemoScene(const TreeParameters& params) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path();
        // No settings file: the settings are the program's defaults.
        const std::filesystem::path config = folder / "demo_frame_bench_velk.cfg";
        std::filesystem::remove(config);
        Velk::AutomationOptions options;
        options.offscreen = true;
        options.width = 1024;
        options.height = 768;
        Velk::Root::setAutomationOptions(options);
        root = std::make_unique<Velk::Root>((folder / "demo_frame_bench_plugins.cfg").string(), config.string(),
                                            (folder / "demo_frame_bench_Velk.log").string());
        Velk::ResourceManager::addCommonArchiveEx(MEDIA_DIR, "FileSystem");
        Velk::RenderWindow* window = root->initialise(true, "Demo frame bench");
        Velk::SceneManager* scene = root->getSceneManager(Velk::ST_GENERIC);
        Velk::Camera* camera = createPlayerCamera(*scene);
        createWindowViewport(*window, *camera);
        Velk::TextureManager::getSingleton().setDefaultNumMipmaps(5);
        buildTreeScene(*scene, *camera, state, params, 0);
        showGroundAndShadow(*scene, root->getRenderSystem()->isGroundAndShadowOn());
        root->renderOneFrame(); // textures, vertex arrays and the shadow map made once
    }
    ~DemoScene() {
        state.treeScene.reset();
        root.reset();
        Velk::Root::setAutomationOptions({});
    }
    TreeDemoState state;
    std::unique_ptr<Velk::Root> root;
};

void BM_Frame(benchmark::State& bench) {
    DemoScene scene(presetOf(bench));
    for (auto _ : bench) scene.root->renderOneFrame();
    bench.counters["vertices"] = scene.state.tree().vertexCount;
}

// A slider moved: the branches of level 1 one up and down again, so every
// iteration grows a tree of the same size.
void BM_RegrowthFrame(benchmark::State& bench) {
    DemoScene scene(presetOf(bench));
    int32_t step = 1;
    for (auto _ : bench) {
        scene.state.parameters->branches[1] += step;
        step = -step;
        scene.state.treeScene->show(*scene.state.parameters, scene.state.seed);
        scene.root->renderOneFrame();
    }
    bench.counters["vertices"] = scene.state.tree().vertexCount;
}

void BM_RegrowOnly(benchmark::State& bench) {
    DemoScene scene(presetOf(bench));
    for (auto _ : bench) scene.state.treeScene->show(*scene.state.parameters, scene.state.seed);
    bench.counters["vertices"] = scene.state.tree().vertexCount;
}

constexpr int LAST_SPECIES = static_cast<int>(TREE_TYPE_COUNT) - 1;
// Every species, in milliseconds. The CPU column counts every thread of the
// process: the renderer's own rasteriser threads do most of a frame's work,
// and on a machine of N cores no frame can take less wall time than its CPU
// time divided by N.
void everySpecies(benchmark::internal::Benchmark* bench) {
    bench->DenseRange(0, LAST_SPECIES)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();
}
BENCHMARK(BM_Frame)->Apply(everySpecies);
BENCHMARK(BM_RegrowthFrame)->Apply(everySpecies);
BENCHMARK(BM_RegrowOnly)->Apply(everySpecies);

} // namespace
