// Where on the window the ground can be in the shadow map: every ground
// pixel whose lookup falls on the map's square must lie in the rectangle,
// or the ground there would be drawn without its shadow.
#include "gl/GroundPlane.h"
#include "gl/GroundShadowRect.h"
#include "math/Math.h"
#include "math/Quaternion.h"

#include <gtest/gtest.h>

#include <algorithm> // Required for: std::min, std::max

using namespace Velk;
using Velk::GL::WindowRect;

namespace {

// World to map coordinates for a light shining along `along` onto a box of
// half-size `half` round `centre`, made as the renderer makes it: x and y
// across the light in 0..1 over the box.
Matrix4 shadowMatrixFor(Vector3 along, const Vector3& centre, float half) {
    along.normalise();
    Vector3 across = Vector3::UNIT_Y.crossProduct(along);
    across.normalise();
    const Vector3 up = along.crossProduct(across);
    const Vector3 axes[3] = {across, up, along};
    Matrix4 m;
    for (int row = 0; row < 3; ++row) {
        const float scale = 0.5f / half;
        m.at(row, 0) = axes[row].x * scale;
        m.at(row, 1) = axes[row].y * scale;
        m.at(row, 2) = axes[row].z * scale;
        m.at(row, 3) = 0.5f - axes[row].dotProduct(centre) * scale;
    }
    return m;
}

// A camera at `eye` looking at `target`, 60 degrees high, 4:3.
Matrix4 viewProjectionFor(const Vector3& eye, const Vector3& target) {
    Vector3 back = eye - target;
    back.normalise();
    Vector3 right = Vector3::UNIT_Y.crossProduct(back);
    right.normalise();
    const Vector3 up = back.crossProduct(right);
    return Matrix4::perspective(Math::PI / 3.0f, 4.0f / 3.0f, 0.5f, 2000.0f) *
           Matrix4::view(eye, Quaternion::FromAxes(right, up, back));
}

// The window pixel (x, y from the bottom) of a world point in front of the eye.
bool windowOf(const Matrix4& viewProjection, const Vector3& p, const WindowRect& viewport, float& x, float& y) {
    const Vector3 c = viewProjection.transformPoint(p);
    const float w = viewProjection.at(3, 0) * p.x + viewProjection.at(3, 1) * p.y + viewProjection.at(3, 2) * p.z +
                    viewProjection.at(3, 3);
    if (w <= 0.0f) return false;
    x = (c.x / w * 0.5f + 0.5f) * static_cast<float>(viewport[2]) + static_cast<float>(viewport[0]);
    y = (c.y / w * 0.5f + 0.5f) * static_cast<float>(viewport[3]) + static_cast<float>(viewport[1]);
    return true;
}

} // namespace

TEST(GroundShadowRect, HoldsEveryGroundPixelThatLooksUpTheMap) {
    const WindowRect viewport{10, 20, 640, 480};
    const Matrix4 shadow = shadowMatrixFor(Vector3(0.5f, -0.5f, 0.2f), Vector3(0.0f, 5.0f, 0.0f), 8.0f);
    const Matrix4 camera = viewProjectionFor(Vector3(0.0f, 25.0f, 40.0f), Vector3(0.0f, 0.0f, 0.0f));
    constexpr float offset = 0.05f;
    const auto rect = GL::groundShadowRect(shadow, 0.0f, offset, camera, viewport, 2);
    ASSERT_TRUE(rect.has_value());
    ASSERT_GT((*rect)[2], 0);
    int inside = 0;
    float left = 1e9f, right = -1e9f;
    for (float x = -60.0f; x <= 60.0f; x += 0.25f) {
        for (float z = -60.0f; z <= 60.0f; z += 0.25f) {
            const Vector3 lookup = shadow.transformPoint(Vector3(x, offset, z));
            if (lookup.x <= 0.0f || lookup.x >= 1.0f || lookup.y <= 0.0f || lookup.y >= 1.0f) continue;
            float px = 0.0f, py = 0.0f;
            ASSERT_TRUE(windowOf(camera, Vector3(x, 0.0f, z), viewport, px, py));
            if (px < viewport[0] || py < viewport[1] || px >= viewport[0] + viewport[2] ||
                py >= viewport[1] + viewport[3])
                continue; // off the window
            ++inside;
            left = std::min(left, px), right = std::max(right, px);
            ASSERT_GE(px, (*rect)[0]) << x << ", " << z;
            ASSERT_GE(py, (*rect)[1]) << x << ", " << z;
            ASSERT_LE(px, (*rect)[0] + (*rect)[2]) << x << ", " << z;
            ASSERT_LE(py, (*rect)[1] + (*rect)[3]) << x << ", " << z;
        }
    }
    EXPECT_GT(inside, 1000) << "the square's shadow is on the window";
    // Tight: the rectangle is the shadowed ground's, not the whole window.
    EXPECT_LT((*rect)[2], viewport[2] / 2);
    // (The grid's points lie up to a few pixels apart.)
    EXPECT_NEAR((*rect)[0], left, 6.0f);
    EXPECT_NEAR((*rect)[0] + (*rect)[2], right, 6.0f);
}

