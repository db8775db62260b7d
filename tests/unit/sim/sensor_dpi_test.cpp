#include "sim/sensor_dpi.h"

#include <gtest/gtest.h>

#include "model/dpi_code.h"
#include "protocol/dpi_encoding.h"

// The mouse must read back the DPI the program meant for every code it can send. Above
// 20000 DPI two codes share one encoding, so only the even code of each pair round-trips.
TEST(SensorDpi, ReadsBackEveryEncodedCode) {
    for (int32_t code = 1; code <= 340; ++code) {
        if (code > 301 && code % 2 != 0) continue;
        const nimba::DpiEncoding encoding = nimba::EncodeDpiCode(code);
        EXPECT_EQ(
            nimba::sim::SensorDpi(encoding.value, encoding.range_flag, nimba::IsHighDpiCode(code)),
            nimba::DpiFromCode(code))
            << "code " << code;
    }
    EXPECT_EQ(nimba::sim::SensorDpi(0, 0, false), 0);
    EXPECT_EQ(nimba::sim::SensorDpi(7, 0, false), 0);  // no step has this value
}
