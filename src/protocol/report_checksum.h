#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace nimba {

// The 16-bit wrapping sum of report[first..last] (both inclusive).
uint16_t ReportChecksum(std::span<const uint8_t> report, size_t first, size_t last);

// Sums report[first..last] and stores the sum high byte first right after `last`.
void WriteChecksum(std::span<uint8_t> report, size_t first, size_t last);

}  // namespace nimba
