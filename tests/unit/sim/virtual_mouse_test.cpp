#include "sim/virtual_mouse.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "model/profile_defaults.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "protocol/report_catalogue.h"
#include "recording_window.h"

using namespace nimba;
using sim::SimLink;
using sim::VirtualMouse;
using namespace nimba::test;
using Posts = std::vector<Posted>;

namespace {

class VirtualMouseTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::test::UseVirtualClock(true);
        std::filesystem::remove(log_path_);
    }
    void TearDown() override {
        mouse_.reset();
        std::filesystem::remove(log_path_);
        platform::test::UseVirtualClock(false);
    }

    // A mouse with both USB monitors on the window.
    void Mouse() {
        mouse_ = std::make_unique<VirtualMouse>(sim::SimConfig{}, log_path_);
        mouse_->AttachMonitor(SimLink::kWired, window_.hwnd, kWiredNotice, kWiredPresence);
        mouse_->AttachMonitor(SimLink::kWireless, window_.hwnd, kWirelessNotice, kWirelessPresence);
    }
    // Everything posted to the window since the last call, after `ms` of virtual time.
    std::vector<Posted> After(uint32_t ms) {
        platform::test::Pump();
        platform::test::AdvanceBy(ms);
        return window_.Take();
    }

    test::RecordingWindow window_;
    // One log per process: ctest runs the cases of this file side by side.
    std::string log_path_ =
        ::testing::TempDir() + "virtual_mouse_test." + std::to_string(getpid()) + ".log";
    std::unique_ptr<VirtualMouse> mouse_;
};

}  // namespace

TEST_F(VirtualMouseTest, HearsOnlyWritesThatReachIt) {
    Mouse();
    After(0);
    const auto lighting = BuildLightingReport(*NewProfile(u"p"));
    // Asleep: the receiver takes the write, the mouse never hears it.
    mouse_->SetAwake(false);
    EXPECT_EQ(mouse_->WriteFeature(SimLink::kWireless, lighting), 1);
    EXPECT_EQ(After(100), Posts{});
    // The cable carries writes without acknowledgements; without it nothing is written.
    EXPECT_EQ(mouse_->WriteFeature(SimLink::kWired, lighting), 0);
    mouse_->SetCable(true);
    mouse_->SetAwake(true);
    After(0);
    EXPECT_EQ(mouse_->WriteFeature(SimLink::kWired, lighting), 1);
    EXPECT_EQ(mouse_->WriteFeature(SimLink::kWireless, lighting), 1);  // silent while wired
    EXPECT_EQ(After(100), Posts{});
    EXPECT_EQ(test::FileLines(log_path_),
              std::vector<std::string>{"wired 05 0F 01 00 03 A8 00 00 FF 01 04 01 AF 00 00"});
}

TEST_F(VirtualMouseTest, DpiButtonCyclesTheEnabledStagesItHolds) {
    Mouse();
    auto profile = NewProfile(u"p");
    profile->dpi_stage_enabled[1] = 0;  // stages 1 and 3 left, the third active
    for (int i = 3; i < 8; ++i) profile->dpi_stage_enabled[i] = 0;
    profile->current_dpi_stage = 2;
    mouse_->WriteFeature(SimLink::kWireless, BuildDpiSensorReport(*profile));
    After(VirtualMouse::kAckDelayMs);
    mouse_->PressDpi();
    mouse_->PressDpi();
    mouse_->PressLight();
    EXPECT_EQ(After(0), (Posts{{kWirelessNotice, 0x1047, 1},
                               {kWirelessNotice, 0x1047, 3},
                               {kWirelessNotice, 0x7047, 0x10}}));
}
