#pragma once

#include "platform/win_types.h"

namespace nimba {

// The message the input capture library posts to the window that installed its hooks, for
// each key (wParam the virtual key, lParam 0 down, 1 up) and mouse button (wParam the mouse
// message, lParam 1 or 2 for the first or second side button).
inline constexpr UINT kInputEventMessage = 1034;

}  // namespace nimba
