// The leaves of every stem: a tinted quad per leaf showing one quarter of the
// leaf texture. Colours and quarters come from the random generator, which
// continues where growth left it.
#include "Stem.h"

#include "FourNormals.h"
#include "LeafOutline.h"
#include "MeshLayout.h"
#include "Random.h"
#include "Tree.h"
#include "VertexWriter.h"

#include <algorithm> // Required for: std::min
#include <array>     // Required for: std::array
#include <cstddef>   // Required for: std::size_t
#include <cstdint>   // Required for: int32_t, uint32_t

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

} // namespace

void Stem::writeLeafVertices(float*& floats, uint32_t*& colours, float distance) const {
    const TreeParameters& p = *tree->params;

    // Shade: how far out along its level-1 branch this stem starts. Leaves
    // near the trunk come out dark, those at the branch tips light.
    float t = 1.0f;
    if (p.levels > 2) {
        const Stem* branch = this;
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

    // Texture coordinates of the corners before the quarter's offset.
    float uCorner[4], vCorner[4];
    for (std::size_t j = 0; j < 4; ++j) {
        uCorner[j] = (kLeafOutline[j].x + 0.5f) * 0.5f;
        vCorner[j] = 1.0f - 0.5f * kLeafOutline[j].y;
    }
#if defined(__SSE2__)
    const __m128 uCorners = _mm_loadu_ps(uCorner);
    const __m128 vCorners = _mm_loadu_ps(vCorner);
#endif

    for (const Leaf& leaf : leaves) {
        // Texture quarter: E in -4..4 moves the quarter in steps of half the texture.
        const int32_t e = roundToInt(static_cast<float>(randSigned() * 0.00399));
        const float uOffset = 0.5f * static_cast<float>(e / 2);
        const float vOffset = 0.5f * static_cast<float>(e % 2);

        // The normal of corner j is (corner - previous) x (next - corner): the
        // cross product of the edge into the corner and the edge out of it.
        // The four edges are shared by the corners, and the four normals are
        // worked out together, each lane with the operations of its own
        // corner, so the bits are those of one corner at a time.
        const std::array<Vector3, 4>& c = leaf.corners;
#if defined(__SSE2__)
        // Lane j holds corner j; turning the lanes by one gives the next
        // corner, or the edge before.
        const auto next = [](__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(0, 3, 2, 1)); };
        const auto previous = [](__m128 v) { return _mm_shuffle_ps(v, v, _MM_SHUFFLE(2, 1, 0, 3)); };
        __m128 cx = _mm_setr_ps(c[0].x, c[1].x, c[2].x, c[3].x);
        __m128 cy = _mm_setr_ps(c[0].y, c[1].y, c[2].y, c[3].y);
        __m128 cz = _mm_setr_ps(c[0].z, c[1].z, c[2].z, c[3].z);
        const __m128 ex = _mm_sub_ps(next(cx), cx), ey = _mm_sub_ps(next(cy), cy),
                     ez = _mm_sub_ps(next(cz), cz); // out of corner j
        const __m128 ax = previous(ex), ay = previous(ey), az = previous(ez); // into corner j
        __m128 nx = _mm_sub_ps(_mm_mul_ps(ay, ez), _mm_mul_ps(az, ey));
        __m128 ny = _mm_sub_ps(_mm_mul_ps(az, ex), _mm_mul_ps(ax, ez));
        __m128 nz = _mm_sub_ps(_mm_mul_ps(ax, ey), _mm_mul_ps(ay, ex));
        normaliseFour(nx, ny, nz);
        // The same additions as one corner at a time, lane by lane.
        __m128 u = _mm_add_ps(uCorners, _mm_set1_ps(uOffset));
        __m128 v = _mm_sub_ps(vCorners, _mm_set1_ps(vOffset));
        // Turned from one register per component into one per half vertex,
        // the leaf's 128 bytes go out as eight whole stores instead of 32
        // single floats: the pass waits on its stores, and fewer, wider
        // ones keep the store queue from filling.
        _MM_TRANSPOSE4_PS(cx, cy, cz, nx);
        _MM_TRANSPOSE4_PS(ny, nz, u, v);
        const __m128 front[4] = {cx, cy, cz, nx};
        const __m128 back[4] = {ny, nz, u, v};
        for (std::size_t j = 0; j < 4; ++j) {
            _mm_storeu_ps(floats + TreeMeshLayout::FLOATS_PER_VERTEX * j, front[j]);
            _mm_storeu_ps(floats + TreeMeshLayout::FLOATS_PER_VERTEX * j + 4, back[j]);
        }
        floats += TreeMeshLayout::FLOATS_PER_VERTEX * 4;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(colours), _mm_set1_epi32(static_cast<int32_t>(colour)));
        colours += 4;
#else
        FourVectors normals;
        const Vector3 edges[4] = {c[1] - c[0], c[2] - c[1], c[3] - c[2], c[0] - c[3]};
        for (std::size_t j = 0; j < 4; ++j) {
            const Vector3 n = edges[(j + 3) % 4].crossProduct(edges[j]);
            normals.x[j] = n.x;
            normals.y[j] = n.y;
            normals.z[j] = n.z;
        }
        normaliseFour(normals);
        for (std::size_t j = 0; j < 4; ++j) {
            writeVertex(floats, colours, c[j], {normals.x[j], normals.y[j], normals.z[j]},
                        uCorner[j] + uOffset, vCorner[j] - vOffset, colour);
        }
#endif
    }

    for (const auto& child : children) {
        // The shade distance restarts on every branch of the trunk.
        const float childDistance =
            parent == nullptr
                ? 0.0f
                : distance + (child->points[0].position - points[0].position).length();
        child->writeLeafVertices(floats, colours, childDistance);
    }
}

void Stem::writeLeafIndices(uint32_t*& indices, uint32_t& base) const {
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        const uint32_t a = base;
        writeTriangle(indices, a, a + 1, a + 2);
        writeTriangle(indices, a, a + 2, a + 3);
        base += TreeMeshLayout::VERTICES_PER_LEAF;
    }
    for (const auto& child : children) child->writeLeafIndices(indices, base);
}
