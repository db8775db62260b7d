#pragma once

#include <cstdint>

namespace nimba {

// Byte 0 of every report the program sends.
inline constexpr uint8_t kPreambleReportId = 0x0C;
inline constexpr uint8_t kDpiSensorReportId = 0x04;
inline constexpr uint8_t kLightingReportId = 0x05;
inline constexpr uint8_t kReportRateReportId = 0x06;
inline constexpr uint8_t kButtonReportId = 0x08;
inline constexpr uint8_t kMacroReportId = 0x09;

}  // namespace nimba
