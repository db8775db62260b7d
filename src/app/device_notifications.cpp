#include "app/device_notifications.h"

#include <libudev.h>

#include <QSocketNotifier>
#include <cstdio>
#include <cstring>

#include "platform/device_notification.h"

namespace nimba {
namespace {

constexpr unsigned kBusBluetooth = 0x0005;
// The HID-over-GATT service class the system names Bluetooth LE HID interfaces after.
constexpr char kHidOverGattClass[] = "{00001812-0000-1000-8000-00805f9b34fb}";

const char* Property(udev_device* device, const char* key) {
    const char* value = udev_device_get_property_value(device, key);
    return value != nullptr ? value : "";
}

}  // namespace

DeviceNotifications::~DeviceNotifications() {
    notifier_.reset();
    if (monitor_ != nullptr) udev_monitor_unref(monitor_);
    if (udev_ != nullptr) udev_unref(udev_);
}

bool DeviceNotifications::Start() {
    udev_ = udev_new();
    if (udev_ == nullptr) return false;
    monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
    if (monitor_ == nullptr) return false;
    for (const char* subsystem : {"hidraw", "hid", "bluetooth"}) {
        udev_monitor_filter_add_match_subsystem_devtype(monitor_, subsystem, nullptr);
    }
    if (udev_monitor_enable_receiving(monitor_) != 0) return false;
    notifier_ =
        std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor_), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { OnEvent(); });
    return true;
}

std::string DeviceNotifications::InterfaceName(const std::string& hid_id, const std::string& uniq) {
    unsigned bus = 0, vendor = 0, product = 0;
    if (std::sscanf(hid_id.c_str(), "%x:%x:%x", &bus, &vendor, &product) != 3) return {};
    char name[160];
    if (bus == kBusBluetooth) {
        // Bluetooth vendor ids carry their source (02 = USB-IF assigned) in front.
        std::snprintf(name, sizeof name, "\\\\?\\HID#%s_Dev_VID&02%04x_PID&%04x#%s",
                      kHidOverGattClass, vendor & 0xFFFF, product & 0xFFFF, uniq.c_str());
    } else {
        std::snprintf(name, sizeof name, "\\\\?\\HID#VID_%04X&PID_%04X#%s", vendor & 0xFFFF,
                      product & 0xFFFF, uniq.c_str());
    }
    return name;
}

void DeviceNotifications::OnEvent() {
    udev_device* device = udev_monitor_receive_device(monitor_);
    if (device == nullptr) return;
    const char* action = udev_device_get_action(device);
    const std::string subsystem =
        udev_device_get_subsystem(device) ? udev_device_get_subsystem(device) : "";
    WPARAM event = 0;
    if (action != nullptr && std::strcmp(action, "add") == 0) event = DBT_DEVICEARRIVAL;
    if (action != nullptr && std::strcmp(action, "remove") == 0) event = DBT_DEVICEREMOVECOMPLETE;
    if (event != 0 && subsystem == "hid") {
        const std::string name =
            InterfaceName(Property(device, "HID_ID"), Property(device, "HID_UNIQ"));
        if (!name.empty()) platform::BroadcastDeviceChange(event, name);
    } else {
        platform::BroadcastDeviceChange(DBT_DEVNODES_CHANGED, {});
    }
    udev_device_unref(device);
}

}  // namespace nimba
