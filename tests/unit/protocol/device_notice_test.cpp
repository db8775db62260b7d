#include "protocol/device_notice.h"

#include <gtest/gtest.h>

namespace nimba {
namespace {

TEST(DeviceNotice, WrongIdUnknownClassOrValuesOutsideTheClassRangeAreIgnored) {
    for (uint16_t word : {0x1048, 0x3047, 0x0047}) EXPECT_FALSE(ParseDeviceNotice(word, 1)) << word;
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

}  // namespace
}  // namespace nimba
