// The leaves of every stem: a tinted quad per leaf showing one quarter of the
// leaf texture. Colours and quarters come from the random generator, which
// continues where growth left it; they are drawn in one walk over the stems
// (LeafDraws::draw), and the vertices follow from them in a second
// (LeafDraws::write) that any thread may run on any range of leaves.
#include "Stem.h"

#include "FourNormals.h"
#include "LeafDraws.h"
#include "LeafOutline.h"
#include "MeshLayout.h"
#include "Random.h"
#include "Tree.h"
#include "VertexWriter.h"

#include <algorithm> // Required for: std::min, std::upper_bound
#include <array>     // Required for: std::array
#include <cstddef>   // Required for: std::size_t
#include <cstdint>   // Required for: int32_t, uint8_t, uint32_t
#include <iterator>  // Required for: std::size
#include <span>      // Required for: std::span

#if defined(__SSE2__)
#include <emmintrin.h> // Required for: _MM_TRANSPOSE4_PS, _mm_storeu_ps, _mm_storeu_si128
#endif

using Velk::Vector3;

namespace {

// One colour channel: a dark base brightening with the shade t, varied per
// stem by less than 20 either way; stays within 0..254 for t in 0..1.
uint32_t leafChannel(float t, double scale, double offset) {
    const double value = double(randVar(20.0f)) + scale * t + offset;
    return static_cast<uint32_t>(static_cast<int32_t>(value));
}

// Texture quarter E in -4..4 moves the quarter in steps of half the
// texture; it is E = round(s * 0.00399) of a signed draw s in -999..999.
// Both tables are filled once with exactly that arithmetic, so looking a
// value up gives the bits working it out gave.
constexpr int32_t SIGNED_DRAW_MAX = 999;
constexpr int32_t QUARTERS = 9; // E + 4

// The quarter number E + 4 of every signed draw, at index s + 999.
const std::array<uint8_t, 2 * SIGNED_DRAW_MAX + 1>& quarterOfDraw() {
    static const auto table = [] {
        std::array<uint8_t, 2 * SIGNED_DRAW_MAX + 1> quarters{};
        for (int32_t s = -SIGNED_DRAW_MAX; s <= SIGNED_DRAW_MAX; ++s) {
            const int32_t e = roundToInt(static_cast<float>(s * 0.00399));
            quarters[static_cast<std::size_t>(s + SIGNED_DRAW_MAX)] = static_cast<uint8_t>(e + 4);
        }
        return quarters;
    }();
    return table;
}

// Texture coordinates of a leaf's four corners, one lane per corner.
struct QuarterCoordinates {
    alignas(16) float u[4];
    alignas(16) float v[4];
};

// The corners' texture coordinates in each of the nine quarters: the
// outline's corners mapped into the texture, moved by the quarter's offset.
const std::array<QuarterCoordinates, QUARTERS>& quarterCoordinates() {
    static const auto table = [] {
        std::array<QuarterCoordinates, QUARTERS> coordinates{};
        for (int32_t e = -4; e <= 4; ++e) {
            const float uOffset = 0.5f * static_cast<float>(e / 2);
            const float vOffset = 0.5f * static_cast<float>(e % 2);
            QuarterCoordinates& q = coordinates[static_cast<std::size_t>(e + 4)];
            for (std::size_t j = 0; j < 4; ++j) {
                q.u[j] = (kLeafOutline[j].x + 0.5f) * 0.5f + uOffset;
                q.v[j] = (1.0f - 0.5f * kLeafOutline[j].y) - vOffset;
            }
        }
        return coordinates;
    }();
    return table;
}

// The corners are read as twelve floats in a row.
static_assert(sizeof(Leaf) == 12 * sizeof(float));

// Writes the four vertices of each of `count` leaves, one after another.
// The normal of corner j is (corner - previous) x (next - corner): the cross
// product of the edge into the corner and the edge out of it. The four
// normals are worked out together, each lane with the operations of its own
// corner, so the bits are those of one corner at a time.
void writeQuads(const Leaf* leaves, const uint8_t* quarters, std::size_t count, uint32_t colour,
                float* floats, uint32_t* colours) {
    const std::array<QuarterCoordinates, QUARTERS>& coordinates = quarterCoordinates();
#if defined(__SSE2__)
    // Lane j holds corner j; turning the lanes by one gives the next
    // corner, or the edge before.
    const auto next = [](__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(0, 3, 2, 1)); };
    const auto previous = [](__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(2, 1, 0, 3)); };
    const __m128i packedColour = _mm_set1_epi32(static_cast<int32_t>(colour));
    for (std::size_t i = 0; i < count; ++i) {
        // x0 y0 z0 x1 | y1 z1 x2 y2 | z2 x3 y3 z3, sorted into one register
        // per component.
        const float* c = reinterpret_cast<const float*>(leaves[i].corners.data());
        const __m128 a = _mm_loadu_ps(c), b = _mm_loadu_ps(c + 4), d = _mm_loadu_ps(c + 8);
        __m128 cx = _mm_shuffle_ps(a, _mm_shuffle_ps(b, d, _MM_SHUFFLE(1, 1, 2, 2)), _MM_SHUFFLE(2, 0, 3, 0));
        __m128 cy = _mm_shuffle_ps(_mm_shuffle_ps(a, b, _MM_SHUFFLE(0, 0, 1, 1)),
                                   _mm_shuffle_ps(b, d, _MM_SHUFFLE(2, 2, 3, 3)), _MM_SHUFFLE(2, 0, 2, 0));
        __m128 cz = _mm_shuffle_ps(_mm_shuffle_ps(a, b, _MM_SHUFFLE(1, 1, 2, 2)),
                                   _mm_shuffle_ps(d, d, _MM_SHUFFLE(3, 3, 0, 0)), _MM_SHUFFLE(2, 0, 2, 0));
        const __m128 ex = _mm_sub_ps(next(cx), cx), ey = _mm_sub_ps(next(cy), cy),
                     ez = _mm_sub_ps(next(cz), cz); // out of corner j
        const __m128 ax = previous(ex), ay = previous(ey), az = previous(ez); // into corner j
        __m128 nx = _mm_sub_ps(_mm_mul_ps(ay, ez), _mm_mul_ps(az, ey));
        __m128 ny = _mm_sub_ps(_mm_mul_ps(az, ex), _mm_mul_ps(ax, ez));
        __m128 nz = _mm_sub_ps(_mm_mul_ps(ax, ey), _mm_mul_ps(ay, ex));
        normaliseFour(nx, ny, nz);
        const QuarterCoordinates& q = coordinates[quarters[i]];
        __m128 u = _mm_load_ps(q.u);
        __m128 v = _mm_load_ps(q.v);
        // Turned from one register per component into one per half vertex,
        // the leaf's 128 bytes go out as eight whole stores instead of 32
        // single floats: the pass waits on its stores, and fewer, wider
        // ones keep the store queue from filling.
        _MM_TRANSPOSE4_PS(cx, cy, cz, nx);
        _MM_TRANSPOSE4_PS(ny, nz, u, v);
        float* out = floats + TreeMeshLayout::FLOATS_PER_VERTEX * TreeMeshLayout::VERTICES_PER_LEAF * i;
        _mm_storeu_ps(out, cx);
        _mm_storeu_ps(out + 4, ny);
        _mm_storeu_ps(out + 8, cy);
        _mm_storeu_ps(out + 12, nz);
        _mm_storeu_ps(out + 16, cz);
        _mm_storeu_ps(out + 20, u);
        _mm_storeu_ps(out + 24, nx);
        _mm_storeu_ps(out + 28, v);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(colours + TreeMeshLayout::VERTICES_PER_LEAF * i), packedColour);
    }
