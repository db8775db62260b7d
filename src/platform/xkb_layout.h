#pragma once

// The user's keyboard layout through xkbcommon: the session's (the X server's keymap and the
// layout group in use, or the keymap a Wayland compositor sends), else the XKB_DEFAULT_*
// variables, else US. Which character a physical key prints.

#include <optional>
#include <string_view>

#include "platform/win_types.h"

struct xcb_connection_t;

// Takes the layout of the X server behind `connection` for every later lookup. False, and the
// layout stays as it was, when the server gives none (no keyboard extension).
bool UseDisplayKeyboardLayout(xcb_connection_t* connection);
// True for an event of that server's keyboard extension after which keys may print otherwise
// (another keymap or keyboard, another layout group): the layout is to be taken again.
bool ChangesDisplayKeyboardLayout(const void* xcb_event);
// Takes a keymap in xkbcommon's text form (what a Wayland compositor sends) with its layout
// group `layout`. False, and the layout stays as it was, when the text is no keymap.
bool UseKeymapText(std::string_view text, UINT layout = 0);

// The character the key with set 1 scan code `scan` prints, with or without Shift; none when
// it prints none or no layout could be loaded.
std::optional<char32_t> LayoutCharacter(UINT scan, bool shift);
