#pragma once

#include "input/InputState.h"  // Required for: InputState
#include "render/RenderTarget.h" // Required for: RenderTarget

namespace Velk {

// A render target that is shown: an on-screen window, or an offscreen
// framebuffer standing in for one when no display is wanted or available.
// Everything above this interface is the same code for both.
class RenderWindow : public RenderTarget {
public:
    // The user asked to close the window (its close button).
    virtual bool isClosed() const = 0;
    virtual bool isOffscreen() const = 0;
    virtual bool isFullScreen() const = 0;

    // Starts a frame's input: forgets last frame's events, reads the pending
    // window events. Called once per frame by the frame loop.
    virtual void _pumpEvents() = 0;
    // Waits up to the given time for a window event (idle dialogs); true when
    // one arrived. Offscreen windows return false at once.
    virtual bool _waitEvents(int milliseconds) = 0;
    // Shows the drawn frame.
    virtual void swapBuffers() = 0;

    // Keyboard and mouse state that input readers of this window read.
    InputState& _getInputState() { return input_; }
    const InputState& _getInputState() const { return input_; }

protected:
    using RenderTarget::RenderTarget;
    InputState input_;
};

} // namespace Velk
