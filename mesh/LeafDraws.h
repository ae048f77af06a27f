#pragma once

#include "Stem.h"

#include <cstddef> // Required for: std::size_t
#include <cstdint> // Required for: uint8_t, uint32_t
#include <vector>  // Required for: std::vector

// The leaf pass in two halves. The draws (a colour per stem, a texture
// quarter per leaf) come from the random generator and are made in one walk
// over the stems, on the thread that grew the tree; the vertex writes follow
// from them and the corners alone, so any thread may write any range of
// leaves once the draws are made, at the place the leaf's number gives.
class LeafDraws {
public:
    // Room for `leaves` leaves on `stems` stems; more only cost a reallocation.
    LeafDraws(std::size_t leaves, std::size_t stems);

    // Makes the draws of `stem` and everything below it, in the order the
    // leaf pass always made them (six per stem, two per leaf); `distance` as
    // for Stem::writeLeafVertices. Leaves are numbered in that order.
    void draw(const Stem& stem, float distance);

    // Leaves drawn so far.
    std::size_t leafCount() const { return quarters_.size(); }

    // Writes the four vertices of each leaf numbered first..end-1; `floats`
    // and `colours` point at the vertex of leaf 0.
    void write(std::size_t first, std::size_t end, float* floats, uint32_t* colours) const;

private:
    // The leaves of one stem, one after another in its list.
    struct Run {
        const Leaf* leaves;
        uint32_t count;
        uint32_t colour; // packed ARGB of all four vertices of each leaf
        std::size_t first; // number of the run's first leaf
    };
    std::vector<Run> runs_;         // only stems with leaves, in leaf order
    std::vector<uint8_t> quarters_; // per leaf: its texture quarter, 0..8
};
