#pragma once

#include <cstdint>

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

}  // namespace nimba