TEST(GroundShadowRect, SaysWhenItCannotBoundOrNothingIsOnTheWindow) {
    const WindowRect viewport{0, 0, 640, 480};
    const Matrix4 camera = viewProjectionFor(Vector3(0.0f, 25.0f, 40.0f), Vector3(0.0f, 0.0f, 0.0f));
    // A light along the ground: its square's shadow runs to the horizon.
    const Matrix4 skimming = shadowMatrixFor(Vector3(1.0f, 0.0f, 0.0f), Vector3(0.0f, 5.0f, 0.0f), 8.0f);
    EXPECT_FALSE(GL::groundShadowRect(skimming, 0.0f, 0.05f, camera, viewport, 2).has_value());
    // The shadowed ground reaches behind the eye.
    const Matrix4 low = viewProjectionFor(Vector3(0.0f, 2.0f, 3.0f), Vector3(0.0f, 2.0f, -10.0f));
    const Matrix4 overhead = shadowMatrixFor(Vector3(0.0f, -1.0f, 0.1f), Vector3(0.0f, 5.0f, 0.0f), 8.0f);
    EXPECT_FALSE(GL::groundShadowRect(overhead, 0.0f, 0.05f, low, viewport, 2).has_value());
    // The shadowed ground in front of the eye but far to its side: off the window.
    const Matrix4 away = viewProjectionFor(Vector3(0.0f, 25.0f, 40.0f), Vector3(200.0f, 0.0f, 0.0f));
    const auto none = GL::groundShadowRect(overhead, 0.0f, 0.05f, away, viewport, 2);
    ASSERT_TRUE(none.has_value());
    EXPECT_EQ((*none)[2], 0);
}

// The disc's opaque middle comes first: rings 1 and 2 of 24 lie within 35 %
// of the radius (sqrt(2/24) = 0.29, sqrt(3/24) = 0.35 already fades), that
// is the centre's 96 triangles and the 192 of the band round them.
TEST(GroundPlane, OpaqueMiddleComesFirst) {
    const GL::GroundGeometry g = GL::makeGroundGeometry(400.0f, 0.0f, 16.0f);
    EXPECT_EQ(g.opaqueIndexCount, 3u * (96u + 192u));
    const auto alphaOf = [&](std::size_t i) {
        return g.vertices[g.indices[i] * GL::GroundGeometry::FLOATS_PER_VERTEX + GL::GroundGeometry::ALPHA];
    };
    for (std::size_t i = 0; i < g.opaqueIndexCount; ++i) ASSERT_EQ(alphaOf(i), 1.0f) << i;
    const std::size_t next = g.opaqueIndexCount;
    EXPECT_LT(std::min({alphaOf(next), alphaOf(next + 1), alphaOf(next + 2)}), 1.0f) << "the next one fades";
}
