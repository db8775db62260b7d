#pragma once

// The seven entry points of the input capture library. It watches the whole desktop's keys and
// mouse buttons, never taking them from anyone, and posts each one as message 1034 to the
// window given to installhook: a key with wParam = its virtual key and lParam 0 (down) or 1
// (up); a mouse button with wParam = its button message (0x201/0x202 left, 0x204/0x205 right,
// 0x207/0x208 middle, 0x20B/0x20C side) and lParam 1 or 2 for the first or second side button.

#include "platform/win_types.h"

extern "C" {

// Mouse buttons are watched from here on (delivered only while enablemousehook is on).
void installmousehook();
void removemousehook();
void enablemousehook(int on);
// Keys (and mouse buttons, while their delivery is on) go to `receiver` from here on.
void installhook(HWND receiver);
// Nothing more is posted once it returns.
void removehook();
void enablehook(int on);
// The wheel is never posted; present because the program switches it.
void mousewheelenable(int on);

}  // extern "C"
