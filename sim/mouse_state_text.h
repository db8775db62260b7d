#pragma once

#include <string>

#include "sim/virtual_mouse.h"

namespace nimba::sim {

// The state as a person reads it: links, power, the DPI stages in DPI, lighting, rate,
// the device bytes of the 18 buttons and the macros held.
std::string DescribeMouse(const MouseSnapshot& state);

}  // namespace nimba::sim
