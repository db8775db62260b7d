#include <gtest/gtest.h>

#include "sim/sim_config.h"

using namespace nimba::sim;

TEST(SimConfig, ReadsKeyValueLinesAndKeepsDefaultsForTheRest) {
    const SimConfig config = ParseSimConfig(
        "# start on the cable\n cable = in \r\nreceiver=out\nble=on   # paired\n"
        "awake=no\ncharging=off\nbattery=40\n");
    EXPECT_TRUE(config.cable && !config.receiver && config.ble && !config.awake);
    EXPECT_EQ(config.charging, false);
    EXPECT_EQ(config.battery, 40);

    const SimConfig bad = ParseSimConfig("battery=140\nbattery=4x\ncable=maybe\nreceiver\n");
    EXPECT_TRUE(bad.battery == 80 && !bad.cable && bad.receiver && !bad.charging.has_value());
    EXPECT_EQ(LoadSimConfig("/nonexistent/mouse-sim.conf").battery, 80);
}
