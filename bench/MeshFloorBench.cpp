// The floor under BM_GrowAndMesh: the time it takes only to write a tree
// kind's mesh bytes, buffer by buffer as the mesh builder fills them (both
// vertex buffers and every index buffer). No growth and no arithmetic:
// whatever a regrowth costs above this is ours.
//
// A new mesh's bytes are new to the caches, so the floor writes into memory
// no cache holds: a ring far larger than the last-level cache, walked so that
// each write lands where nothing has been written for hundreds of megabytes.
// Its pages are touched once beforehand: on a virtual machine a page fault
// can cost more than writing the page, and that cost is the host's, not the
// floor's. The same bytes written over and over into one set of buffers stay
// in the cache; that figure is kept beside the floor, since the earlier
// tables in bench/README.md were taken against it.
#include "PresetOf.h"
#include "Tree.h"
#include "TreeParameters.h"
#include "TreeType.h"

#include <benchmark/benchmark.h> // Required for: benchmark::State
#include <cstddef>               // Required for: std::byte, std::size_t
#include <cstdint>               // Required for: int64_t
#include <cstring>               // Required for: std::memset
#include <memory>                // Required for: std::make_unique_for_overwrite
#include <numeric>               // Required for: std::accumulate
#include <vector>                // Required for: std::vector

namespace {

// Far beyond any last-level cache of the machines this runs on (tens of MB).
constexpr std::size_t kColdRingBytes = std::size_t{512} << 20;
constexpr std::size_t kCacheLine = 64;
// The ring holds at least this many meshes, so that no write finds the bytes
// of the last few meshes still in the cache.
constexpr std::size_t kMeshesPerRing = 4;

// Each buffer starts on a cache line of its own: no two share one.
constexpr std::size_t lineRounded(std::size_t size) { return (size + kCacheLine - 1) / kCacheLine * kCacheLine; }

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

// Memory handed out in order, from the start again once the rest is too
// short; every page touched when it is made.
class WriteRing {
public:
    explicit WriteRing(std::size_t capacity)
        : bytes_(std::make_unique_for_overwrite<std::byte[]>(capacity)), capacity_(capacity) {
        std::memset(bytes_.get(), 0, capacity);
    }

    std::byte* take(std::size_t size) {
        if (size > capacity_ - next_) next_ = 0;
        std::byte* at = bytes_.get() + next_;
        next_ += lineRounded(size);
        return at;
    }

    std::size_t capacity() const { return capacity_; }

private:
    std::unique_ptr<std::byte[]> bytes_;
    std::size_t capacity_;
    std::size_t next_ = 0;
};

// Writes every byte of every buffer once per iteration, each buffer where
// the ring puts it.
void writeMeshBytes(benchmark::State& state, const std::vector<std::size_t>& sizes, WriteRing& ring) {
    int64_t bytes = 0;
    for (auto _ : state) {
        for (const std::size_t size : sizes) {
            std::byte* memory = ring.take(size);
            std::memset(memory, 0x5A, size);
            benchmark::DoNotOptimize(memory);
            benchmark::ClobberMemory();
            bytes += static_cast<int64_t>(size);
        }
    }
    state.counters["bytes/s"] = benchmark::Counter(double(bytes), benchmark::Counter::kIsRate);
}

std::size_t ringBytesFor(const std::vector<std::size_t>& sizes) {
    return std::accumulate(sizes.begin(), sizes.end(), std::size_t{0},
                           [](std::size_t sum, std::size_t size) { return sum + lineRounded(size); });
}

// The floor: the mesh's bytes written where no cache holds them.
void BM_MeshBytesFloor(benchmark::State& state) {
    const std::vector<std::size_t> sizes = meshBufferSizes(presetOf(state));
    // One ring for every tree kind and run: touching its pages takes a second.
    static WriteRing ring(kColdRingBytes);
    if (ringBytesFor(sizes) * kMeshesPerRing > ring.capacity())
        state.SkipWithError("the mesh is too large for the floor's ring");
    writeMeshBytes(state, sizes, ring);
}

// The same bytes written into one set of buffers again and again, which the
// cache keeps when the mesh fits it: the floor of the earlier tables.
void BM_MeshBytesInCache(benchmark::State& state) {
    const std::vector<std::size_t> sizes = meshBufferSizes(presetOf(state));
    WriteRing ring(ringBytesFor(sizes));
    writeMeshBytes(state, sizes, ring);
}

} // namespace

BENCHMARK(BM_MeshBytesFloor)->DenseRange(0, TREE_TYPE_COUNT - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MeshBytesInCache)->DenseRange(0, TREE_TYPE_COUNT - 1)->Unit(benchmark::kMillisecond);
