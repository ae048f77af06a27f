#pragma once

#include "TreeLod.h"

#include <cstddef>  // Required for: std::size_t
#include <optional> // Required for: std::optional
#include <vector>   // Required for: std::vector

// The most reduced levels a chain has: beyond six halvings a tree is a
// handful of leaves.
inline constexpr std::size_t MAX_TREE_LODS = 6;

// Each level has at most this share of the triangles of the one before.
inline constexpr double LOD_TRIANGLE_RATIO = 0.55;

// The full level and `reduced` levels after it (1..MAX_TREE_LODS), each
// with about half the triangles of the one before, every one ordered for
// the vertex cache and vertex fetch. Draws nothing from the random generator.
std::vector<TreeLod> buildTreeLods(const Tree& tree, const TreeMeshArrays& full, std::size_t reduced);

// The screen coverage from which level `level` of `levels` is used: while
// the tree's projected height is at least this share of the view's height,
// that level or a finer one is drawn. Decreasing with the level; 0 for the
// last level, which is never culled, however small the tree.
double lodScreenCoverage(std::size_t level, std::size_t levels);

// The tree reduced until it has at most `maxTriangles` triangles (the full
// level when it already fits), ordered like the levels. Nothing when even
// the coarsest reduction is larger; `smallest` then says its size.
std::optional<TreeLod> fitTriangleBudget(const Tree& tree, const TreeMeshArrays& full, std::size_t maxTriangles,
                                         std::size_t& smallest);
