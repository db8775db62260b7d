#pragma once

#include <cstdint>

namespace nimba {

// How the sensor is told one stage's DPI: a step of its table and a range flag.
struct DpiEncoding {
    uint8_t value;
    uint8_t range_flag;
};

// Codes the mouse has no encoding for (outside 0..340, only possible from a foreign file)
// are clamped into that range first, so the sensor table is never read out of bounds.
DpiEncoding EncodeDpiCode(int32_t code);

// Whether the stage counts as high resolution (its bit in the high-code mask), judged on the
// same clamped code EncodeDpiCode uses.
bool IsHighDpiCode(int32_t code);

}  // namespace nimba
