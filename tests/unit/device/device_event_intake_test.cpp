#include "device/device_event_intake.h"

#include <gtest/gtest.h>

#include <thread>

#include "device/apply_profile.h"
#include "device/device_messages.h"
#include "intake_rig.h"

namespace nimba {
namespace {

class IntakeTest : public ::testing::Test, protected test::IntakeRig {
protected:
    void Ble(std::vector<uint8_t> bytes) {
        intake.OnBleNotification(bytes.data(), static_cast<uint32_t>(bytes.size()));
        platform::test::Pump();
    }
    bool Charging() {
        controls.progress.clear();
        platform::test::AdvanceBy(90);
        return controls.power_key == "charging_text" && controls.progress.size() == 3;
    }
};

// What the parser refuses is the DeviceNotice tests' part.
TEST_F(IntakeTest, RefusedOrIgnoredNoticesChangeNothing) {
    const ProfileRecord before = profile.Current();
    intake.HandleUsbNotice(0x1047, 9);  // stage out of range
    intake.HandleUsbNotice(0x6047, 2);  // a class the program ignores
    platform::test::Pump();
    EXPECT_EQ(DetectChanges(profile.Current(), before), ChangeFlags{});
    EXPECT_EQ(profile.saves, 0);
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(controls.dpi_stage, 0);
}

TEST_F(IntakeTest, ReportRateNoticeIsThePollingIntervalAndAStoreOnlyNoticeSavesAsIs) {
    const std::pair<uint16_t, int32_t> cases[] = {{8, 0}, {4, 1}, {2, 2}, {1, 3}, {5, 3}, {3, 3}};
    for (const auto& [interval, rate] : cases) {
        intake.HandleUsbNotice(0x2047, interval);
        EXPECT_EQ(profile.Current().report_rate, rate) << interval;
    }
    EXPECT_EQ(profile.saves, 6);  // kept even when the rate stays
    EXPECT_EQ(snapshot.Get().report_rate, 3);

    profile.UpdateCurrent([](ProfileRecord& p) { p.report_rate ^= 1; });  // not yet sent
    intake.HandleUsbNotice(0x8047, 5);
    EXPECT_EQ(profile.saves, 7);
    EXPECT_NE(snapshot.Get().report_rate, profile.Current().report_rate);
}

TEST_F(IntakeTest, PowerStatusOverTheReceiver) {
    links.wireless_link = 1;
    intake.HandleUsbNotice(0x4047, 0x3200);
    EXPECT_EQ(controls.power_text, "50%");
    // Shown once, with no flash of a full bar first.
    EXPECT_EQ(controls.progress, std::vector<int>{50});
    EXPECT_EQ(std::tuple(links.wireless_awake.load(), links.awaiting_device.load()),
              std::tuple(1, 0));
    EXPECT_EQ(controls.Visible(Indicator::kWireless), 1);
    EXPECT_EQ(controls.Visible(Indicator::kSleepLabel), 0);
    EXPECT_EQ(profile.saves, 0);
    // The watchdog restarts from each notice.
    platform::test::AdvanceBy(5999);
    intake.HandleUsbNotice(0x4047, 0x3200);
    platform::test::AdvanceBy(5999);
    EXPECT_EQ(window.Count(WM_TIMER, kWirelessWatchdogTimer), 0);
    platform::test::AdvanceBy(1);
    EXPECT_EQ(window.Count(WM_TIMER, kWirelessWatchdogTimer), 1);

    intake.HandleUsbNotice(0x4047, 0x9600);  // level 150
    EXPECT_EQ(controls.power_text, "100%");
    intake.HandleUsbNotice(0x4047, 0x1203);
    EXPECT_TRUE(Charging());
    intake.HandleUsbNotice(0x4047, 0x1202);  // full reads as on battery off the cable
    EXPECT_EQ(controls.power_text, "18%");
    EXPECT_FALSE(Charging());
}

TEST_F(IntakeTest, PowerStatusWhileTheCableIsIn) {
    links.wired_link = 1;
    links.wireless_awake = 1;
    intake.HandleUsbNotice(0x4047, 0x3200);
    EXPECT_TRUE(Charging());
    EXPECT_EQ(std::tuple(links.wireless_awake.load(), links.awaiting_device.load()),
              std::tuple(0, 1));
    EXPECT_EQ(controls.Visible(Indicator::kWireless), 0);
    intake.HandleUsbNotice(0x4047, 0x6402);
    EXPECT_EQ(controls.power_text, "100%");
    EXPECT_FALSE(Charging());
}

// The level over Bluetooth is the ble_only story's part.
TEST_F(IntakeTest, PowerStatusOverBleTouchesNoLink) {
    Ble({0x47, 0x40, 0x03, 0x00});
    EXPECT_TRUE(Charging());
    Ble({0x47, 0x40, 0x00, 0x96});  // level 150: the display stays, the animation stops
    EXPECT_EQ(controls.power_key, "charging_text");
    EXPECT_FALSE(Charging());
    Ble({0x47, 0x40, 0x02, 0x00});
    EXPECT_EQ(controls.power_text, "100%");
    EXPECT_EQ(std::tuple(links.wireless_awake.load(), links.awaiting_device.load()),
              std::tuple(0, 1));
    EXPECT_EQ(controls.Visible(Indicator::kWireless), -1);
    EXPECT_EQ(window.Count(WM_TIMER, kWirelessWatchdogTimer), 0);
}

TEST_F(IntakeTest, BleNoticeIsTakenInOnTheWindowThreadAndShortValuesAreDropped) {
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, {0x47}, {0x47, 0x10}, {0x47, 0x10, 0x03}}) {
        Ble(bytes);
    }
    EXPECT_EQ(window.Count(kBleNoticeMessage), 0);
    EXPECT_EQ(controls.dpi_stage, 0);

    const std::vector<uint8_t> stage{0x47, 0x10, 0x04, 0x00};
    std::thread callback([&] { intake.OnBleNotification(stage.data(), 4); });
    callback.join();
    EXPECT_EQ(profile.Current().current_dpi_stage, snapshot.Get().current_dpi_stage);
    EXPECT_EQ(controls.dpi_stage, 0);
    platform::test::Pump();
    EXPECT_EQ(profile.Current().current_dpi_stage, 3);
    EXPECT_EQ(controls.dpi_stage, 4);
    EXPECT_EQ(window.Count(kDpiNoticeMessage), 1);
}

}  // namespace
}  // namespace nimba
