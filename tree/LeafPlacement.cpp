#include "LeafPlacement.h"

#include <algorithm>    // Required for: std::min, std::max
#include <limits>       // Required for: std::numeric_limits
#include <memory>       // Required for: std::construct_at
#include <system_error> // Required for: std::system_error

using Velk::Vector3;

namespace {

constexpr float LOW = -std::numeric_limits<float>::infinity();

void raise(Vector3& maximum, const Vector3& v) {
    maximum.x = std::max(maximum.x, v.x);
    maximum.y = std::max(maximum.y, v.y);
    maximum.z = std::max(maximum.z, v.z);
}

// Everything one run leaves pending.
void place(const PendingRun& run, Vector3& maximum) {
    if (run.stem != nullptr) raise(maximum, run.stem->placeRings());
    placeLeaves({&run, 1});
}

} // namespace

LeafPlacement::LeafPlacement(std::span<PendingRun> slots, bool parallel)
    : slots_(slots), ownMaximum_{LOW, LOW, LOW}, helperMaximum_{LOW, LOW, LOW} {
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

void LeafPlacement::add(const PendingRun& run) {
    if (count_ == slots_.size()) {
        place(run, ownMaximum_); // more stems than foreseen: this one at once
        return;
    }
    std::construct_at(slots_.data() + count_, run); // the slot's memory was left unwritten
    ++count_;
    unpublishedItems_ += run.count + (run.stem != nullptr ? run.stem->rings.size() : 0);
    if (helper_.joinable() && unpublishedItems_ >= PUBLISH_ITEMS) {
        publish(count_);
        unpublishedItems_ = 0;
    }
}

void LeafPlacement::finish() {
    publish(count_ | DONE);
    finished_ = true;
    while (placeBatch(count_, ownMaximum_)) {
    }
    if (helper_.joinable()) helper_.join();
}

Vector3 LeafPlacement::ringMaximum() const {
    Vector3 maximum = ownMaximum_;
    raise(maximum, helperMaximum_);
    return maximum;
}

void LeafPlacement::publish(std::size_t value) {
    published_.store(value, std::memory_order_release);
    published_.notify_one();
}

bool LeafPlacement::placeBatch(std::size_t available, Vector3& maximum) {
    std::size_t start = claimed_.load(std::memory_order_relaxed);
    while (start < available) {
        const std::size_t end = std::min(available, start + CLAIM_RUNS);
        if (claimed_.compare_exchange_weak(start, end, std::memory_order_relaxed)) {
            for (std::size_t i = start; i < end; ++i) place(slots_[i], maximum);
            return true;
        }
    }
    return false;
}

void LeafPlacement::work() {
    for (;;) {
        const std::size_t published = published_.load(std::memory_order_acquire);
        const std::size_t available = published & ~DONE;
        if (placeBatch(available, helperMaximum_)) continue;
        if (published & DONE) return;
        published_.wait(published, std::memory_order_acquire); // until more are published
    }
}
