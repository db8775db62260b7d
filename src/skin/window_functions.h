#pragma once

// Win32-shaped queries and commands on the windows this library created (by their platform
// handle). A handle of no skin window gives FALSE / nothing.

#include "platform/win_types.h"
#include "skin/ui_geometry.h"

inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr WPARAM SC_MINIMIZE = 0xF020;
inline constexpr WPARAM SC_RESTORE = 0xF120;
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_RESTORE = 9;
inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;

BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL SetForegroundWindow(HWND hwnd);
BOOL DestroyWindow(HWND hwnd);
BOOL SetWindowTextW(HWND hwnd, const char16_t* text);
// Screen rectangle of the window.
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetCursorPos(POINT* point);
// Size of the primary screen.
int GetSystemMetrics(int index);
