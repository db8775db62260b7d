#pragma once

#include <cstdint>
#include <string_view>

namespace nimba {

// A DPI code counts 50 DPI steps up to code 200 (10000 DPI) and 100 DPI steps above it;
// the page offers codes 1..220 (50..12000 DPI).
inline constexpr int32_t kMinDpiCode = 1;
inline constexpr int32_t kMaxDpiCode = 220;

// Codes read from a file can be anything; the result saturates rather than overflowing.
int32_t DpiFromCode(int32_t code);

// The code for a typed DPI value, snapped down to the nearest step within 1..220.
int32_t CodeFromDpiText(std::u16string_view text);

}  // namespace nimba
