#pragma once

// The system's device-interface arrivals and removals, from the kernel's device events (hidraw,
// hid and bluetooth), broadcast to the windows registered for them with the interface named in
// the Windows form, so the windows' name tests stay as they are. Nothing polls: the monitor's
// descriptor wakes the thread that started it.

#include <QSocketNotifier>
#include <memory>
#include <string>

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
    bool Start();

    // "HID_ID" of a hid device (bus:vendor:product in hex) in the Windows interface form;
    // empty for anything else.
    static std::string InterfaceName(const std::string& hid_id, const std::string& uniq);

private:
    void OnEvent();

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace nimba
