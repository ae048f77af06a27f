#pragma once

#include "input/KeyCodes.h" // Required for: KeyCode

namespace Velk::GL {

// The engine key code of an SDL scancode (a USB HID usage), KC_UNASSIGNED
// for keys the table does not know.
KeyCode keyCodeFromScancode(int scancode);

} // namespace Velk::GL
