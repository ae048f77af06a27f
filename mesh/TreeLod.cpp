// Levels of detail of a grown tree. The reductions follow the tree's own
// structure: a thin stem needs fewer sides and bends to read as a stem, the
// finest twigs vanish under the leaves, and a crown of fewer, larger leaves
// covers the same sky. Only where that is not enough does the bark get a
// general mesh simplification.
#include "TreeLod.h"

#include "LeafOutline.h"
#include "MeshLayout.h"
#include "Tree.h"
#include "TreeWind.h"

#include <meshoptimizer.h> // Required for: meshopt_simplify, meshopt_optimizeVertexCache, meshopt_optimizeVertexFetchRemap

#include <algorithm> // Required for: std::sort, std::max, std::min, std::clamp
#include <array>     // Required for: std::array
#include <cassert>   // Required for: assert
#include <cmath>     // Required for: std::sqrt, std::floor

using Velk::Vector3;
using TreeMeshLayout::FLOATS_PER_VERTEX;

namespace {

// How much of the area of the leaves left out each kept leaf takes on: all
// of it. Leaves fall at random over the crown, so the share of sky they
// cover depends on their total area, not on their number; the offscreen
// test of covered pixels holds within a few per cent with this.
constexpr double LEAF_GROWTH = 1.0;

// A coordinate-frame marker is three arrows of four vertices, its tip first.
constexpr std::size_t ARROW_VERTICES = 4;
static_assert(3 * ARROW_VERTICES == TreeMeshLayout::VERTICES_PER_FRAME);

// Calls `visit(stem, wind)` for every stem, depth first, children in list
// order: the order of every mesh pass.
template <class Visit> void walkStems(const Stem& stem, const TreeWind::StemWind& wind, Visit& visit) {
    visit(stem, wind);
    for (std::size_t i = 0; i < stem.children.size(); ++i) {
        const Stem& child = *stem.children[i];
        walkStems(child, TreeWind::childWind(wind, child, i, stem.parent == nullptr), visit);
    }
}

// Appends the wind floats of one vertex.
void pushWind(std::vector<float>& out, const std::array<float, 4>& w) { out.insert(out.end(), w.begin(), w.end()); }

// The reciprocal of the tree's height, which scales the trunk's sway.
float inverseHeightOf(const Tree& tree) { return tree.extent.y > 0.0f ? 1.0f / tree.extent.y : 0.0f; }

// The number of bark vertices in the full mesh.
std::size_t barkVertexCount(const Stem& stem) {
    std::size_t count = 0;
    for (const StemRing& ring : stem.rings) count += ring.count;
    for (const auto& child : stem.children) count += barkVertexCount(*child);
    return count;
}

// How a reduced level treats the bark of one stem.
struct StemDetail {
    bool drawn = true;
    std::size_t sideStride = 1; // every sideStride-th ring vertex
    float tolerance = 0.0f;     // how far the spine may move when rings are left out
};

// The radius below which stems lose their bark at `keep`: the thinnest
// stems, more of them the coarser the level (none at full detail).
float dropRadius(const Tree& tree, double keep) {
    std::vector<float> radii;
    const auto collect = [&](const Stem& stem, const TreeWind::StemWind&) {
        if (stem.parent != nullptr) radii.push_back(stem.radius);
    };
    walkStems(*tree.trunk, TreeWind::trunkWind(), collect);
    if (radii.empty() || keep >= 1.0) return 0.0f;
    std::sort(radii.begin(), radii.end());
    const double dropped = 1.0 - std::sqrt(keep);
    const std::size_t rank = std::min(radii.size() - 1, std::size_t(dropped * double(radii.size())));
    return rank == 0 ? 0.0f : radii[rank];
}

// The detail of one stem's bark at `keep`. The trunk keeps its sides
// longest; branches are thin and lose sides first. Rings go where the spine
// is nearly straight: the tolerance is a small share of the tree's height,
// which stays a pixel or two at the distance a level is drawn from.
StemDetail stemDetail(const Stem& stem, double keep, float drop, float treeHeight) {
    StemDetail d;
    d.tolerance = static_cast<float>(0.002 / keep) * treeHeight;
    if (stem.parent == nullptr) {
        d.sideStride = keep >= 0.25 ? 1 : 2;
        return d;
    }
    d.drawn = stem.radius >= drop;
    d.sideStride = keep >= 0.5 ? 2 : 4;
    return d;
}

// The centre of one ring and its mean radius.
struct RingShape {
    Vector3 centre;
    float radius = 0.0f;
};

RingShape ringShape(const Stem& stem, std::size_t r) {
    const std::span<const Vector3> ring = stem.ringVertices(stem.rings[r]);
    RingShape shape{Vector3{0.0f, 0.0f, 0.0f}, 0.0f};
    if (ring.empty()) return shape;
    for (const Vector3& p : ring) shape.centre = shape.centre + p;
    shape.centre = shape.centre * (1.0f / static_cast<float>(ring.size()));
    for (const Vector3& p : ring) shape.radius += (p - shape.centre).length();
    shape.radius /= static_cast<float>(ring.size());
    return shape;
}

// Whether the band between rings `a` and `b` passes close enough to ring
// `i`: its centre within `tolerance` of their chord, and the band's radius
// there within a fifth of the ring's own, so that thin stems keep their
// width as well as thick ones.
bool bandPassesClose(const RingShape& i, const RingShape& a, const RingShape& b, float tolerance) {
    const Vector3 ab = b.centre - a.centre;
    const float lengthSquared = ab.dotProduct(ab);
    const float t =
        lengthSquared > 0.0f ? std::clamp((i.centre - a.centre).dotProduct(ab) / lengthSquared, 0.0f, 1.0f) : 0.0f;
    const float offSpine = (i.centre - (a.centre + ab * t)).length();
    const float offRadius = std::abs(i.radius - (a.radius + (b.radius - a.radius) * t));
    return offSpine <= tolerance && offRadius <= 0.2f * i.radius;
}

// The rings kept: the first and the last, and every ring without which the
// band between its kept neighbours would leave the stem's surface by more
// than `tolerance`: where the spine bends, and where the radius does not
// change evenly (the flare at a trunk's foot, a taper that is not linear).
std::vector<std::size_t> keptRings(const Stem& stem, float tolerance) {
    const std::size_t count = stem.rings.size();
    std::vector<std::size_t> kept;
    if (count == 0) return kept;
    std::vector<RingShape> shapes(count);
    for (std::size_t r = 0; r < count; ++r) shapes[r] = ringShape(stem, r);
    kept.push_back(0);
    for (std::size_t r = 1; r + 1 < count; ++r) {
        // Can the band from the last kept ring reach ring r + 1 over ring r?
        bool close = true;
        for (std::size_t i = kept.back() + 1; i <= r && close; ++i)
            close = bandPassesClose(shapes[i], shapes[kept.back()], shapes[r + 1], tolerance);
        if (!close) kept.push_back(r);
    }
    if (count > 1) kept.push_back(count - 1);
    return kept;
}

// The k-th of `kept` items picked evenly from `n`, starting with the first.
std::size_t pick(std::size_t k, std::size_t kept, std::size_t n) { return k * n / kept; }

// Whether item i of an even thinning to the share `keep` stays.
bool keptItem(std::size_t i, double keep) { return std::floor(double(i + 1) * keep) != std::floor(double(i) * keep); }

// Writes one vertex of the level.
void pushVertex(TreeLod& lod, const Vector3& p, const Vector3& n, float u, float v, uint32_t colour) {
    const float values[FLOATS_PER_VERTEX] = {p.x, p.y, p.z, n.x, n.y, n.z, u, v};
    lod.geometry.insert(lod.geometry.end(), values, values + FLOATS_PER_VERTEX);
    lod.colours.push_back(colour);
}

// The bark of one stem with every stride-th ring vertex (at least three) on
// the rings kept.
void pushStemBark(TreeLod& lod, const Stem& stem, const StemDetail& detail, const TreeWind::StemWind& wind,
                  float inverseHeight) {
    const std::size_t ringCount = stem.rings.size();
    const std::size_t stride = detail.sideStride;
    std::size_t lastSize = 0;
    const std::vector<std::size_t> rings = keptRings(stem, detail.tolerance);
    for (std::size_t k = 0; k < rings.size(); ++k) {
        const std::size_t r = rings[k];
        const std::span<const Vector3> ring = stem.ringVertices(stem.rings[r]);
        const std::size_t n = ring.size();
        const std::size_t kept = n <= 3 ? n : std::max<std::size_t>(3, n / stride);
        const uint32_t first = uint32_t(lod.colours.size());
        // The same texture mapping as the full bark, at the kept vertices.
        const float v = static_cast<float>(2 * r) / static_cast<float>(ringCount);
        for (std::size_t j = 0; j < kept; ++j) {
            const std::size_t i = pick(j, kept, n);
            const Vector3& p = ring[i];
            const Vector3& prev = ring[pick((j + kept - 1) % kept, kept, n)];
            const Vector3& next = ring[pick((j + 1) % kept, kept, n)];
            Vector3 normal = p * 2.0f - prev - next;
            normal.normalise();
            pushVertex(lod, p, normal, static_cast<float>(2 * i) / static_cast<float>(n), v,
                       TreeMeshLayout::BARK_COLOUR);
            pushWind(lod.wind, TreeWind::windAt(wind, p, inverseHeight, 0.0f));
        }
        // Bands join rings of equal size: a stem's rings all have its side count.
        if (k > 0 && lastSize == kept) {
            const uint32_t lower = first - uint32_t(kept);
            for (uint32_t j = 0; j < kept; ++j) {
                const uint32_t jn = j + 1 == kept ? 0 : j + 1;
                lod.barkIndices.insert(lod.barkIndices.end(), {lower + jn, lower + j, first + j});
                lod.barkIndices.insert(lod.barkIndices.end(), {lower + jn, first + j, first + jn});
            }
        }
        lastSize = kept;
    }
}

// Simplifies the bark triangles towards `targetIndices`, when they are over.
// Stems are open tubes, so their end rings are borders that the careful
// simplifier keeps; where that leaves the bark over, the sloppy one merges
// vertices regardless.
void simplifyBark(TreeLod& lod, std::size_t targetIndices) {
    if (lod.barkIndices.size() <= targetIndices) return;
    std::vector<uint32_t> out(lod.barkIndices.size());
    const std::size_t vertices = lod.colours.size();
    const std::size_t stride = FLOATS_PER_VERTEX * sizeof(float);
    std::size_t count = meshopt_simplify(out.data(), lod.barkIndices.data(), lod.barkIndices.size(),
                                         lod.geometry.data(), vertices, stride, targetIndices, 0.02f);
    if (count > targetIndices) {
        std::vector<uint32_t> sloppy(count);
        count = meshopt_simplifySloppy(sloppy.data(), out.data(), count, lod.geometry.data(), vertices, stride,
                                       targetIndices, 0.05f);
        std::copy(sloppy.begin(), sloppy.begin() + std::ptrdiff_t(count), out.begin());
    }
    out.resize(count);
    lod.barkIndices = std::move(out);
}

} // namespace

