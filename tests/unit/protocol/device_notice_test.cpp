#include "protocol/device_notice.h"

#include <gtest/gtest.h>

#include <vector>

namespace nimba {
namespace {

std::optional<DeviceNotice> Parse(std::vector<uint8_t> bytes) {
    return ParseDeviceNotice(bytes);
}

TEST(DeviceNotice, BothFormsAgree) {
    for (const auto& notice : {Parse({0x47, 0x10, 0x03, 0x00}), ParseDeviceNotice(0x1047, 3)}) {
        ASSERT_TRUE(notice);
        EXPECT_EQ(notice->notice_class, kNoticeDpiStage);
        EXPECT_EQ(notice->value, 3);
    }
}

TEST(DeviceNotice, WrongIdUnknownClassOrShortInputIsIgnored) {
    for (uint16_t word : {0x1048, 0x3047, 0x0047}) EXPECT_FALSE(ParseDeviceNotice(word, 1)) << word;
    EXPECT_FALSE(Parse({0x46, 0x10, 0x01, 0x00}));
    EXPECT_FALSE(Parse({0x47, 0x10, 0x01}));
    EXPECT_FALSE(Parse({}));
}

TEST(DeviceNotice, ValuesOutsideTheClassRangeAreIgnored) {
    struct Case {
        uint16_t word;
        uint16_t low, high;
    };
    for (const Case& c :
         {Case{0x1047, 1, 8}, Case{0x2047, 1, 8}, Case{0x6047, 1, 10}, Case{0x8047, 1, 5}}) {
        EXPECT_FALSE(ParseDeviceNotice(c.word, c.low - 1)) << std::hex << c.word;
        EXPECT_TRUE(ParseDeviceNotice(c.word, c.low)) << std::hex << c.word;
        EXPECT_TRUE(ParseDeviceNotice(c.word, c.high)) << std::hex << c.word;
        EXPECT_FALSE(ParseDeviceNotice(c.word, c.high + 1)) << std::hex << c.word;
        EXPECT_FALSE(ParseDeviceNotice(c.word, 0x0100 + c.low)) << std::hex << c.word;
    }
}

TEST(DeviceNotice, PowerStatusCarriesStatusAndLevel) {
    for (uint8_t level : {0x00, 0x32, 0xFF}) {
        const auto charging = Parse({0x47, 0x40, 0x03, level});
        ASSERT_TRUE(charging);
        EXPECT_EQ(PowerStatus(*charging), kPowerCharging);
    }
    const auto battery = Parse({0x47, 0x40, 0x00, 0x32});
    ASSERT_TRUE(battery);
    EXPECT_EQ(PowerStatus(*battery), 0);
    EXPECT_EQ(BatteryLevel(*battery), 50);
}

}  // namespace
}  // namespace nimba
