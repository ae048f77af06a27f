#pragma once

#include "math/Vector3.h"

namespace Velk {

// An axis-aligned box given by its minimum and maximum corners. A default
// box is null: it encloses nothing (a mesh before its bounds are set).
class AxisAlignedBox {
public:
    constexpr AxisAlignedBox() = default;
    // Box from `minimum` to `maximum`; each component of minimum is expected
    // not to exceed the one of maximum.
    constexpr AxisAlignedBox(const Vector3& minimum, const Vector3& maximum)
        : minimum_(minimum), maximum_(maximum), null_(false) {}

    constexpr const Vector3& getMinimum() const { return minimum_; }
    constexpr const Vector3& getMaximum() const { return maximum_; }
    constexpr bool isNull() const { return null_; }
    // Edge lengths; zero for a null box.
    constexpr Vector3 getSize() const { return null_ ? Vector3{} : maximum_ - minimum_; }
    // Midpoint of the box; zero for a null box.
    constexpr Vector3 getCenter() const {
        return null_ ? Vector3{} : (minimum_ + maximum_) * 0.5f;
    }

    constexpr bool operator==(const AxisAlignedBox&) const = default;

private:
    Vector3 minimum_;
    Vector3 maximum_;
    bool null_ = true;
};

} // namespace Velk
