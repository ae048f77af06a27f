// Growth of one stem: its spine of bending segments with a cross-section
// ring round the end of each, then the hand-over to its children or leaves.
#include "Stem.h"

#include "FloatLanes.h"
#include "LaneMath.h"
#include "Random.h"
#include "Tree.h"
#include "math/Math.h"

#include <algorithm> // Required for: std::clamp
#include <cmath>     // Required for: std::acos, std::sin, std::cos

#if defined(__SSE2__)
#include <emmintrin.h> // Required for: _mm_mul_pd, _mm_cvtpd_ps, _mm_store_ps
#endif

using Velk::Math;
using Velk::Quaternion;
using Velk::Vector3;

namespace {

// Each stem point adds a ring, and on the Simple species a frame marker.
void countRing(const TreeParameters& p, GrowthShare& share, int32_t sides, bool withTriangles) {
    share.vertexCount += sides;
    if (withTriangles) share.stemTriangleCount += 2 * sides;
    if (hasFrameMarkers(p)) {
        share.vertexCount += Tree::FRAME_VERTICES;
        share.frameCount += 1;
    }
}

// The spine points of a stem of `level`: the base, eight flare points on
// the trunk, then one per segment.
size_t pointCountOf(const TreeParameters& p, uint8_t level) {
    return 1 + static_cast<size_t>(std::max(p.curveRes[level], 0)) + (level == 0 ? 8 : 0);
}

// Reserves a stem's spine lists at the sizes growSpine fills them to; once
// reserved (as growth shared between threads does beforehand), again costs
// nothing.
void reserveSpine(Stem& stem, const TreeParameters& p, uint8_t level) {
    const size_t pointCount = pointCountOf(p, level);
    stem.points.reserve(pointCount);
    stem.rings.reserve(pointCount);
    stem.ringVertexStore.reserve(pointCount * static_cast<size_t>(std::max(p.ringVertices[level], 0)));
}

// Appends a spine point whose segment runs `segmentLength` along its local
// +Y. Written field by field into the list: a whole point built on the stack
// and copied in would be read back in pieces wider than its stores, a stall
// on every segment.
StemPoint& appendPoint(std::pmr::vector<StemPoint>& points, const Quaternion& orientation, float segmentLength,
                       const Vector3& position) {
    StemPoint& point = points.emplace_back();
    point.orientation = orientation;
    point.segment.y = segmentLength;
    point.position = position;
    return point;
}

} // namespace

void Stem::grow(const StemPoint& startFrame, float radius_, uint8_t level, GrowthShare& share) {
    growSpine(startFrame, radius_, level, share);
    const TreeParameters& p = *tree->params;
    if (level + 1 < p.levels)
        growChildren(level, share);
    else if (level + 1 == p.levels && tree->leafCount != 0)
        addLeaves(level, share);
}

void Stem::growSpine(const StemPoint& startFrame, float radius_, uint8_t level, GrowthShare& share) {
    const TreeParameters& p = *tree->params;
    const int32_t n = p.curveRes[level];
    const int32_t sides = p.ringVertices[level];

    radius = radius_;
    // Kept in a local: read back from the stem, the base would again be
    // loaded wider than it was stored.
    Vector3 P = startFrame.position + startFrame.orientation * startFrame.segment;
    position = P;

    reserveSpine(*this, p, level);

    addRing(appendPoint(points, startFrame.orientation, 0.0f, P), radiusAt(level, 0.0f, length, radius), sides,
            share);
    countRing(p, share, sides, false);

    double flareHeight = 0.0;
    if (level == 0) {
        // Eight short straight segments give the flared base its fine rings.
        const double subLength = double(length) / (10.0 * n);
        double z = 0.0;
        for (int step = 0; step < 8; ++step) {
            z += subLength;
            const float r = length == 0.0f
                                ? 0.0f
                                : radiusAt(0, static_cast<float>(z / length), length, radius);
            const Quaternion orientation = points.back().orientation;
            const StemPoint& point = appendPoint(points, orientation, static_cast<float>(subLength), P);
            addRing(point, r, sides, share);
            countRing(p, share, sides, true);
            P = point.end();
        }
        flareHeight = P.y;
    }

    if (n > 0) {
        const float curve = p.curve[level];
        const float curveBack = p.curveBack[level];
        const float curveV = p.curveV[level];
        const double segLength = (double(length) - flareHeight) / n;
        double z = 0.0;
        for (int32_t i = 0; i < n; ++i) {
            double angle;
            if (curveBack == 0.0f)
                angle = double(curve) / n;
            else if (n / (i + 1) >= 2)
                angle = 2.0 * curveBack / n; // the lower half bends by curveBack
            else
                angle = 2.0 * curve / n;
            angle += randVar(static_cast<float>(double(curveV) / n));
            angle *= Math::fDeg2Rad;

            const Quaternion q = points.back().orientation;
            if (level >= 2) {
                // Pull towards the vertical, stronger the further the stem leans.
                const double dirY = (q * Vector3::UNIT_Y).y;
                const double sideY = (q * Vector3::UNIT_Z).y;
                // Rounding can carry a rotated unit component just past 1.
                angle += std::acos(std::clamp(dirY, -1.0, 1.0)) * p.attractionUp * sideY / n;
            }
            const Quaternion orientation =
                q * Quaternion::FromAngleAxis(static_cast<float>(angle), Vector3::UNIT_X);
            const StemPoint& point = appendPoint(points, orientation, static_cast<float>(segLength), P);

            z += double(length) / n;
            const float r = z == 0.0 ? 0.0f
                                     : radiusAt(level, static_cast<float>(z / length), length, radius);
            addRing(point, r, sides, share);
            countRing(p, share, sides, true);
            P = point.end();
        }
    }
}

