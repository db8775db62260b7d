#include "device/device_event_intake.h"

#include <gtest/gtest.h>

#include <thread>

#include "device/apply_profile.h"
#include "device/device_messages.h"
#include "device_fakes.h"
#include "platform/clock.h"

namespace nimba {
namespace {

class IntakeTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::test::UseVirtualClock(true);
        window_.route = [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == kBleNoticeMessage) {
                intake_.HandleBleNotice(static_cast<uint16_t>(wParam),
                                        static_cast<uint16_t>(lParam));
            }
            if (msg == WM_TIMER && wParam == kChargingAnimationTimer) battery_.StepAnimation();
        };
        snapshot_.Set(profile_.Current());
    }
    void TearDown() override { platform::test::UseVirtualClock(false); }

    void Ble(std::vector<uint8_t> bytes) {
        intake_.OnBleNotification(bytes.data(), static_cast<uint32_t>(bytes.size()));
        platform::test::Pump();
    }
    bool Charging() {
        controls_.progress.clear();
        platform::test::AdvanceBy(90);
        return controls_.power_key == "charging_text" && controls_.progress.size() == 3;
    }

    test::FakeControls controls_;
    test::FakeProfile profile_;
    test::RecordingWindow window_;
    LinkState links_;
    AppliedSnapshot snapshot_;
    BatteryDisplay battery_{controls_, window_.hwnd};
    DeviceEventIntake intake_{links_, controls_, battery_, profile_, snapshot_, window_.hwnd};
};

// What the parser refuses is the DeviceNotice tests' part.
TEST_F(IntakeTest, RefusedOrIgnoredNoticesChangeNothing) {
    const ProfileRecord before = profile_.Current();
    intake_.HandleUsbNotice(0x1047, 9);  // stage out of range
    intake_.HandleUsbNotice(0x6047, 2);  // a class the program ignores
    platform::test::Pump();
    EXPECT_EQ(DetectChanges(profile_.Current(), before), ChangeFlags{});
    EXPECT_EQ(profile_.saves, 0);
    EXPECT_TRUE(window_.messages.empty());
    EXPECT_EQ(controls_.dpi_stage, 0);
}

TEST_F(IntakeTest, ReportRateNoticeIsThePollingIntervalAndAStoreOnlyNoticeSavesAsIs) {
    const std::pair<uint16_t, int32_t> cases[] = {{8, 0}, {4, 1}, {2, 2}, {1, 3}, {5, 3}, {3, 3}};
    for (const auto& [interval, rate] : cases) {
        intake_.HandleUsbNotice(0x2047, interval);
        EXPECT_EQ(profile_.Current().report_rate, rate) << interval;
    }
    EXPECT_EQ(profile_.saves, 6);  // kept even when the rate stays
    EXPECT_EQ(snapshot_.Get().report_rate, 3);

    profile_.UpdateCurrent([](ProfileRecord& p) { p.report_rate ^= 1; });  // not yet sent
    intake_.HandleUsbNotice(0x8047, 5);
    EXPECT_EQ(profile_.saves, 7);
    EXPECT_NE(snapshot_.Get().report_rate, profile_.Current().report_rate);
}

TEST_F(IntakeTest, PowerStatusOverTheReceiver) {
    links_.wireless_link = 1;
    intake_.HandleUsbNotice(0x4047, 0x3200);
    EXPECT_EQ(controls_.power_text, "50%");
    // Shown once, with no flash of a full bar first.
    EXPECT_EQ(controls_.progress, std::vector<int>{50});
    EXPECT_EQ(std::tuple(links_.wireless_awake.load(), links_.awaiting_device.load()),
              std::tuple(1, 0));
    EXPECT_EQ(controls_.Visible(Indicator::kWireless), 1);
    EXPECT_EQ(controls_.Visible(Indicator::kSleepLabel), 0);
    EXPECT_EQ(profile_.saves, 0);
    // The watchdog restarts from each notice.
    platform::test::AdvanceBy(5999);
    intake_.HandleUsbNotice(0x4047, 0x3200);
    platform::test::AdvanceBy(5999);
    EXPECT_EQ(window_.Count(WM_TIMER, kWirelessWatchdogTimer), 0);
    platform::test::AdvanceBy(1);
    EXPECT_EQ(window_.Count(WM_TIMER, kWirelessWatchdogTimer), 1);

    intake_.HandleUsbNotice(0x4047, 0x9600);  // level 150
    EXPECT_EQ(controls_.power_text, "100%");
    intake_.HandleUsbNotice(0x4047, 0x1203);
    EXPECT_TRUE(Charging());
    intake_.HandleUsbNotice(0x4047, 0x1202);  // full reads as on battery off the cable
    EXPECT_EQ(controls_.power_text, "18%");
    EXPECT_FALSE(Charging());
}

TEST_F(IntakeTest, PowerStatusWhileTheCableIsIn) {
    links_.wired_link = 1;
    links_.wireless_awake = 1;
    intake_.HandleUsbNotice(0x4047, 0x3200);
    EXPECT_TRUE(Charging());
    EXPECT_EQ(std::tuple(links_.wireless_awake.load(), links_.awaiting_device.load()),
              std::tuple(0, 1));
    EXPECT_EQ(controls_.Visible(Indicator::kWireless), 0);
    intake_.HandleUsbNotice(0x4047, 0x6402);
    EXPECT_EQ(controls_.power_text, "100%");
    EXPECT_FALSE(Charging());
}

// The level over Bluetooth is the ble_only story's part.
TEST_F(IntakeTest, PowerStatusOverBleTouchesNoLink) {
    Ble({0x47, 0x40, 0x03, 0x00});
    EXPECT_TRUE(Charging());
    Ble({0x47, 0x40, 0x00, 0x96});  // level 150: the display stays, the animation stops
    EXPECT_EQ(controls_.power_key, "charging_text");
    EXPECT_FALSE(Charging());
    Ble({0x47, 0x40, 0x02, 0x00});
    EXPECT_EQ(controls_.power_text, "100%");
    EXPECT_EQ(std::tuple(links_.wireless_awake.load(), links_.awaiting_device.load()),
              std::tuple(0, 1));
    EXPECT_EQ(controls_.Visible(Indicator::kWireless), -1);
    EXPECT_EQ(window_.Count(WM_TIMER, kWirelessWatchdogTimer), 0);
}

TEST_F(IntakeTest, BleNoticeIsTakenInOnTheWindowThreadAndShortValuesAreDropped) {
    for (const std::vector<uint8_t>& bytes :
         {std::vector<uint8_t>{}, {0x47}, {0x47, 0x10}, {0x47, 0x10, 0x03}}) {
        Ble(bytes);
    }
    EXPECT_EQ(window_.Count(kBleNoticeMessage), 0);
    EXPECT_EQ(controls_.dpi_stage, 0);

    const std::vector<uint8_t> stage{0x47, 0x10, 0x04, 0x00};
    std::thread callback([&] { intake_.OnBleNotification(stage.data(), 4); });
    callback.join();
    EXPECT_EQ(profile_.Current().current_dpi_stage, snapshot_.Get().current_dpi_stage);
    EXPECT_EQ(controls_.dpi_stage, 0);
    platform::test::Pump();
    EXPECT_EQ(profile_.Current().current_dpi_stage, 3);
    EXPECT_EQ(controls_.dpi_stage, 4);
    EXPECT_EQ(window_.Count(kDpiNoticeMessage), 1);
}

}  // namespace
}  // namespace nimba
