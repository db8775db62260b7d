#include "device/ble_presence.h"

#include <hidapi.h>

#include <mutex>

#include "device/mouse_ids.h"
#include "platform/hid_lock.h"

namespace nimba {

bool BleMouseFound() {
    // The driver libraries' monitor threads use hidapi at the same time.
    std::lock_guard lock(platform::HidApiMutex());
    // A HID layer that cannot start has no mouse to offer.
    if (hid_init() != 0) return false;
    hid_device_info* devices = hid_enumerate(kBleMouseId.vendor, kBleMouseId.product);
    const bool found = devices != nullptr;
    hid_free_enumeration(devices);
    return found;
}

}  // namespace nimba
