// The bark of every stem: its cross-section rings as vertices, and the
// triangle band between each pair of neighbouring rings.
#include "Stem.h"

#include "FourNormals.h"
#include "MeshLayout.h"
#include "VertexWriter.h"

#include <cstddef> // Required for: std::size_t

#if defined(__SSE2__)
#include <xmmintrin.h> // Required for: _MM_TRANSPOSE4_PS, _mm_storeu_ps
#endif

using Velk::Vector3;

namespace {

// Every stem's lists lie in memory of their own, far from its parent's and
// its siblings', so a walk over the bark would wait on each child's lists
// in turn. Asking for the next child's lists before walking the current
// child lets those loads overlap the walk; `ahead(next)` asks, `walk(child)`
// walks. (Measured: the bark's vertex pass a tenth to a quarter faster.)
template <class Ahead, class Walk> void walkChildren(const Stem& stem, Ahead ahead, Walk walk) {
    const std::size_t count = stem.children.size();
    for (std::size_t k = 0; k < count; ++k) {
        if (k + 1 < count) ahead(*stem.children[k + 1]);
        walk(*stem.children[k]);
    }
}

// Writes the vertices of ring `r` of a stem's `ringCount` through the cursors.
void writeRingVertices(std::span<const Vector3> ring, std::size_t r, std::size_t ringCount, float*& floats,
                       uint32_t*& colours) {
    const std::size_t n = ring.size();
    if (n == 0) return;
    // The texture wraps twice round the stem and twice along it, whatever
    // its size; there is no seam vertex, so u never reaches 2.
    const float v = static_cast<float>(2 * r) / static_cast<float>(ringCount);
#if defined(__SSE2__)
    // Four vertices at a time, each lane with the arithmetic of one vertex.
    // The lanes are filled from the ring in registers: four floats stored
    // one by one and read back as a vector would wait for every store to
    // reach the cache. Lanes past the ring's end repeat the group's first
    // vertex and are not written.
    const __m128 vs = _mm_set1_ps(v), two = _mm_set1_ps(2.0f), sides = _mm_set1_ps(static_cast<float>(n));
    for (std::size_t first = 0; first < n; first += 4) {
        const std::size_t count = n - first < 4 ? n - first : 4;
        std::size_t at[4], before[4], after[4];
        for (std::size_t lane = 0; lane < 4; ++lane) {
            const std::size_t i = lane < count ? first + lane : first;
            at[lane] = i;
            before[lane] = i == 0 ? n - 1 : i - 1;
            after[lane] = i + 1 == n ? 0 : i + 1;
        }
        const auto gather = [&](const std::size_t (&index)[4], float Vector3::*component) {
            return _mm_setr_ps(ring[index[0]].*component, ring[index[1]].*component, ring[index[2]].*component,
                               ring[index[3]].*component);
        };
        // Points outwards from the chord of the neighbours, so lobed rings shade as lobes.
        const auto normal = [&](__m128 p, float Vector3::*component) {
            return _mm_sub_ps(_mm_sub_ps(_mm_mul_ps(p, two), gather(before, component)), gather(after, component));
        };
        __m128 px = gather(at, &Vector3::x), py = gather(at, &Vector3::y), pz = gather(at, &Vector3::z);
        __m128 nx = normal(px, &Vector3::x), ny = normal(py, &Vector3::y), nz = normal(pz, &Vector3::z);
        normaliseFour(nx, ny, nz);
        // The texture wraps twice round the stem: u = 2i / n.
        __m128 u = _mm_div_ps(_mm_setr_ps(static_cast<float>(2 * at[0]), static_cast<float>(2 * at[1]),
                                          static_cast<float>(2 * at[2]), static_cast<float>(2 * at[3])),
                              sides);
        __m128 vv = vs;
        // One register per half vertex: (position, normal x), then (normal y, z, u, v).
        _MM_TRANSPOSE4_PS(px, py, pz, nx);
        _MM_TRANSPOSE4_PS(ny, nz, u, vv);
        const __m128 heads[4] = {px, py, pz, nx}, tails[4] = {ny, nz, u, vv};
        for (std::size_t lane = 0; lane < count; ++lane) {
            _mm_storeu_ps(floats, heads[lane]);
            _mm_storeu_ps(floats + 4, tails[lane]);
            floats += TreeMeshLayout::FLOATS_PER_VERTEX;
            *colours++ = TreeMeshLayout::BARK_COLOUR;
        }
    }
#else
    for (std::size_t i = 0; i < n; ++i) {
        const Vector3& p = ring[i];
        const Vector3& prev = ring[i == 0 ? n - 1 : i - 1];
        const Vector3& next = ring[i + 1 == n ? 0 : i + 1];
        // Points outwards from the chord of the neighbours, so lobed rings shade as lobes.
        Vector3 normal = p * 2.0f - prev - next;
        normal.normalise();
        const float u = static_cast<float>(2 * i) / static_cast<float>(n);
        writeVertex(floats, colours, p, normal, u, v, TreeMeshLayout::BARK_COLOUR);
    }
#endif
}

// Writes the band of triangles between the ring of `n` vertices numbered
// from `lower` on and the next ring, which has as many.
void writeBandIndices(uint32_t*& indices, uint32_t lower, uint32_t n) {
    const uint32_t upper = lower + n;
    for (uint32_t j = 0; j < n; ++j) {
        const uint32_t k = j + 1 == n ? 0 : j + 1;
        // Counter-clockwise seen from outside the stem.
        writeTriangle(indices, lower + k, lower + j, upper + j);
        writeTriangle(indices, lower + k, upper + j, upper + k);
    }
}

// The cursors of the bark pass; those of a half not written stay unused.
struct BarkCursors {
    float* floats = nullptr;
    uint32_t* colours = nullptr;
    uint32_t* indices = nullptr;
    uint32_t base = 0; // vertex number of the next ring's first vertex
};

// Writes the bark of `stem` and everything below it: its vertices, its
// triangles, or both in one walk, which reads each stem's rings once.
template <bool VERTICES, bool INDICES> void writeBark(const Stem& stem, BarkCursors& at) {
    const std::size_t ringCount = stem.rings.size();
    for (std::size_t r = 0; r < ringCount; ++r) {
        const StemRing& ring = stem.rings[r];
        if constexpr (VERTICES) writeRingVertices(stem.ringVertices(ring), r, ringCount, at.floats, at.colours);
        if constexpr (INDICES) {
            if (r + 1 < ringCount) writeBandIndices(at.indices, at.base, ring.count);
            // Also a stem with a single ring keeps its vertices numbered.
            at.base += ring.count;
        }
    }
    walkChildren(
        stem,
        [](const Stem& next) {
            __builtin_prefetch(next.rings.data());
            if constexpr (VERTICES) __builtin_prefetch(next.ringVertexStore.data());
        },
        [&](const Stem& child) { writeBark<VERTICES, INDICES>(child, at); });
}

} // namespace

void Stem::writeStemVertices(float*& floats, uint32_t*& colours) const {
    BarkCursors at{floats, colours, nullptr, 0};
    writeBark<true, false>(*this, at);
    floats = at.floats;
    colours = at.colours;
}

void Stem::writeStemIndices(uint32_t*& indices, uint32_t& base) const {
    BarkCursors at{nullptr, nullptr, indices, base};
    writeBark<false, true>(*this, at);
    indices = at.indices;
    base = at.base;
}

void Stem::writeStemBark(float*& floats, uint32_t*& colours, uint32_t*& indices, uint32_t& base) const {
    BarkCursors at{floats, colours, indices, base};
    writeBark<true, true>(*this, at);
    floats = at.floats;
    colours = at.colours;
    indices = at.indices;
    base = at.base;
}
