#include "mousectl/hex_line.h"

namespace nimba::mousectl {

void PrintHexLine(std::ostream& out, std::string_view label, std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out << label;
    for (uint8_t byte : bytes) out << ' ' << kDigits[byte >> 4] << kDigits[byte & 0x0F];
    out << '\n';
}

}  // namespace nimba::mousectl
