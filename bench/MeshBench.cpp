// The tree mesh: buildMesh alone, and a whole regrowth (construction, growth
// and mesh) of each species with seed 0, into system-memory buffers. Each
// runs once before the clock starts (see SteadyLoop.h).
#include "BlockCache.h"
#include "PresetOf.h"
#include "SteadyLoop.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "TreeType.h"
#include "buffer/HardwareBufferManager.h"
#include "mesh/MeshManager.h"

#include <benchmark/benchmark.h> // Required for: benchmark::State
#include <cstdint>               // Required for: int64_t, uint32_t

namespace {

// Bytes the mesh builder writes for a grown tree: 36 per vertex over the two
// vertex buffers, 4 per index.
int64_t meshBytes(const Tree& tree) {
    const int64_t indices = 3 * int64_t(tree.stemTriangleCount) + 3 * int64_t(tree.leafTriangleCount) +
                            27 * int64_t(tree.frameCount);
    return 36 * int64_t(tree.vertexCount) + 4 * indices;
}

// buildMesh alone; growth runs with the clock stopped, as the leaf pass
// must continue the draws of a fresh growth.
void BM_BuildMesh(benchmark::State& state) {
    const TreeParameters params = presetOf(state);
    Velk::HardwareBufferManager buffers;
    Velk::MeshManager meshes;
    int64_t bytes = 0;
    steadyLoop(state, [&](bool timed) {
        if (timed) state.PauseTiming();
        Tree tree(params, 0);
        tree.grow();
        meshes.removeAll();
        if (timed) state.ResumeTiming();
        benchmark::DoNotOptimize(tree.buildMesh("TreeMesh"));
        if (timed) bytes += meshBytes(tree);
    });
    state.counters["bytes/s"] = benchmark::Counter(double(bytes), benchmark::Counter::kIsRate);
}

// A whole regrowth as the tree controls run it: drop the old mesh, then
// construct, grow and mesh the new tree.
void BM_GrowAndMesh(benchmark::State& state) {
    const TreeParameters params = presetOf(state);
    Velk::HardwareBufferManager buffers;
    Velk::MeshManager meshes;
    BlockCache memory; // as the demonstration regrows: the trees' memory is reused
    int64_t bytes = 0;
    steadyLoop(state, [&](bool timed) {
        meshes.removeAll();
        Tree tree(params, 0, &memory);
        tree.grow();
        benchmark::DoNotOptimize(tree.buildMesh("TreeMesh"));
        if (timed) bytes += meshBytes(tree);
    });
    state.counters["bytes/s"] = benchmark::Counter(double(bytes), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_BuildMesh)->DenseRange(0, TREE_TYPE_COUNT - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GrowAndMesh)->DenseRange(0, TREE_TYPE_COUNT - 1)->Unit(benchmark::kMillisecond);