TreeLod fullTreeLod(const Tree& tree, const TreeMeshArrays& full) {
    TreeLod lod;
    const std::size_t n = full.vertexCount;
    lod.geometry.assign(full.geometry, full.geometry + n * FLOATS_PER_VERTEX);
    lod.colours.assign(full.colours, full.colours + n);
    lod.barkIndices.assign(full.barkIndices, full.barkIndices + full.barkIndexCount);
    lod.leafIndices.assign(full.leafIndices, full.leafIndices + full.leafIndexCount);
    lod.markerIndices.assign(full.markerIndices, full.markerIndices + full.markerIndexCount);
    lod.wind.reserve(n * TreeWind::FLOATS_PER_VERTEX);

    // The parts in the order the builder writes them: all bark, all leaves,
    // all markers, each walking the stems in the same order.
    const float inverseHeight = inverseHeightOf(tree);
    const auto position = [&](std::size_t v) {
        const float* g = full.geometry + v * FLOATS_PER_VERTEX;
        return Vector3{g[0], g[1], g[2]};
    };
    std::size_t vertex = 0;
    const auto bark = [&](const Stem& stem, const TreeWind::StemWind& wind) {
        for (const StemRing& ring : stem.rings)
            for (uint32_t i = 0; i < ring.count; ++i)
                pushWind(lod.wind, TreeWind::windAt(wind, position(vertex++), inverseHeight, 0.0f));
    };
    const auto leaves = [&](const Stem& stem, const TreeWind::StemWind& wind) {
        for (std::size_t l = 0; l < stem.leaves.size(); ++l)
            for (std::size_t j = 0; j < 4; ++j)
                pushWind(lod.wind, TreeWind::windAt(wind, position(vertex++), inverseHeight, kLeafOutline[j].y));
    };
    const auto markers = [&](const Stem& stem, const TreeWind::StemWind& wind) {
        for (std::size_t m = 0; m < stem.rings.size() * TreeMeshLayout::VERTICES_PER_FRAME; ++m)
            pushWind(lod.wind, TreeWind::windAt(wind, position(vertex++), inverseHeight, 0.0f));
    };
    walkStems(*tree.trunk, TreeWind::trunkWind(), bark);
    if (full.leafIndexCount > 0) walkStems(*tree.trunk, TreeWind::trunkWind(), leaves);
    if (full.markerIndexCount > 0) walkStems(*tree.trunk, TreeWind::trunkWind(), markers);
    assert(vertex == n);
    return lod;
}

