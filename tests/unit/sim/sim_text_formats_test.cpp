#include <gtest/gtest.h>

#include "sim/sim_config.h"

using namespace nimba::sim;

TEST(SimConfig, ReadsKeyValueLinesAndKeepsDefaultsForTheRest) {
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
    EXPECT_FALSE(bad.charging.has_value());
    EXPECT_EQ(LoadSimConfig("/nonexistent/mouse-sim.conf").battery, 80);
}
