#pragma once

#include "Stem.h"

#include <cstdint> // Required for: uint8_t

// Visits a stem and everything below it depth first, children in list
// order — the order in which growth and the mesh builder walk a tree.
// f(stem, level) is called before the stem's children.
template <class F> void forEachStem(const Stem& stem, uint8_t level, F&& f) {
    f(stem, level);
    for (const auto& child : stem.children) forEachStem(*child, static_cast<uint8_t>(level + 1), f);
}

// The number of leaves growth actually created below and on `stem`.
inline int64_t countLeaves(const Stem& stem) {
    int64_t n = 0;
    forEachStem(stem, 0, [&](const Stem& s, uint8_t) { n += static_cast<int64_t>(s.leaves.size()); });
    return n;
}
