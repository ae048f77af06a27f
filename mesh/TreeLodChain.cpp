// Chains of levels of detail and the reduction that fits a triangle budget.
#include "TreeLodChain.h"

#include <cassert> // Required for: assert
#include <cmath>   // Required for: std::pow

namespace {

// The coarsest reduction: one leaf in 256 (each 16 times as wide).
constexpr double MIN_KEEP = 1.0 / 256.0;

// A level's share of the full tree's triangles aimed at, a little under a
// halving per level so that rounding never takes a level over the ratio.
double keepOfLevel(std::size_t level) { return std::pow(0.5, double(level)) * 0.97; }

std::size_t fullTriangles(const TreeMeshArrays& full) {
    return (full.barkIndexCount + full.leafIndexCount + full.markerIndexCount) / 3;
}

} // namespace

std::vector<TreeLod> buildTreeLods(const Tree& tree, const TreeMeshArrays& full, std::size_t reduced) {
    std::vector<TreeLod> levels;
    levels.push_back(fullTreeLod(tree, full));
    for (std::size_t level = 1; level <= reduced; ++level) {
        // Stems and leaves round to whole items: a level still over its
        // share is made again a little coarser.
        double keep = keepOfLevel(level);
        TreeLod lod = reducedTreeLod(tree, full, keep);
        const double limit = LOD_TRIANGLE_RATIO * double(levels.back().triangleCount());
        for (int attempt = 0; attempt < 8 && double(lod.triangleCount()) > limit && keep > MIN_KEEP; ++attempt) {
            keep *= 0.8;
            lod = reducedTreeLod(tree, full, keep);
        }
        assert(double(lod.triangleCount()) <= limit || lod.triangleCount() == 0);
        levels.push_back(std::move(lod));
    }
    for (TreeLod& lod : levels) optimiseTreeLod(lod);
    return levels;
}

double lodScreenCoverage(std::size_t level, std::size_t levels) {
    return level + 1 >= levels ? 0.0 : 0.5 * std::pow(0.7, double(level));
}

std::optional<TreeLod> fitTriangleBudget(const Tree& tree, const TreeMeshArrays& full, std::size_t maxTriangles,
                                         std::size_t& smallest) {
    if (fullTriangles(full) <= maxTriangles) {
        TreeLod lod = fullTreeLod(tree, full);
        optimiseTreeLod(lod);
        return lod;
    }
    TreeLod coarsest = reducedTreeLod(tree, full, MIN_KEEP);
    smallest = coarsest.triangleCount();
    if (smallest > maxTriangles) return std::nullopt;
    // The largest share that fits, by bisection: triangles grow with the
    // share kept. `low` always fits.
    double low = MIN_KEEP, high = 1.0;
    TreeLod best = std::move(coarsest);
    for (int step = 0; step < 14; ++step) {
        const double middle = 0.5 * (low + high);
        TreeLod lod = reducedTreeLod(tree, full, middle);
        if (lod.triangleCount() <= maxTriangles) {
            low = middle;
            best = std::move(lod);
        } else {
            high = middle;
        }
    }
    optimiseTreeLod(best);
    return best;
}