#else
    for (std::size_t i = 0; i < count; ++i) {
        const std::array<Vector3, 4>& c = leaves[i].corners;
        FourVectors normals;
        const Vector3 edges[4] = {c[1] - c[0], c[2] - c[1], c[3] - c[2], c[0] - c[3]};
        for (std::size_t j = 0; j < 4; ++j) {
            const Vector3 n = edges[(j + 3) % 4].crossProduct(edges[j]);
            normals.x[j] = n.x;
            normals.y[j] = n.y;
            normals.z[j] = n.z;
        }
        normaliseFour(normals);
        const QuarterCoordinates& q = coordinates[quarters[i]];
        for (std::size_t j = 0; j < 4; ++j)
            writeVertex(floats, colours, c[j], {normals.x[j], normals.y[j], normals.z[j]}, q.u[j], q.v[j], colour);
    }
#endif
}

} // namespace

LeafDraws::LeafDraws(std::size_t leaves, std::size_t stems) {
    quarters_.reserve(leaves);
    runs_.reserve(stems);
}

void LeafDraws::draw(const Stem& stem, float distance) {
    const TreeParameters& p = *stem.tree->params;

    // Shade: how far out along its level-1 branch this stem starts. Leaves
    // near the trunk come out dark, those at the branch tips light.
    float t = 1.0f;
    if (p.levels > 2) {
        const Stem* branch = &stem;
        while (branch->parent != nullptr && branch->parent->parent != nullptr) branch = branch->parent;
        // A branch of no length has no inside; its leaves take the tip shade.
        if (branch->length > 0.0f)
            t = std::min(static_cast<float>(double(distance) / branch->length), 1.0f);
    }

    // Drawn for every stem, leaves or not, in the order red, green, blue.
    const uint32_t red = leafChannel(t, 215.0, 20.0);
    const uint32_t green = leafChannel(t, 175.0, 60.0);
    const uint32_t blue = leafChannel(t, 195.0, 40.0);
    const uint32_t colour = (uint32_t(p.leafAlpha) << 24) | (red << 16) | (green << 8) | blue;

    // Then one signed draw per leaf: its texture quarter.
    if (!stem.leaves.empty()) {
        runs_.push_back({stem.leaves.data(), static_cast<uint32_t>(stem.leaves.size()), colour, quarters_.size()});
        const std::array<uint8_t, 2 * SIGNED_DRAW_MAX + 1>& quarterOf = quarterOfDraw();
        int32_t signedDraws[64];
        for (std::size_t done = 0; done < stem.leaves.size();) {
            const std::size_t n = std::min(stem.leaves.size() - done, std::size(signedDraws));
            randSigned(std::span<int32_t>(signedDraws, n));
            for (std::size_t i = 0; i < n; ++i)
                quarters_.push_back(quarterOf[static_cast<std::size_t>(signedDraws[i] + SIGNED_DRAW_MAX)]);
            done += n;
        }
    }

    for (const auto& child : stem.children) {
        // The shade distance restarts on every branch of the trunk. A stem's
        // base position is its first spine point's, kept in the stem itself:
        // reading the point would fetch the child's point list for nothing.
        const float childDistance =
            stem.parent == nullptr ? 0.0f : distance + (child->position - stem.position).length();
        draw(*child, childDistance);
    }
}

