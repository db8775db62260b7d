#pragma once

#include <cstdint>

namespace nimba::sim {

// The DPI a stage of the DPI report sets: its value byte, its range flag and its bit of the
// high-code mask; 0 for a stage that is off or a value the sensor does not know.
int SensorDpi(uint8_t value, uint8_t rangeFlag, bool highCode);

}  // namespace nimba::sim
