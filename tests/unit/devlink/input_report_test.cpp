#include "input_report.h"

#include <gtest/gtest.h>

#include <vector>

using nimba::devlink::Notice;
using nimba::devlink::ParseInputReport;

namespace {

std::vector<Notice> Parse(const std::vector<uint8_t>& report) {
    return ParseInputReport(report.data(), report.size());
}

}  // namespace

TEST(InputReport, FindsNoticesWithOrWithoutReportIdAndPadding) {
    // A bare notice: DPI stage 3.
    EXPECT_EQ(Parse({0x47, 0x10, 0x03, 0x00}), (std::vector<Notice>{{0x1047, 0x0003}}));
    // Behind a report id byte, followed by zero padding: power status, 50 % on battery.
    EXPECT_EQ(Parse({0x05, 0x47, 0x40, 0x00, 0x32, 0x00, 0x00, 0x00}),
              (std::vector<Notice>{{0x4047, 0x3200}}));
    // Two notices in one report; a value byte of 0x47 does not start a third.
    EXPECT_EQ(Parse({0x47, 0x50, 0x47, 0x47, 0x47, 0x70, 0x30, 0x00}),
              (std::vector<Notice>{{0x5047, 0x4747}, {0x7047, 0x0030}}));
}

TEST(InputReport, IgnoresWhatIsNotANotice) {
    EXPECT_TRUE(Parse({}).empty());
    EXPECT_TRUE(Parse({0x00, 0x00, 0x00, 0x00, 0x00}).empty());
    // Marker without a class byte of the notice form.
    EXPECT_TRUE(Parse({0x47, 0x00, 0x01, 0x00}).empty());
    EXPECT_TRUE(Parse({0x47, 0x13, 0x01, 0x00}).empty());
    // Cut short at the end of the report: never read past it.
    EXPECT_TRUE(Parse({0x00, 0x47, 0x10, 0x03}).empty());
}
