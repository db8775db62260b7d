#pragma once

#include <string>
#include <string_view>

namespace nimba::sim {

class VirtualMouse;

// Carries out one control-tool command ("press dpi", "cable out", "battery 40", "state",
// "log", ...) and gives the answer the control socket sends back.
std::string RunControlCommand(VirtualMouse& mouse, std::string_view command);

}  // namespace nimba::sim