void LeafDraws::write(std::size_t first, std::size_t end, float* floats, uint32_t* colours) const {
    if (first >= end) return;
    // The run holding leaf `first`: the last that starts at or before it.
    auto run = std::upper_bound(runs_.begin(), runs_.end(), first,
                                [](std::size_t leaf, const Run& r) { return leaf < r.first; });
    --run;
    for (std::size_t leaf = first; leaf < end; ++run) {
        const std::size_t inRun = leaf - run->first;
        const std::size_t count = std::min<std::size_t>(run->count - inRun, end - leaf);
        writeQuads(run->leaves + inRun, quarters_.data() + leaf, count, run->colour,
                   floats + TreeMeshLayout::FLOATS_PER_VERTEX * TreeMeshLayout::VERTICES_PER_LEAF * leaf,
                   colours + TreeMeshLayout::VERTICES_PER_LEAF * leaf);
        leaf += count;
    }
}

void Stem::writeLeafVertices(float*& floats, uint32_t*& colours, float distance) const {
    LeafDraws draws(0, 0);
    draws.draw(*this, distance);
    const std::size_t leaves = draws.leafCount();
    draws.write(0, leaves, floats, colours);
    floats += TreeMeshLayout::FLOATS_PER_VERTEX * TreeMeshLayout::VERTICES_PER_LEAF * leaves;
    colours += TreeMeshLayout::VERTICES_PER_LEAF * leaves;
}

void Stem::writeLeafIndices(uint32_t*& indices, uint32_t& base) const {
    writeLeafQuadIndices(indices, base, leaves.size());
    base += TreeMeshLayout::VERTICES_PER_LEAF * static_cast<uint32_t>(leaves.size());
    for (const auto& child : children) child->writeLeafIndices(indices, base);
}
