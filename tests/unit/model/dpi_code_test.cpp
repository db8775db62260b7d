#include "model/dpi_code.h"

#include <gtest/gtest.h>

#include <limits>

namespace nimba {
namespace {

TEST(DpiFromCode, StepsOf50ThenOf100AndNeverOverflows) {
    EXPECT_EQ(DpiFromCode(1), 50);
    EXPECT_EQ(DpiFromCode(200), 10000);
    EXPECT_EQ(DpiFromCode(201), 10100);
    EXPECT_EQ(DpiFromCode(220), 12000);
    // Codes from foreign files.
    for (int32_t code : {std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()})
        EXPECT_EQ(DpiFromCode(code), code);
}

}  // namespace
}  // namespace nimba
