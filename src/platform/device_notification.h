#pragma once

// Device-interface notifications: a window registers once, and every arrival or removal that
// a device source reports reaches it as WM_DEVICECHANGE with a DeviceBroadcast, on the
// window's own thread, whatever thread the source reported from.

#include <string>

#include "platform/device_broadcast.h"
#include "platform/win_types.h"

using HDEVNOTIFY = void*;

inline constexpr DWORD DEVICE_NOTIFY_WINDOW_HANDLE = 0;
inline constexpr DWORD DEVICE_NOTIFY_ALL_INTERFACE_CLASSES = 4;

// The filter record's shape; the class is not looked at with DEVICE_NOTIFY_ALL_INTERFACE_CLASSES.
struct DEV_BROADCAST_DEVICEINTERFACE_W {
    DWORD dbcc_size;
    DWORD dbcc_devicetype;
    DWORD dbcc_reserved;
    uint32_t dbcc_classguid[4];
    wchar_t dbcc_name[1];
};
static_assert(sizeof(DEV_BROADCAST_DEVICEINTERFACE_W) == 32);

// Call on the window's thread. NULL for a filter that is not a device-interface filter.
HDEVNOTIFY RegisterDeviceNotificationW(HWND recipient, const void* filter, DWORD flags);
BOOL UnregisterDeviceNotification(HDEVNOTIFY handle);

namespace platform {

// For a device source (a driver library, a simulated device): tells every registered window,
// from any thread, that the interface `name` arrived (DBT_DEVICEARRIVAL) or went
// (DBT_DEVICEREMOVECOMPLETE). Returns at once; the windows see it in their own loops.
void BroadcastDeviceChange(WPARAM event, const std::string& name);

}  // namespace platform
