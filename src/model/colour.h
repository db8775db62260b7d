#pragma once

#include <cstdint>

#include "model/profile_record.h"

namespace nimba {

// Colour fields hold R, G, B, 0; the colour controls work with opaque ARGB values.
constexpr uint32_t ColourToArgb(Colour colour) {
    return 0xFF000000u | uint32_t{colour.r} << 16 | uint32_t{colour.g} << 8 | colour.b;
}

// The alpha byte of `argb` is dropped: the mouse has no transparency.
constexpr Colour ColourFromArgb(uint32_t argb) {
    return Colour{static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                  static_cast<uint8_t>(argb), 0};
}

}  // namespace nimba
