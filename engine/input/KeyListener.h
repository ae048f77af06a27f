#pragma once

#include "input/EventListener.h" // Required for: EventListener
#include "input/KeyEvent.h"      // Required for: KeyEvent

namespace Velk {

// Receives buffered key events from a KeyTarget.
class KeyListener : public EventListener {
public:
    // A key went down (after keyPressed), the event carries its character.
    virtual void keyClicked(KeyEvent* event) = 0;
    virtual void keyPressed(KeyEvent* event) = 0;
    virtual void keyReleased(KeyEvent* event) = 0;
    virtual void keyFocusIn(KeyEvent*) {}
    virtual void keyFocusOut(KeyEvent*) {}
};

} // namespace Velk
