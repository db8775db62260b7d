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
using namespace nimba::test;

// What the mouse hears and says over its links is walked by SimulatedLinksTest and the stories;
// here the DPI button skipping the stages a written profile turned off.
TEST(VirtualMouseTest, DpiButtonCyclesTheEnabledStagesItHolds) {
    platform::test::UseVirtualClock(true);
    // One log per process: ctest runs the cases of this suite side by side.
    const std::string log =
        ::testing::TempDir() + "virtual_mouse_test." + std::to_string(getpid()) + ".log";
    RecordingWindow window;
    {
        sim::VirtualMouse mouse(sim::SimConfig{}, log);
        mouse.AttachMonitor(sim::SimLink::kWireless, window.hwnd, kWirelessNotice,
                            kWirelessPresence);
        auto profile = NewProfile(u"p");
        profile->dpi_stage_enabled[1] = 0;  // stages 1 and 3 left, the third active
        for (int i = 3; i < 8; ++i) profile->dpi_stage_enabled[i] = 0;
        profile->current_dpi_stage = 2;
        mouse.WriteFeature(sim::SimLink::kWireless, BuildDpiSensorReport(*profile));
        platform::test::AdvanceBy(sim::VirtualMouse::kAckDelayMs);
        window.Take();
        mouse.PressDpi();
        mouse.PressDpi();
        mouse.PressLight();
        platform::test::Pump();
        EXPECT_EQ(window.Take(), (std::vector<Posted>{{kWirelessNotice, 0x1047, 1},
                                                      {kWirelessNotice, 0x1047, 3},
                                                      {kWirelessNotice, 0x7047, 0x10}}));
    }
    std::filesystem::remove(log);
    platform::test::UseVirtualClock(false);
}
