#pragma once

#include "HelperJob.h"
#include "PendingLeaf.h"

#include <atomic>   // Required for: std::atomic
#include <cstddef>  // Required for: std::size_t
#include <optional> // Required for: std::optional
#include <span>     // Required for: std::span

// Works out the corners of the leaves that growth leaves pending, on a
// helper thread while the tree is still growing: growth adds each stem's
// leaves once it has made their draws, the helper takes the stems published
// so far, and finish() lets the growing thread help with the rest and waits
// for the helper. Without a helper, the growing thread places the leaves
// itself every few thousand. Each leaf's corners are written by exactly one
// thread with the arithmetic of placeLeaves, so the tree is the same as on
// one thread.
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

    // Called by the growing thread for every stem's leaves, in order, once
    // they hold their pending data; they stay where they are until finish().
    void add(const PendingRun& run);
    // Places whatever is left; when it returns every leaf has its corners.
    void finish();

private:
    // Runs are published to the helper (or, without one, placed) once this
    // many leaves have come since the last time, and taken by either thread
    // this many at a time.
    // The helper places leaves faster than growth makes them, so it waits
    // between publications, and waking it is a system call on the growing
    // thread: few large publications cost growth less than many small ones.
    static constexpr std::size_t PUBLISH_LEAVES = 4096;
    static constexpr std::size_t CLAIM_RUNS = 32;
    // Set in published_ once no more leaves come.
    static constexpr std::size_t DONE = std::size_t(1) << (8 * sizeof(std::size_t) - 1);

    // Places published leaves until all are placed and no more come.
    void work();
    // Claims and places one batch; false when none is published and unclaimed.
    bool placeBatch(std::size_t available);
    void publish(std::size_t value);

    std::span<PendingRun> slots_;
    std::size_t count_ = 0;                 // runs added (growing thread only)
    std::size_t unpublishedLeaves_ = 0;     // leaves added since the last publish (growing thread only)
    std::atomic<std::size_t> published_{0}; // runs the helper may take, | DONE at the end
    std::atomic<std::size_t> claimed_{0};   // runs some thread has taken
    bool finished_ = false;
    std::optional<HelperJob> helper_;
};
