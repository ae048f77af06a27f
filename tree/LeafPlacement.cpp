#include "LeafPlacement.h"

#include <algorithm>    // Required for: std::min
#include <memory>       // Required for: std::construct_at
#include <system_error> // Required for: std::system_error

LeafPlacement::LeafPlacement(std::span<PendingLeaf> slots, bool parallel) : slots_(slots) {
    if (!parallel) return;
    try {
        helper_ = std::jthread([this] { work(); });
    } catch (const std::system_error&) {
        // No thread to be had: finish() places every leaf.
    }
}

LeafPlacement::~LeafPlacement() {
    if (!finished_) publish(count_ | DONE); // the helper stops; nothing reads the leaves now
}

void LeafPlacement::add(const PendingLeaf& leaf) {
    if (count_ == slots_.size()) {
        placeLeaves({&leaf, 1}); // more leaves than foreseen: this one at once
        return;
    }
    std::construct_at(slots_.data() + count_, leaf); // the slot's memory was left unwritten
    ++count_;
    if (helper_.joinable() && count_ % BATCH == 0) publish(count_);
}

void LeafPlacement::finish() {
    publish(count_ | DONE);
    finished_ = true;
    while (placeBatch(count_)) {
    }
    if (helper_.joinable()) helper_.join();
}

void LeafPlacement::publish(std::size_t value) {
    published_.store(value, std::memory_order_release);
    published_.notify_one();
}

bool LeafPlacement::placeBatch(std::size_t available) {
    std::size_t start = claimed_.load(std::memory_order_relaxed);
    while (start < available) {
        const std::size_t end = std::min(available, start + BATCH);
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
