#include "model/dpi_code.h"

#include <gtest/gtest.h>

#include <limits>

namespace nimba {
namespace {

// Codes 1..340 are checked against the simulated sensor (SensorDpi test); codes from foreign
// files must not overflow.
TEST(DpiFromCode, ForeignCodesNeverOverflow) {
    for (int32_t code : {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()})
        EXPECT_EQ(DpiFromCode(code), code);
}

}  // namespace
}  // namespace nimba
