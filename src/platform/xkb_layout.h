#pragma once

// The user's keyboard layout as xkbcommon reads it from the XKB_DEFAULT_* variables (a US
// layout without them): which character a physical key prints.

#include <optional>

#include "platform/win_types.h"

// The character the key with set 1 scan code `scan` prints, with or without Shift; none when
// it prints none or no layout could be loaded.
std::optional<char32_t> LayoutCharacter(UINT scan, bool shift);
