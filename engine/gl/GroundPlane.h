#pragma once

#include <vector> // Required for: std::vector

namespace Velk::GL {

// The ground's disc as the renderer draws it: vertices of 12 floats
// (position 3, normal 3, texture coordinates 2, colour 4) and a triangle list.
struct GroundGeometry {
    static constexpr int FLOATS_PER_VERTEX = 12;
    static constexpr int ALPHA = 11; // the colour's alpha, within a vertex
    std::vector<float> vertices;
    std::vector<unsigned int> indices;
    // The first indices draw the opaque middle (alpha 1 at every corner);
    // the rest fades out.
    std::size_t opaqueIndexCount = 0;
};

// A disc of `radius` at `height`, facing up, in rings round the centre.
// Texture coordinates are the ground position over `tileSize`, so the
// texture repeats. The colour is white; its alpha is 1 out to 35 % of the
// radius and falls smoothly to 0 at the rim, so that the ground fades into
// what lies behind it. The opaque middle comes first in the indices.
GroundGeometry makeGroundGeometry(float radius, float height, float tileSize);

} // namespace Velk::GL
