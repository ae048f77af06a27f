// Construction plus growth of each species with seed 0, and construction
// alone: the structure pass, which decides by its draws which stems exist
// and so runs on one thread before growth can be shared. Each runs once
// before the clock starts (see SteadyLoop.h).
#include "BlockCache.h"
#include "PresetOf.h"
#include "SteadyLoop.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "TreeType.h"

#include <benchmark/benchmark.h> // Required for: benchmark::State

namespace {

void BM_Grow(benchmark::State& state) {
    const TreeParameters params = presetOf(state);

    int64_t stems = 0, leaves = 0, vertices = 0;
    BlockCache memory; // as the demonstration regrows: the trees' memory is reused
    steadyLoop(state, [&](bool timed) {
        Tree tree(params, 0, &memory);
        tree.grow();
        benchmark::DoNotOptimize(tree.extent);
        if (!timed) return;
        stems += tree.stemCount;
        leaves += tree.leafTriangleCount / 2; // two triangles a leaf: no walk over the stems in the timed loop
        vertices += tree.vertexCount;
    });
    using benchmark::Counter;
    state.counters["stems/s"] = Counter(double(stems), Counter::kIsRate);
    state.counters["leaves/s"] = Counter(double(leaves), Counter::kIsRate);
    state.counters["vertices/s"] = Counter(double(vertices), Counter::kIsRate);
}

void BM_Structure(benchmark::State& state) {
    const TreeParameters params = presetOf(state);
    int64_t stems = 0;
    BlockCache memory;
    steadyLoop(state, [&](bool timed) {
        Tree tree(params, 0, &memory);
        benchmark::DoNotOptimize(tree.stemCount);
        if (timed) stems += tree.stemCount;
    });
    state.counters["stems/s"] = benchmark::Counter(double(stems), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_Structure)->DenseRange(0, TREE_TYPE_COUNT - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grow)->DenseRange(0, TREE_TYPE_COUNT - 1)->Unit(benchmark::kMillisecond);
