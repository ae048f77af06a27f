#pragma once

#include "Tree.h"

#include <array>   // Required for: std::array
#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint8_t

// The parts of a tree's mesh, one submesh each.
enum class TreePart : uint8_t { Bark, Leaves, Markers };

// The parts a tree's mesh has, in the order the mesh builder creates their
// submeshes: the bark always, the leaves when the tree planned any, the frame
// markers on trees that show them. Whoever reads, copies, names or dresses
// the submeshes takes the order from here.
class TreeParts {
public:
    explicit TreeParts(const Tree& tree) {
        parts_[count_++] = TreePart::Bark;
        if (tree.leafCount > 0) parts_[count_++] = TreePart::Leaves;
        if (hasFrameMarkers(*tree.params)) parts_[count_++] = TreePart::Markers;
    }
    const TreePart* begin() const { return parts_.data(); }
    const TreePart* end() const { return parts_.data() + count_; }
    std::size_t size() const { return count_; }
    TreePart operator[](std::size_t i) const { return parts_[i]; }
    bool has(TreePart part) const {
        for (const TreePart p : *this)
            if (p == part) return true;
        return false;
    }

private:
    std::array<TreePart, 3> parts_{};
    std::size_t count_ = 0;
};

// The material a part is drawn with, in the program and in exported files.
inline const char* materialName(TreePart part) {
    switch (part) {
    case TreePart::Bark: return "BarkTextMat";
    case TreePart::Leaves: return "LeafTextMat";
    default: return "CoordFrameMat";
    }
}

// The part's name in reports.
inline const char* partName(TreePart part) {
    switch (part) {
    case TreePart::Bark: return "bark";
    case TreePart::Leaves: return "leaves";
    default: return "markers";
    }
}
