// The HID layer of the demo folder: the program looks for the Bluetooth LE mouse among the
// system's HID devices, and here the virtual mouse answers, listed while its Bluetooth LE is
// connected. The program finds this library before the system's, as it finds the driver
// libraries, because it looks in its own folder first.

#include <hidapi.h>

#include <cstdlib>
#include <cwchar>

#include "sim/virtual_mouse.h"

namespace {

constexpr unsigned short kVendorId = 0x045E;
constexpr unsigned short kProductId = 0x0047;

}  // namespace

extern "C" {

int hid_init() {
    nimba::sim::VirtualMouse::Instance();
    return 0;
}

int hid_exit() {
    return 0;
}

hid_device_info* hid_enumerate(unsigned short vendorId, unsigned short productId) {
    if ((vendorId != 0 && vendorId != kVendorId) || (productId != 0 && productId != kProductId))
        return nullptr;
    if (!nimba::sim::VirtualMouse::Instance().IsPresent(nimba::sim::SimLink::kBle)) return nullptr;
    auto* device = static_cast<hid_device_info*>(std::calloc(1, sizeof(hid_device_info)));
    if (device == nullptr) return nullptr;
    device->path = static_cast<char*>(std::calloc(1, 1));
    device->vendor_id = kVendorId;
    device->product_id = kProductId;
    device->product_string = wcsdup(L"NIMBA R380X");
    device->bus_type = HID_API_BUS_BLUETOOTH;
    return device;
}

void hid_free_enumeration(hid_device_info* devices) {
    while (devices != nullptr) {
        hid_device_info* next = devices->next;
        std::free(devices->path);
        std::free(devices->product_string);
        std::free(devices);
        devices = next;
    }
}

}  // extern "C"
