#pragma once

// The keyboard-layout functions the key tables call, answering for the user's layout.

#include "platform/win_types.h"

inline constexpr UINT MAPVK_VK_TO_VSC = 0;
inline constexpr UINT MAPVK_VSC_TO_VK_EX = 3;

// MAPVK_VK_TO_VSC: the scan code (set 1 make code) of a virtual key; MAPVK_VSC_TO_VK_EX: the
// virtual key of a scan code, telling left and right modifiers apart. 0 when there is none.
UINT MapVirtualKeyW(UINT uCode, UINT uMapType);

// The characters a key produces with the given 256-byte key state (only the Shift bit 0x80 of
// VK_SHIFT is honoured). Returns how many units were written to `pwszBuff`, 0 for none.
int ToUnicode(UINT wVirtKey, UINT wScanCode, const BYTE* lpKeyState, char16_t* pwszBuff,
              int cchBuff, UINT wFlags);
