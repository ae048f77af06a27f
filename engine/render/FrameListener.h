#pragma once

namespace Velk {

// Times handed to frame listeners, in seconds.
struct FrameEvent {
    float timeSinceLastEvent = 0.0f; // since this listener's previous call
    float timeSinceLastFrame = 0.0f; // since the previous frame started
};

// Called by the frame loop around the drawing of every frame. Returning false
// from either call ends the loop (after frameEnded, the frame is still shown).
class FrameListener {
public:
    virtual bool frameStarted(const FrameEvent&) { return true; }
    virtual bool frameEnded(const FrameEvent&) { return true; }
    virtual ~FrameListener() = default;
};

} // namespace Velk
