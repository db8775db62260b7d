#pragma once

// The device-interface notification the main window receives as WM_DEVICECHANGE: wParam is
// the event, lParam points to the broadcast for as long as the message is being handled.

#include <string>

#include "platform/win_types.h"

inline constexpr WPARAM DBT_DEVNODES_CHANGED = 0x0007;
inline constexpr WPARAM DBT_DEVICEARRIVAL = 0x8000;
inline constexpr WPARAM DBT_DEVICEREMOVECOMPLETE = 0x8004;
inline constexpr DWORD DBT_DEVTYP_DEVICEINTERFACE = 5;

struct DeviceBroadcast {
    DWORD devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    // The interface's name in the Windows form, e.g.
    // "\\?\HID#{00001812-0000-1000-8000-00805f9b34fb}_Dev_VID&02045e_PID&0047_REV&0001#...".
    std::string name;
};
