#include "render/FrameStatistics.h"

#include <algorithm> // Required for: std::min, std::max

namespace Velk {

namespace {
constexpr std::int64_t microsecondsPerSecond = 1000000;

// Frames per second over a span; zero for an empty span.
float rate(unsigned long frames, std::int64_t microseconds) {
    if (microseconds <= 0) return 0.0f;
    return static_cast<float>(static_cast<double>(frames) * microsecondsPerSecond /
                              static_cast<double>(microseconds));
}
} // namespace

// Frame times feed best/worst directly; rates are refreshed once per second.
void FrameStatistics::recordFrame(std::int64_t microseconds, unsigned int triangles) {
    if (microseconds < 0) microseconds = 0;
    const auto milliseconds = static_cast<unsigned int>((microseconds + 500) / 1000);
    if (frames_ == 0) {
        stats_.bestFrameTime = stats_.worstFrameTime = milliseconds;
    } else {
        stats_.bestFrameTime = std::min(stats_.bestFrameTime, milliseconds);
        stats_.worstFrameTime = std::max(stats_.worstFrameTime, milliseconds);
    }
    ++frames_;
    totalMicroseconds_ += microseconds;
    stats_.avgFPS = rate(frames_, totalMicroseconds_);
    stats_.triangleCount = triangles;

    ++secondFrames_;
    secondMicroseconds_ += microseconds;
    if (secondMicroseconds_ >= microsecondsPerSecond) {
        const float last = rate(secondFrames_, secondMicroseconds_);
        if (!fullSecondSeen_) {
            stats_.bestFPS = stats_.worstFPS = last;
            fullSecondSeen_ = true;
        } else {
            stats_.bestFPS = std::max(stats_.bestFPS, last);
            stats_.worstFPS = std::min(stats_.worstFPS, last);
        }
        stats_.lastFPS = last;
        secondFrames_ = 0;
        secondMicroseconds_ = 0;
    } else if (!fullSecondSeen_) {
        stats_.lastFPS = stats_.bestFPS = stats_.worstFPS = stats_.avgFPS;
    }
}

} // namespace Velk
