#include <gtest/gtest.h>

#include <limits>

#include "model/profile_defaults.h"
#include "protocol/dpi_encoding.h"
#include "protocol/report_catalogue.h"
#include "protocol/report_checksum.h"

namespace nimba {
namespace {

TEST(DpiSensorReport, StageBitsFollowEnableFlagsAndHighCodes) {
    auto profile = NewProfile(u"p");
    profile->dpi_stage_enabled[6] = 1;  // enabled but code 0: sends no step
    profile->dpi_stage_enabled[0] = 0;
    profile->dpi_x[2] = 221;
    profile->dpi_x[3] = 5000;  // from a foreign file: clamped, still a high code
    profile->current_dpi_stage = 7;
    const auto report = BuildDpiSensorReport(*profile);
    EXPECT_EQ(report[5], 0x7E);
    EXPECT_EQ(report[6], 0x0C);
    EXPECT_EQ(report[7], 0x0C);
    EXPECT_EQ(report[8 + 6], 0);
    EXPECT_EQ(report[16 + 6], 0);
    EXPECT_EQ(report[8 + 2], 142);
    EXPECT_EQ(report[16 + 2], 0);
    EXPECT_EQ(report[24], 8);
    EXPECT_EQ(report[50] << 8 | report[51], ReportChecksum(report, 3, 49));
}

// Codes 1..340 are read back by the simulated sensor (SensorDpi test); the rest are clamped.
TEST(EncodeDpiCode, ClampsCodesWithoutAnEncoding) {
    struct Case {
        int32_t code;
        uint8_t value, flag;
    };
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    for (const Case& c : {Case{0, 0, 0}, Case{341, 141, 1}, Case{100000, 141, 1},
                          Case{kMax, 141, 1}, Case{-1, 0, 0}, Case{kMin, 0, 0}}) {
        const DpiEncoding e = EncodeDpiCode(c.code);
        EXPECT_EQ(e.value, c.value) << "code " << c.code;
        EXPECT_EQ(e.range_flag, c.flag) << "code " << c.code;
        EXPECT_EQ(IsHighDpiCode(c.code), c.code > 220) << "code " << c.code;
    }
}

TEST(LightingReport, PacksSleepTimerWithSpeedAndBrightness) {
    auto profile = NewProfile(u"p");
    profile->sleep_timer = 0x5A;
    profile->light_speed = 2;
    profile->light_brightness = 3;
    profile->light_mode = 9;
    const auto report = BuildLightingReport(*profile);
    EXPECT_EQ(report[3], 0x90);
    EXPECT_EQ(report[4], 0x57);  // sleep high nibble, 9 - speed
    EXPECT_EQ(report[5], 0xA3);  // sleep low nibble, brightness
}

}  // namespace
}  // namespace nimba
