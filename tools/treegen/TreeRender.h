#pragma once

#include "Tree.h"
#include "TreeParameters.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint32_t, int32_t, uint64_t
#include <string>  // Required for: std::string

// How `treegen render` looks at the tree.
struct RenderView {
    unsigned width = 1024;   // pixels
    unsigned height = 768;
    float azimuth = 0.0f;    // degrees round the vertical, from +X towards +Z
    float elevation = 30.0f; // degrees above the horizontal
    float distance = 0.0f;   // orbit radius; 0: the distance that shows the whole tree
    bool ground = true;      // grass ground and shadows
    int fsaa = -1;           // samples per pixel (0, 2, 4, 8); -1: the machine's default
    std::size_t lod = 0;     // level of detail shown: 0 the full tree, 1.. a reduced level
    std::size_t maxTriangles = 0; // when not 0: the tree reduced to at most this many triangles
    float screenCoverage = 0.0f; // when above 0: the distance at which the tree is this share of the image height
};

// Renders the tree of a species and seed offscreen in the demonstration's
// scene (sky box, sun, materials, ground and shadow, orbit camera framing the
// whole tree unless a distance is given) and writes a PNG to `path`
// with the media found in `mediaDir`. Writes the file whole or not at all;
// throws std::runtime_error saying what failed.
// `params`, when given, replaces the preset's parameters; a tree over
// `maxVertices` throws TreeTooLarge before anything is grown or drawn.
// `leafTexture`, when given, is the absolute path of the leaf atlas to use.
double renderTree(uint32_t species, int32_t seed, const std::string& path, const RenderView& view,
                  const std::string& mediaDir, const TreeParameters* params = nullptr,
                  uint64_t maxVertices = Tree::DEFAULT_VERTEX_BUDGET, const std::string& leafTexture = "");
