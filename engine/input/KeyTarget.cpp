#include "input/KeyTarget.h"

#include <algorithm> // Required for: std::find, std::erase

namespace Velk {

// Adding the same listener twice has no effect.
void KeyTarget::addKeyListener(KeyListener* listener) {
    if (listener != nullptr && std::find(keyListeners_.begin(), keyListeners_.end(), listener) == keyListeners_.end())
        keyListeners_.push_back(listener);
}

// Removing an unknown listener has no effect.
void KeyTarget::removeKeyListener(KeyListener* listener) { std::erase(keyListeners_, listener); }

// Works on a copy so listeners may remove themselves while handling.
void KeyTarget::processKeyEvent(KeyEvent& event) {
    const std::vector<KeyListener*> listeners = keyListeners_;
    for (KeyListener* listener : listeners) {
        if (event.getType() == KeyEvent::KEY_PRESSED) {
            listener->keyPressed(&event);
            listener->keyClicked(&event);
        } else {
            listener->keyReleased(&event);
        }
    }
}

} // namespace Velk
