#include "device/ble_presence.h"

#include <hidapi.h>

#include <mutex>

#include "platform/hid_lock.h"

namespace nimba {

bool BleMouseFound() {
    constexpr unsigned short kVendorId = 0x045E;
    constexpr unsigned short kProductId = 0x0047;
    // The driver libraries' monitor threads use hidapi at the same time.
    std::lock_guard lock(platform::HidApiMutex());
    // A HID layer that cannot start has no mouse to offer.
    if (hid_init() != 0) return false;
    hid_device_info* devices = hid_enumerate(kVendorId, kProductId);
    const bool found = devices != nullptr;
    hid_free_enumeration(devices);
    return found;
}

}  // namespace nimba
