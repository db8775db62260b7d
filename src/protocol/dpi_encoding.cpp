#include "protocol/dpi_encoding.h"

#include <algorithm>
#include <array>

namespace nimba {

namespace {

constexpr int32_t kMaxEncodableCode = 340;
constexpr int32_t kHighCodeThreshold = 220;

// Sensor steps: ceil(20n / 17) - 1, except step 6, which the sensor takes as 6.
constexpr std::array<uint8_t, 201> kSensorTable = [] {
    std::array<uint8_t, 201> table{};
    for (int n = 1; n <= 200; ++n) table[n] = static_cast<uint8_t>((20 * n + 16) / 17 - 1);
    table[6] = 6;
    return table;
}();

int32_t ClampCode(int32_t code) {
    return std::clamp(code, 0, kMaxEncodableCode);
}

}  // namespace

DpiEncoding EncodeDpiCode(int32_t code) {
    const int32_t t = ClampCode(code);
    if (t <= 200) return {kSensorTable[t], 0};
    if (t <= 220) return {kSensorTable[t - 100], 1};
    if (t <= 300) return {kSensorTable[t - 100], 0};
    if (t == 301) return {kSensorTable[200], 1};
    return {kSensorTable[100 + (t - 300) / 2], 1};
}

bool IsHighDpiCode(int32_t code) {
    return ClampCode(code) > kHighCodeThreshold;
}

}  // namespace nimba