uint64_t Stem::growthSteps(uint8_t level) const {
    const TreeParameters& p = *tree->params;
    // The draws of grow() and what it calls, in the same cases.
    const int32_t n = p.curveRes[level];
    uint64_t steps = n > 0 ? uint64_t(n) * randVarSteps(static_cast<float>(double(p.curveV[level]) / n)) : 0;
    if (level + 1 < p.levels) {
        steps += randVarSteps(Math::PI); // the spiral's start, drawn even without children
        const uint8_t c = static_cast<uint8_t>(level + 1);
        const uint64_t perChild = (p.downAngleV[c] >= 0.0f ? randVarSteps(p.downAngleV[c]) : 0) +
                                  randVarSteps(p.rotateV[c]) + randVarSteps(p.lengthV[c]);
        for (const StemPtr& child : children) steps += perChild + child->growthSteps(c);
    } else if (level + 1 == p.levels && tree->leafCount != 0) {
        steps += randVarSteps(Math::PI);
        const int32_t count = leavesToGrow();
        if (count > 0) {
            const uint64_t perLeaf = randVarSteps(p.rotateV[level]) +
                                     (p.downAngleV[level] >= 0.0f ? randVarSteps(p.downAngleV[level]) : 0);
            steps += uint64_t(count) * perLeaf;
        }
    }
    return steps;
}

void Stem::reserveGrowth(uint8_t level) {
    const TreeParameters& p = *tree->params;
    reserveSpine(*this, p, level);
    if (level + 1 < p.levels) {
        for (const StemPtr& child : children) child->reserveGrowth(static_cast<uint8_t>(level + 1));
    } else if (level + 1 == p.levels && tree->leafCount != 0) {
        const int32_t count = leavesToGrow();
        if (count > 0) leaves.reserve(leaves.size() + static_cast<size_t>(count));
    }
}

void Stem::addRing(const StemPoint& point, float radius_, int32_t sides, GrowthShare& share) {
    StemRing ring{static_cast<uint32_t>(ringVertexStore.size()), 0};
    const double r = radius_ == 0.0f ? 0.0001 : double(radius_);
    const Tree::RingProfile& profile = tree->ringProfile(sides);
    // Kept here while the ring is written: through the share, every store
    // into the ring would make the compiler load it again.
    Vector3 extent = share.extent;
    const auto add = [&](const Vector3& v) {
        ringVertexStore.push_back(v);
        extent.x = std::max(extent.x, v.x);
        extent.y = std::max(extent.y, v.y);
        extent.z = std::max(extent.z, v.z);
    };
    // Vertex k lies r * lobeFactor * cosine along the segment's local +X and
    // r * lobeFactor * sine along +Z (lobes on every level), products in
    // double rounded to float.
#if defined(__SSE2__)
    // Four vertices at a time, each lane with the arithmetic of one vertex.
    // The offsets are worked out two lanes per double vector, which rounds
    // as one at a time does; built in registers, since four float stores
    // read back as one vector would wait for each store to reach the cache.
    // The profile is padded with zeros to whole groups of four, so the last
    // group needs no tail.
    const LaneQuaternion<FloatLanes> q = quaternionLanes<FloatLanes>(point.orientation);
    const LaneVector<FloatLanes> at = vectorLanes<FloatLanes>(point.position);
    const FloatLanes segmentX(point.segment.x), segmentZ(point.segment.z);
    const FloatLanes localY = FloatLanes(point.segment.y) + FloatLanes(0.0f);
    const __m128d rr = _mm_set1_pd(r);
    const auto offsets = [&](const std::vector<double>& angular, int32_t k) {
        const __m128d low = _mm_mul_pd(_mm_mul_pd(rr, _mm_loadu_pd(&profile.lobeFactors[size_t(k)])),
                                       _mm_loadu_pd(&angular[size_t(k)]));
        const __m128d high = _mm_mul_pd(_mm_mul_pd(rr, _mm_loadu_pd(&profile.lobeFactors[size_t(k) + 2])),
                                        _mm_loadu_pd(&angular[size_t(k) + 2]));
        return FloatLanes(_mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high)));
    };
    for (int32_t k = 0; k < sides; k += FloatLanes::COUNT) {
        const int32_t n = std::min(FloatLanes::COUNT, sides - k);
        const LaneVector<FloatLanes> local{segmentX + offsets(profile.cosines, k), localY,
                                           segmentZ + offsets(profile.sines, k)};
        const LaneVector<FloatLanes> v = at + q * local;
        alignas(16) float vx[FloatLanes::COUNT], vy[FloatLanes::COUNT], vz[FloatLanes::COUNT];
        _mm_store_ps(vx, v.x.v);
        _mm_store_ps(vy, v.y.v);
        _mm_store_ps(vz, v.z.v);
        for (int32_t j = 0; j < n; ++j) add({vx[j], vy[j], vz[j]});
    }
#else
    const auto across = [&](int32_t k) { return r * profile.lobeFactors[size_t(k)] * profile.cosines[size_t(k)]; };
    const auto along = [&](int32_t k) { return r * profile.lobeFactors[size_t(k)] * profile.sines[size_t(k)]; };
    for (int32_t k = 0; k < sides; ++k) {
        const Vector3 local =
            point.segment + Vector3{static_cast<float>(across(k)), 0.0f, static_cast<float>(along(k))};
        add(point.position + point.orientation * local);
    }
#endif
    share.extent = extent;
    ring.count = static_cast<uint32_t>(std::max(sides, 0));
    rings.push_back(ring);
}
