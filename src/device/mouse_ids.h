#pragma once

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

namespace nimba {

// The USB vendor and product ids the mouse shows on each link. The udev rule that lets the
// logged-in user open the mouse lists the same pairs.
struct UsbId {
    uint16_t vendor;
    uint16_t product;
};

inline constexpr UsbId kWiredMouseId{0x1D57, 0x2015};
inline constexpr UsbId kReceiverId{0x1D57, 0xFA60};
inline constexpr UsbId kBleMouseId{0x045E, 0x0047};

// How the mouse's device interface names over Bluetooth LE carry its ids: "VID&02045E" (02: a
// vendor id assigned by the USB-IF) and "PID&0047", in either case.
inline std::string BleVendorMatch() {
    char text[16];
    std::snprintf(text, sizeof text, "VID&02%04X", static_cast<unsigned>(kBleMouseId.vendor));
    return text;
}
inline std::string BleProductMatch() {
    char text[16];
    std::snprintf(text, sizeof text, "PID&%04X", static_cast<unsigned>(kBleMouseId.product));
    return text;
}
inline bool IsBleMouseInterface(std::string_view name) {
    std::string upper(name);
    std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return std::toupper(c); });
    return upper.find(BleVendorMatch()) != std::string::npos &&
           upper.find(BleProductMatch()) != std::string::npos;
}

}  // namespace nimba
