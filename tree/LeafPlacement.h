#pragma once

#include "PendingLeaf.h"
#include "math/Vector3.h"

#include <atomic>  // Required for: std::atomic
#include <cstddef> // Required for: std::size_t
#include <span>    // Required for: std::span
#include <thread>  // Required for: std::jthread

// Works out what growth leaves pending, the corners of the leaves and the
// vertices of the rings, on a helper thread while the tree is still growing:
// growth adds each stem's run once its spine and its leaves' draws are made,
// the helper takes the runs published so far, and finish() lets the growing
// thread help with the rest and waits for the helper. Each leaf and ring is
// written by exactly one thread with the arithmetic of placeLeaves and
// Stem::placeRings, so the tree is the same as on one thread.
class LeafPlacement {
public:
    // `slots` holds the pending runs, one per stem; a run that does not fit
    // any more is placed at once by add(). The slots may be raw memory:
    // add() constructs each before it is read. Starts the helper when
    // `parallel`.
    LeafPlacement(std::span<PendingRun> slots, bool parallel);
    // Wakes and joins the helper if finish() was not called (growth threw).
    ~LeafPlacement();
    LeafPlacement(const LeafPlacement&) = delete;
    LeafPlacement& operator=(const LeafPlacement&) = delete;

    // Called by the growing thread for every stem, in order, once its leaves
    // hold their pending data and its spine is complete; the stem stays as
    // it is until finish().
    void add(const PendingRun& run);
    // Places whatever is left; when it returns every leaf has its corners
    // and every ring its vertices.
    void finish();
    // After finish(): the largest x, y and z of all ring vertices placed
    // (each -inf without any). A maximum does not depend on the order of
    // its terms, so this is the same however the runs were shared out.
    Velk::Vector3 ringMaximum() const;

private:
    // Runs are published to the helper once this many leaves and rings have
    // come since the last time, and taken by either thread this many at a time.
    static constexpr std::size_t PUBLISH_ITEMS = 256;
    static constexpr std::size_t CLAIM_RUNS = 32;
    // Set in published_ once no more leaves come.
    static constexpr std::size_t DONE = std::size_t(1) << (8 * sizeof(std::size_t) - 1);

    // Places published leaves until all are placed and no more come.
    void work();
    // Claims and places one batch, raising `maximum` to its ring vertices;
    // false when none is published and unclaimed.
    bool placeBatch(std::size_t available, Velk::Vector3& maximum);
    void publish(std::size_t value);

    std::span<PendingRun> slots_;
    std::size_t count_ = 0;                 // runs added (growing thread only)
    std::size_t unpublishedItems_ = 0;      // leaves and rings added since the last publish (growing thread only)
    std::atomic<std::size_t> published_{0}; // runs the helper may take, | DONE at the end
    std::atomic<std::size_t> claimed_{0};   // runs some thread has taken
    bool finished_ = false;
    // Ring maxima of what each thread placed: one writer each, read after finish().
    Velk::Vector3 ownMaximum_, helperMaximum_;
    std::jthread helper_;
};
