#pragma once

// The user's keyboard layout through xkbcommon: the X server's layout once the program is told
// of its display, else the XKB_DEFAULT_* variables, else US. Which character a physical key
// prints.

#include <optional>

#include "platform/win_types.h"

struct xcb_connection_t;

// Takes the layout of the X server behind `connection` for every later lookup. False, and the
// layout stays as it was, when the server gives none (no keyboard extension).
bool UseDisplayKeyboardLayout(xcb_connection_t* connection);

// The character the key with set 1 scan code `scan` prints, with or without Shift; none when
// it prints none or no layout could be loaded.
std::optional<char32_t> LayoutCharacter(UINT scan, bool shift);
