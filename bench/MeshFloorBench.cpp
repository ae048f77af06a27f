// The floor under BM_GrowAndMesh: the time it takes only to write a species'
// mesh bytes into freshly allocated memory, buffer by buffer as the mesh
// builder fills them (both vertex buffers and every index buffer). No
// growth and no arithmetic: whatever regrowth costs above this is ours.
#include "PresetOf.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "TreeType.h"

#include <benchmark/benchmark.h> // Required for: benchmark::State
#include <cstddef>               // Required for: std::byte, std::size_t
#include <cstdint>               // Required for: int64_t, uint32_t
#include <cstring>               // Required for: std::memset
#include <memory>                // Required for: std::make_unique_for_overwrite
#include <vector>                // Required for: std::vector

namespace {

// The byte sizes of the buffers the mesh builder creates for a tree grown
// from seed 0: geometry (32 bytes a vertex), colours (4 bytes a vertex),
// then the bark, leaf and marker index buffers (4 bytes an index) that exist.
std::vector<std::size_t> meshBufferSizes(const TreeParameters& params) {
    Tree tree(params, 0);
    tree.grow();
    const auto vertices = static_cast<std::size_t>(tree.vertexCount);
    std::vector<std::size_t> sizes{32 * vertices, 4 * vertices};
    const std::size_t indexCounts[] = {3 * static_cast<std::size_t>(tree.stemTriangleCount),
                                       3 * static_cast<std::size_t>(tree.leafTriangleCount),
                                       27 * static_cast<std::size_t>(tree.frameCount)};
    for (const std::size_t count : indexCounts)
        if (count > 0) sizes.push_back(4 * count);
    return sizes;
}

// Allocates each buffer anew, writes every byte of it once and frees it.
void BM_MeshBytesFloor(benchmark::State& state) {
    const TreeParameters params = presetOf(state);
    const std::vector<std::size_t> sizes = meshBufferSizes(params);
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const std::size_t size : sizes) {
            const auto memory = std::make_unique_for_overwrite<std::byte[]>(size);
            std::memset(memory.get(), 0x5A, size);
            benchmark::DoNotOptimize(memory.get());
            benchmark::ClobberMemory();
            bytes += static_cast<int64_t>(size);
        }
    }
    state.counters["bytes/s"] = benchmark::Counter(double(bytes), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_MeshBytesFloor)->DenseRange(0, TREE_TYPE_COUNT - 1)->Unit(benchmark::kMillisecond);
