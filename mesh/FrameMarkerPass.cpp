// Coordinate-frame markers: at every stem point three small arrows along the
// local axes of its segment, so a viewer can see how each segment turned.
#include "Stem.h"

#include "FrameMarkers.h"
#include "MeshLayout.h"
#include "VertexWriter.h"

#include <cstddef> // Required for: std::size_t

#if defined(__SSE2__)
#include "FloatLanes.h"
#include "FourNormals.h"
#include "LaneMath.h"
#endif

using Velk::Vector3;

#if defined(__SSE2__)
namespace {

// Four consecutive vectors of a marker table, one register per component.
template <std::size_t N>
LaneVector<FloatLanes> lanesOf(const std::array<Vector3, N>& table, std::size_t first) {
    const auto lane = [&](float Vector3::*component) {
        return FloatLanes(_mm_setr_ps(table[first].*component, table[first + 1].*component,
                                      table[first + 2].*component, table[first + 3].*component));
    };
    return {lane(&Vector3::x), lane(&Vector3::y), lane(&Vector3::z)};
}

} // namespace
#endif

void Stem::writeFrameVertices(float*& floats, uint32_t*& colours) const {
    for (std::size_t r = 0; r < rings.size(); ++r) {
        const StemPoint& point = points[r];
#if defined(__SSE2__)
        // Four of the marker's vertices at a time, each lane with the
        // arithmetic of one vertex: the bits of the scalar form below.
        static_assert(TreeMeshLayout::VERTICES_PER_FRAME % FloatLanes::COUNT == 0);
        const LaneQuaternion<FloatLanes> q = quaternionLanes<FloatLanes>(point.orientation);
        const LaneVector<FloatLanes> at = vectorLanes<FloatLanes>(point.position);
        const LaneVector<FloatLanes> segment = vectorLanes<FloatLanes>(point.segment);
        const FloatLanes half(0.5f);
        for (std::size_t j = 0; j < TreeMeshLayout::VERTICES_PER_FRAME; j += FloatLanes::COUNT) {
            const LaneVector<FloatLanes> marker = lanesOf(frameMarkerPoints, j);
            const LaneVector<FloatLanes> position = at + q * (marker * half + segment);
            const LaneVector<FloatLanes> turned = q * lanesOf(frameMarkerNormals, j);
            __m128 nx = turned.x.v, ny = turned.y.v, nz = turned.z.v;
            normaliseFour(nx, ny, nz);
            alignas(16) float px[4], py[4], pz[4], x[4], y[4], z[4];
            _mm_store_ps(px, position.x.v), _mm_store_ps(py, position.y.v), _mm_store_ps(pz, position.z.v);
            _mm_store_ps(x, nx), _mm_store_ps(y, ny), _mm_store_ps(z, nz);
            for (std::size_t lane = 0; lane < 4; ++lane)
                writeVertex(floats, colours, {px[lane], py[lane], pz[lane]}, {x[lane], y[lane], z[lane]}, 0.0f,
                            0.0f, frameMarkerColours[j + lane]);
        }
#else
        for (std::size_t j = 0; j < TreeMeshLayout::VERTICES_PER_FRAME; ++j) {
            // At the segment's end, the centre of the point's ring.
            const Vector3 local = frameMarkerPoints[j] * 0.5f + point.segment;
            const Vector3 position = point.position + point.orientation * local;
            Vector3 normal = point.orientation * frameMarkerNormals[j];
            normal.normalise();
            writeVertex(floats, colours, position, normal, 0.0f, 0.0f, frameMarkerColours[j]);
        }
#endif
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
