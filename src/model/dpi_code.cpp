#include "model/dpi_code.h"

#include <algorithm>
#include <limits>

#include "model/leading_integer.h"

namespace nimba {

int32_t DpiFromCode(int32_t code) {
    const int64_t dpi = code <= 200 ? int64_t{code} * 50 : (int64_t{code} - 100) * 100;
    return static_cast<int32_t>(std::clamp<int64_t>(dpi, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t CodeFromDpiText(std::u16string_view text) {
    const int32_t dpi = ParseLeadingInteger(text);
    if (dpi >= 12000) return kMaxDpiCode;
    if (dpi <= 50) return kMinDpiCode;
    if (dpi > 10000) return (dpi - 10000) / 100 + 200;
    return dpi / 50;
}

}  // namespace nimba
