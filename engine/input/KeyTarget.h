#pragma once

#include "input/KeyEvent.h"    // Required for: KeyEvent
#include "input/KeyListener.h" // Required for: KeyListener

#include <vector> // Required for: std::vector

namespace Velk {

// Something that hands key events to its listeners, in the order they were added.
class KeyTarget {
public:
    virtual ~KeyTarget() = default;
    void addKeyListener(KeyListener* listener);
    void removeKeyListener(KeyListener* listener);
    // Pressed: keyPressed then keyClicked; released: keyReleased.
    void processKeyEvent(KeyEvent& event);

private:
    std::vector<KeyListener*> keyListeners_;
};

} // namespace Velk
