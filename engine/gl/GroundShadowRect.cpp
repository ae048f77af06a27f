#include "gl/GroundShadowRect.h"

#include <algorithm> // Required for: std::min, std::max
#include <cmath>     // Required for: std::abs, std::floor, std::ceil

namespace Velk::GL {

// The map's square, seen along the light, meets the ground in a
// parallelogram; in front of the eye its picture is the hull of the
// pictures of its four corners.
std::optional<WindowRect> groundShadowRect(const Matrix4& shadowMatrix, float groundHeight, float lookupOffset,
                                           const Matrix4& viewProjection, const WindowRect& viewport, int padding) {
    const Matrix4& s = shadowMatrix;
    const double lookupHeight = static_cast<double>(groundHeight) + lookupOffset;
    const double a = s.at(0, 0), b = s.at(0, 2), c = s.at(1, 0), d = s.at(1, 2);
    const double det = a * d - b * c;
    // The light nearly along the ground: the square's shadow has no bound.
    if (std::abs(det) < 1e-9 * (std::abs(a * d) + std::abs(b * c) + 1e-30)) return std::nullopt;
    double low[2] = {1e300, 1e300};
    double high[2] = {-1e300, -1e300};
    for (int corner = 0; corner < 4; ++corner) {
        const double u = (corner & 1) - s.at(0, 1) * lookupHeight - s.at(0, 3);
        const double v = (corner >> 1) - s.at(1, 1) * lookupHeight - s.at(1, 3);
        const double x = (u * d - b * v) / det;
        const double z = (a * v - u * c) / det;
        const Matrix4& p = viewProjection;
        double clip[4];
        for (int row = 0; row < 4; ++row)
            clip[row] = p.at(row, 0) * x + p.at(row, 1) * groundHeight + p.at(row, 2) * z + p.at(row, 3);
        // At or behind the eye the picture wraps round: no bound.
        if (clip[3] <= 1e-6) return std::nullopt;
        for (int axis = 0; axis < 2; ++axis) {
            const double window = (clip[axis] / clip[3] * 0.5 + 0.5) * viewport[2 + axis] + viewport[axis];
            low[axis] = std::min(low[axis], window);
            high[axis] = std::max(high[axis], window);
        }
    }
    WindowRect rect{};
    for (int axis = 0; axis < 2; ++axis) {
        const double first = std::max(std::floor(low[axis]) - padding, static_cast<double>(viewport[axis]));
        const double end =
            std::min(std::ceil(high[axis]) + padding, static_cast<double>(viewport[axis] + viewport[2 + axis]));
        rect[axis] = static_cast<int>(std::min(first, end));
        rect[2 + axis] = std::max(0, static_cast<int>(end - first));
    }
    if (rect[2] == 0 || rect[3] == 0) rect[2] = rect[3] = 0;
    return rect;
}

} // namespace Velk::GL