TreeLod reducedTreeLod(const Tree& tree, const TreeMeshArrays& full, double keep) {
    TreeLod lod;
    const float inverseHeight = inverseHeightOf(tree);
    const float drop = dropRadius(tree, keep);

    const auto bark = [&](const Stem& stem, const TreeWind::StemWind& wind) {
        const StemDetail d = stemDetail(stem, keep, drop, tree.extent.y);
        if (d.drawn) pushStemBark(lod, stem, d, wind, inverseHeight);
    };
    walkStems(*tree.trunk, TreeWind::trunkWind(), bark);
    simplifyBark(lod, 3 * std::size_t(double(full.barkIndexCount / 3) * keep));

    // Leaf i keeps its colour, texture quarter and normal from the full
    // mesh; the leaves kept are spread evenly over the traversal, so every
    // branch thins alike.
    if (full.leafIndexCount > 0) {
        const std::size_t firstLeafVertex = barkVertexCount(*tree.trunk);
        const float growth = static_cast<float>(std::sqrt(1.0 / keep) * LEAF_GROWTH);
        std::size_t leafNumber = 0;
        const auto leaves = [&](const Stem& stem, const TreeWind::StemWind& wind) {
            for (const Leaf& leaf : stem.leaves) {
                const std::size_t i = leafNumber++;
                if (!keptItem(i, keep)) continue;
                const Vector3 centre = (leaf.corners[0] + leaf.corners[1] + leaf.corners[2] + leaf.corners[3]) * 0.25f;
                const uint32_t first = uint32_t(lod.colours.size());
                for (std::size_t j = 0; j < 4; ++j) {
                    const std::size_t source = firstLeafVertex + 4 * i + j;
                    const float* g = full.geometry + source * FLOATS_PER_VERTEX;
                    const Vector3 p = centre + (leaf.corners[j] - centre) * growth;
                    pushVertex(lod, p, {g[3], g[4], g[5]}, g[6], g[7], full.colours[source]);
                    pushWind(lod.wind, TreeWind::windAt(wind, p, inverseHeight, kLeafOutline[j].y));
                }
                lod.leafIndices.insert(lod.leafIndices.end(), {first, first + 1, first + 2, first, first + 2, first + 3});
            }
        };
        walkStems(*tree.trunk, TreeWind::trunkWind(), leaves);
    }

    // The simple species' coordinate-frame markers thin out like the leaves.
    // They are thin arrows, seen by their length rather than their area: each
    // kept arrow grows longer by the share left out, its tip moving away from
    // its base while its base keeps its width.
    if (full.markerIndexCount > 0) {
        const std::size_t firstMarkerVertex =
            full.vertexCount -
            full.markerIndexCount / TreeMeshLayout::INDICES_PER_FRAME * TreeMeshLayout::VERTICES_PER_FRAME;
        const float growth = static_cast<float>(1.0 / keep);
        std::size_t markerNumber = 0;
        const auto markers = [&](const Stem& stem, const TreeWind::StemWind& wind) {
            for (std::size_t r = 0; r < stem.rings.size(); ++r) {
                const std::size_t m = markerNumber++;
                if (!keptItem(m, keep)) continue;
                const Vector3 base = stem.points[r].end();
                const uint32_t first = uint32_t(lod.colours.size());
                for (std::size_t j = 0; j < TreeMeshLayout::VERTICES_PER_FRAME; ++j) {
                    const std::size_t source = firstMarkerVertex + TreeMeshLayout::VERTICES_PER_FRAME * m + j;
                    const float* g = full.geometry + source * FLOATS_PER_VERTEX;
                    const bool tip = j % ARROW_VERTICES == 0;
                    const Vector3 p = tip ? base + (Vector3{g[0], g[1], g[2]} - base) * growth : Vector3{g[0], g[1], g[2]};
                    pushVertex(lod, p, {g[3], g[4], g[5]}, g[6], g[7], full.colours[source]);
                    pushWind(lod.wind, TreeWind::windAt(wind, p, inverseHeight, 0.0f));
                }
                // The marker's triangles as the full mesh has them, moved to the new vertices.
                const uint32_t* indices = full.markerIndices + TreeMeshLayout::INDICES_PER_FRAME * m;
                const uint32_t source = indices[0];
                for (std::size_t k = 0; k < TreeMeshLayout::INDICES_PER_FRAME; ++k)
                    lod.markerIndices.push_back(first + (indices[k] - source));
            }
        };
        walkStems(*tree.trunk, TreeWind::trunkWind(), markers);
    }
    return lod;
}

