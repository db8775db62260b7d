#include "hidraw_events.h"

#include <libudev.h>
#include <unistd.h>

namespace nimba::devlink {

HidrawEvents::HidrawEvents() : udev_(udev_new()) {
    if (udev_ == nullptr) return;
    // The daemon's events come after its rules have set the node's permissions, so the node
    // can be opened by then; the kernel's come without that wait.
    const bool daemon_runs = ::access("/run/udev/control", F_OK) == 0;
    monitor_ = udev_monitor_new_from_netlink(udev_, daemon_runs ? "udev" : "kernel");
    if (monitor_ == nullptr) return;
    if (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor_) < 0) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
}

HidrawEvents::~HidrawEvents() {
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    if (udev_ != nullptr) udev_unref(udev_);
}

int HidrawEvents::fd() const {
    return monitor_ != nullptr ? udev_monitor_get_fd(monitor_) : -1;
}

void HidrawEvents::Take() const {
    if (monitor_ == nullptr) return;
    if (udev_device* device = udev_monitor_receive_device(monitor_)) udev_device_unref(device);
}

}  // namespace nimba::devlink
