#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace nimba::mousectl {

// One line: `label`, then each byte as a space-separated upper-case hex pair.
void PrintHexLine(std::ostream& out, std::string_view label, std::span<const uint8_t> bytes);

}  // namespace nimba::mousectl
