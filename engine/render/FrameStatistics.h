#pragma once

#include <cstdint> // Required for: std::int64_t

namespace Velk {

// Frame rates and times of a render target, in the order overlays show them.
struct FrameStats {
    float lastFPS = 0.0f;          // frames per second over the last full second
    float avgFPS = 0.0f;           // over the whole run
    float bestFPS = 0.0f;          // highest last-second rate of the run
    float worstFPS = 0.0f;         // lowest last-second rate of the run
    unsigned int bestFrameTime = 0;  // shortest frame of the run, ms
    unsigned int worstFrameTime = 0; // longest frame of the run, ms
    unsigned int triangleCount = 0;  // drawn in the last frame
};

// Accumulates frame durations into FrameStats. Times are whole microseconds
// so that a fixed frame time gives exact rates (0.02 s per frame is 50 fps,
// not 49.99999). Until the first full second has passed, the last, best and
// worst rates are the running average.
class FrameStatistics {
public:
    // Adds one presented frame of the given duration.
    void recordFrame(std::int64_t microseconds, unsigned int triangles);
    void reset() { *this = FrameStatistics(); }
    const FrameStats& getStats() const { return stats_; }
    unsigned long getFrameCount() const { return frames_; }

private:
    FrameStats stats_;
    unsigned long frames_ = 0;
    std::int64_t totalMicroseconds_ = 0;
    unsigned long secondFrames_ = 0;
    std::int64_t secondMicroseconds_ = 0;
    bool fullSecondSeen_ = false;
};

} // namespace Velk
