#pragma once

#include "input/KeyTarget.h"     // Required for: KeyTarget
#include "render/FrameListener.h" // Required for: FrameListener

namespace Velk {

class InputReader;
class RenderWindow;

// Buffered input: once per frame (as a frame listener) it captures its input
// reader and hands the frame's key events to the key listeners.
class EventProcessor : public FrameListener, public KeyTarget {
public:
    EventProcessor();
    ~EventProcessor() override;

    // Creates the input reader for the window.
    void initialise(RenderWindow* window);
    // Starts dispatching; registerListener adds this to the root's frame listeners.
    void startProcessingEvents(bool registerListener = true);
    void stopProcessingEvents();
    InputReader* getInputReader() const { return reader_; }

    // Captures and dispatches this frame's key events.
    bool frameStarted(const FrameEvent& event) override;

private:
    InputReader* reader_ = nullptr;
    RenderWindow* window_ = nullptr;
    bool registered_ = false;
    bool processing_ = false;
};

} // namespace Velk
