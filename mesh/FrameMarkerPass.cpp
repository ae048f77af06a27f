// Coordinate-frame markers: at every stem point three small arrows along the
// local axes of its segment, so a viewer can see how each segment turned.
#include "Stem.h"

#include "FrameMarkers.h"
#include "MeshLayout.h"
#include "VertexWriter.h"

#include <cstddef> // Required for: std::size_t

using Velk::Vector3;

void Stem::writeFrameVertices(float*& floats, uint32_t*& colours) const {
    for (std::size_t r = 0; r < rings.size(); ++r) {
        const StemPoint& point = points[r];
        for (std::size_t j = 0; j < TreeMeshLayout::VERTICES_PER_FRAME; ++j) {
            // At the segment's end, the centre of the point's ring.
            const Vector3 local = frameMarkerPoints[j] * 0.5f + point.segment;
            const Vector3 position = point.position + point.orientation * local;
            Vector3 normal = point.orientation * frameMarkerNormals[j];
            normal.normalise();
            writeVertex(floats, colours, position, normal, 0.0f, 0.0f, frameMarkerColours[j]);
        }
    }
    for (const auto& child : children) child->writeFrameVertices(floats, colours);
}

void Stem::writeFrameIndices(uint32_t*& indices, uint32_t& base) const {
    for (std::size_t r = 0; r < rings.size(); ++r) {
        for (const uint32_t offset : frameMarkerTriangles) *indices++ = base + offset;
        base += TreeMeshLayout::VERTICES_PER_FRAME;
    }
    for (const auto& child : children) child->writeFrameIndices(indices, base);
}
