#pragma once

#include <cstdint>
#include <string_view>

namespace nimba {

// Reads a typed number the forgiving way: leading white space, an optional sign, then as
// many decimal digits as follow; anything after them is ignored and no digits give 0.
// Values beyond the int32 range saturate instead of wrapping.
int32_t ParseLeadingInteger(std::u16string_view text);

}  // namespace nimba