void optimiseTreeLod(TreeLod& lod) {
    const std::size_t n = lod.vertexCount();
    for (std::vector<uint32_t>* part : {&lod.barkIndices, &lod.leafIndices, &lod.markerIndices})
        if (!part->empty()) meshopt_optimizeVertexCache(part->data(), part->data(), part->size(), n);

    // One remap over the parts in order keeps bark vertices before leaf
    // vertices before marker vertices, as in the full mesh.
    std::vector<uint32_t> all;
    all.reserve(lod.barkIndices.size() + lod.leafIndices.size() + lod.markerIndices.size());
    for (const std::vector<uint32_t>* part : {&lod.barkIndices, &lod.leafIndices, &lod.markerIndices})
        all.insert(all.end(), part->begin(), part->end());
    std::vector<uint32_t> remap(n);
    const std::size_t used = meshopt_optimizeVertexFetchRemap(remap.data(), all.data(), all.size(), n);

    std::vector<float> geometry(used * FLOATS_PER_VERTEX);
    meshopt_remapVertexBuffer(geometry.data(), lod.geometry.data(), n, FLOATS_PER_VERTEX * sizeof(float), remap.data());
    std::vector<uint32_t> colours(used);
    meshopt_remapVertexBuffer(colours.data(), lod.colours.data(), n, sizeof(uint32_t), remap.data());
    std::vector<float> wind(used * TreeWind::FLOATS_PER_VERTEX);
    meshopt_remapVertexBuffer(wind.data(), lod.wind.data(), n, TreeWind::FLOATS_PER_VERTEX * sizeof(float),
                              remap.data());
    lod.geometry = std::move(geometry);
    lod.colours = std::move(colours);
    lod.wind = std::move(wind);
    for (std::vector<uint32_t>* part : {&lod.barkIndices, &lod.leafIndices, &lod.markerIndices})
        if (!part->empty()) meshopt_remapIndexBuffer(part->data(), part->data(), part->size(), remap.data());
}
