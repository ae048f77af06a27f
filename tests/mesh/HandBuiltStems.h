#pragma once

#include "Stem.h"
#include "Tree.h"
#include "TreeParameters.h"

#include <cstdint>          // Required for: uint8_t, uint32_t
#include <initializer_list> // Required for: std::initializer_list
#include <utility>          // Required for: std::move

// A tree whose stems tests lay out by hand, to run the mesh passes on the
// smallest inputs that show a fault. All parameters are zero, so the
// constructor leaves a bare trunk: no children, no rings, no leaves.
struct HandBuiltTree {
    explicit HandBuiltTree(uint8_t levels) : tree(TreeParameters(levels), 0) {}

    Stem& trunk() { return *tree.trunk; }

    Tree tree;
};

// Appends a ring of `vertices` to `stem`, with its stem point.
inline void addRing(Stem& stem, std::initializer_list<Velk::Vector3> vertices,
                    const StemPoint& point = {}) {
    const StemRing ring{static_cast<uint32_t>(stem.ringVertexStore.size()),
                        static_cast<uint32_t>(vertices.size())};
    stem.ringVertexStore.insert(stem.ringVertexStore.end(), vertices);
    stem.rings.push_back(ring);
    stem.points.push_back(point);
}

// Appends a child stem of `length` to `parent`, with no points or rings yet.
inline Stem& addChild(Stem& parent, float length) {
    StemPtr child = makeStem(parent.tree);
    child->parent = &parent;
    child->length = length;
    parent.children.push_back(std::move(child));
    return *parent.children.back();
}

// Gives `stem` its point 0 at `base` without a ring (the leaf pass measures
// distances between stem bases).
inline void addBasePoint(Stem& stem, const Velk::Vector3& base) {
    stem.position = base;
    stem.points.push_back({Velk::Quaternion::IDENTITY, Velk::Vector3::ZERO, base});
}
