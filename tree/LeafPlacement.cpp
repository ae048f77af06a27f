#include "LeafPlacement.h"

#include <algorithm>    // Required for: std::min
#include <memory>       // Required for: std::construct_at
#include <system_error> // Required for: std::system_error

LeafPlacement::LeafPlacement(std::span<PendingRun> slots, bool parallel) : slots_(slots) {
    if (!parallel) return;
    try {
        helper_.emplace([this] { work(); });
    } catch (const std::system_error&) {
        // No thread to be had: finish() places every leaf.
    }
}

LeafPlacement::~LeafPlacement() {
    if (!finished_) publish(count_ | DONE); // the helper stops; nothing reads the leaves now
}

void LeafPlacement::add(const PendingRun& run) {
    if (count_ == slots_.size()) {
        placeLeaves({&run, 1}); // more stems with leaves than foreseen: this one at once
        return;
    }
    std::construct_at(slots_.data() + count_, run); // the slot's memory was left unwritten
    ++count_;
    unpublishedLeaves_ += run.count;
    if (unpublishedLeaves_ < PUBLISH_LEAVES) return;
    unpublishedLeaves_ = 0;
    if (helper_) {
        publish(count_);
    } else {
        // Alone, the leaves are placed now, while they are still in the cache.
        while (placeBatch(count_)) {
        }
    }
}

void LeafPlacement::finish() {
    publish(count_ | DONE);
    finished_ = true;
    while (placeBatch(count_)) {
    }
    if (helper_) helper_->wait();
}

void LeafPlacement::publish(std::size_t value) {
    published_.store(value, std::memory_order_release);
    published_.notify_one();
}

bool LeafPlacement::placeBatch(std::size_t available) {
    std::size_t start = claimed_.load(std::memory_order_relaxed);
    while (start < available) {
        const std::size_t end = std::min(available, start + CLAIM_RUNS);
        if (claimed_.compare_exchange_weak(start, end, std::memory_order_relaxed)) {
            placeLeaves(slots_.subspan(start, end - start));
            return true;
        }
    }
    return false;
}

void LeafPlacement::work() {
    for (;;) {
        const std::size_t published = published_.load(std::memory_order_acquire);
        const std::size_t available = published & ~DONE;
        if (placeBatch(available)) continue;
        if (published & DONE) return;
        published_.wait(published, std::memory_order_acquire); // until more are published
    }
}
