#pragma once

namespace nimba {

// Whether the Bluetooth LE mouse is among the system's HID devices.
bool BleMouseFound();

}  // namespace nimba
