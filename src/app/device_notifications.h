#pragma once

// Device-interface arrival and removal for the main window, from the kernel's device events
// (hidraw, hid and bluetooth), handed to the window as WM_DEVICECHANGE with the interface named
// in the Windows form, so the window's name tests stay as they are. Nothing polls: the monitor's
// descriptor wakes the window thread.

#include <QSocketNotifier>
#include <memory>
#include <string>

#include "platform/win_types.h"
struct udev;
struct udev_device;
struct udev_monitor;

namespace nimba {

class DeviceNotifications {
public:
    DeviceNotifications() = default;
    ~DeviceNotifications();
    DeviceNotifications(const DeviceNotifications&) = delete;
    DeviceNotifications& operator=(const DeviceNotifications&) = delete;

    // False when the system's device events cannot be reached (a container without udev).
    bool Register(HWND window);

    // "HID_ID" of a hid device (bus:vendor:product in hex) in the Windows interface form;
    // empty for anything else.
    static std::string InterfaceName(const std::string& hid_id, const std::string& uniq);

private:
    void OnEvent();

    HWND window_ = nullptr;
    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace nimba
