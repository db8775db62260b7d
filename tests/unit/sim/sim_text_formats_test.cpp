#include <gtest/gtest.h>

#include <vector>

#include "sim/sim_config.h"
#include "sim/write_log.h"

using namespace nimba::sim;

TEST(SimConfig, ReadsKeyValueLinesAndKeepsDefaultsForTheRest) {
    const SimConfig defaults = ParseSimConfig("");
    EXPECT_FALSE(defaults.cable);
    EXPECT_TRUE(defaults.receiver);
    EXPECT_FALSE(defaults.ble);
    EXPECT_TRUE(defaults.awake);
    EXPECT_EQ(defaults.battery, 80);
    EXPECT_FALSE(defaults.charging.has_value());

    const SimConfig config = ParseSimConfig(
        "# start on the cable\n"
        " cable = in \r\n"
        "receiver=out\n"
        "ble=on   # paired\n"
        "awake=no\n"
        "charging=off\n"
        "battery=40\n");
    EXPECT_TRUE(config.cable);
    EXPECT_FALSE(config.receiver);
    EXPECT_TRUE(config.ble);
    EXPECT_FALSE(config.awake);
    EXPECT_EQ(config.charging, false);
    EXPECT_EQ(config.battery, 40);

    const SimConfig bad = ParseSimConfig("battery=140\nbattery=4x\ncable=maybe\nreceiver\n");
    EXPECT_EQ(bad.battery, 80);
    EXPECT_FALSE(bad.cable);
    EXPECT_TRUE(bad.receiver);
    EXPECT_EQ(LoadSimConfig("/nonexistent/mouse-sim.conf").battery, 80);
}

TEST(WriteLog, OneLinePerWriteInUpperCaseHexPairs) {
    const std::vector<uint8_t> rate = {0x06, 0x09, 0x01, 0x01, 0xFE, 0x00, 0x00, 0x00, 0x00};
    EXPECT_EQ(FormatWriteLine(SimLink::kWired, rate), "wired 06 09 01 01 FE 00 00 00 00");
    EXPECT_EQ(FormatWriteLine(SimLink::kWireless, std::vector<uint8_t>{0xAB}), "wireless AB");
    EXPECT_EQ(FormatWriteLine(SimLink::kBle, {}), "ble");
}
