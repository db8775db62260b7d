#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nimba::devlink {

// One 4-byte notice as the program receives it: word = 0x47 + class x 256, value 16-bit.
struct Notice {
    uint16_t word;
    uint16_t value;
    bool operator==(const Notice&) const = default;
};

// The notices carried by one input report. A report may or may not start with a report-id
// byte and may hold several notices or padding, so notices are found by their 0x47 marker
// followed by a class byte (0x10..0xF0 with a zero low nibble); a truncated one at the end
// is dropped.
std::vector<Notice> ParseInputReport(const uint8_t* data, size_t length);

}  // namespace nimba::devlink
