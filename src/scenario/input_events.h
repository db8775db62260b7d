#pragma once

// Message 1034 as the input capture library posts it to the window that installed its hooks:
// a key going down (wParam = virtual key, lParam 0) or up (lParam 1), a mouse button going
// down or up (wParam = the mouse message, lParam = 1 or 2 for the first or second side
// button). A script names them `down KEY`, `up KEY` and `click BUTTON` (a down and an up).

#include <optional>
#include <string_view>
#include <vector>

#include "platform/input_event_message.h"
#include "platform/win_types.h"

namespace nimba::scenario {

struct InputEvent {
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// KEY: a virtual-key name (A, F1, RETURN, LCONTROL, OEM_PLUS, ..., with or without "VK_",
// any case) or a code as VK_0x41; BUTTON: left, right, middle, x1, x2. Nullopt for others.
std::optional<std::vector<InputEvent>> InputEvents(std::string_view action, std::string_view what);

}  // namespace nimba::scenario
