#pragma once

#include "PendingLeaf.h"

#include <atomic>  // Required for: std::atomic
#include <cstddef> // Required for: std::size_t
#include <span>    // Required for: std::span
#include <thread>  // Required for: std::jthread

// Works out the corners of the leaves that growth leaves pending, on a
// helper thread while the tree is still growing: growth adds each leaf as
// it makes its draws, the helper takes the leaves published so far, and
// finish() lets the growing thread help with the rest and waits for the
// helper. Each leaf's corners are written by exactly one thread with the
// arithmetic of placeLeaves, so the tree is the same as on one thread.
class LeafPlacement {
public:
    // `slots` holds the pending leaves; a leaf that does not fit any more
    // is placed at once by add(). The slots may be raw memory: add()
    // constructs each before it is read. Starts the helper when `parallel`.
    LeafPlacement(std::span<PendingLeaf> slots, bool parallel);
    // Wakes and joins the helper if finish() was not called (growth threw).
    ~LeafPlacement();
    LeafPlacement(const LeafPlacement&) = delete;
    LeafPlacement& operator=(const LeafPlacement&) = delete;

    // Called by the growing thread for every leaf, in order.
    void add(const PendingLeaf& leaf);
    // Places whatever is left; when it returns every leaf has its corners.
    void finish();

private:
    // Leaves published to the helper in batches of this many.
    static constexpr std::size_t BATCH = 256;
    // Set in published_ once no more leaves come.
    static constexpr std::size_t DONE = std::size_t(1) << (8 * sizeof(std::size_t) - 1);

    // Places published leaves until all are placed and no more come.
    void work();
    // Claims and places one batch; false when none is published and unclaimed.
    bool placeBatch(std::size_t available);
    void publish(std::size_t value);

    std::span<PendingLeaf> slots_;
    std::size_t count_ = 0;                // leaves added (growing thread only)
    std::atomic<std::size_t> published_{0}; // leaves the helper may take, | DONE at the end
    std::atomic<std::size_t> claimed_{0};   // leaves some thread has taken
    bool finished_ = false;
    std::jthread helper_;
};
