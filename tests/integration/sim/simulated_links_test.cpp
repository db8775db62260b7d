// The program's view of the simulated mouse: the driver libraries of the demo folder loaded
// and opened as the program opens them, reports from the catalogue, and the control tool
// driving the simulator this process hosts.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "devlink.h"
#include "model/profile_defaults.h"
#include "platform/clock.h"
#include "platform/library.h"
#include "platform/messages.h"
#include "protocol/report_catalogue.h"
#include "recording_window.h"
#include "run_command.h"
#include "sim/virtual_mouse.h"

using namespace nimba;
using namespace nimba::test;

namespace {

std::string EnvDir(const char* name) {
    const char* dir = std::getenv(name);
    return std::string(dir != nullptr ? dir : ".") + "/";
}

// One simulated driver library of the demo folder, its entry points looked up by name.
struct DriverLink {
    DriverLink() = default;
    explicit DriverLink(const char* file) {
        const std::string path = EnvDir("NIMBA_DEMO_DIR") + file;
        module = LoadLibraryW(std::wstring(path.begin(), path.end()).c_str());
    }
    template <typename Fn>
    Fn Get(const char* name) const {
        return module ? reinterpret_cast<Fn>(GetProcAddress(module, name)) : nullptr;
    }
    int Open() const { return Get<Open_FeatureDevice_Fn>("Open_FeatureDevice")(); }
    int Send(std::span<const uint8_t> report) const {
        return Get<SetFeature_Fn>("SetFeature")(report.data(), static_cast<int>(report.size()));
    }

    HMODULE module = nullptr;
};

class SimulatedLinksTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Before the first library call creates the mouse: keep it away from other runs.
        const std::string stem = ::testing::TempDir() + "sim-links-" + std::to_string(getpid());
        setenv("NIMBA_SIM_SOCKET", (stem + ".sock").c_str(), 1);
        setenv("NIMBA_SIM_LOG", (stem + ".log").c_str(), 1);
        log_path_ = stem + ".log";
        platform::test::UseVirtualClock(true);

        // In the program's order: the wired library first, then the receiver's.
        wired_ = DriverLink("devlink_2.dll");
        wireless_ = DriverLink("devlink_1.dll");
        wired_open_ = Open(wired_, 0x2015, kWiredNotice);
        wireless_open_ = Open(wireless_, 0xFA60, kWirelessNotice);
    }
    int Open(const DriverLink& link, int productId, UINT notice) {
        EXPECT_NE(link.Get<SetFeature_Fn>("SetFeature"), nullptr);
        if (link.module == nullptr) return -1;
        link.Get<Set_VIDPID_Fn>("Set_VIDPID")(0x1D57, productId);
        link.Get<Open_DevMonitor_Fn>("Open_DevMonitor")(window_.hwnd, notice, notice + 1);
        return link.Open();
    }
    void TearDown() override {
        for (DriverLink* link : {&wireless_, &wired_}) {
            if (link->module == nullptr) continue;
            link->Get<Close_FeatureDevice_Fn>("Close_FeatureDevice")();
            link->Get<Close_DevMonitor_Fn>("Close_DevMonitor")();
            FreeLibrary(link->module);
        }
        platform::test::UseVirtualClock(false);
        std::remove(log_path_.c_str());
    }

    std::vector<Posted> After(uint32_t ms) {
        platform::test::AdvanceBy(ms);
        return window_.Take();
    }

    sim::VirtualMouse& mouse() { return sim::VirtualMouse::Instance(); }

    RecordingWindow window_;
    std::string log_path_;
    DriverLink wired_;
    DriverLink wireless_;
    int wired_open_ = 0;
    int wireless_open_ = 0;
};

std::unique_ptr<ProfileRecord> EditedProfile() {
    auto profile = NewProfile(u"edited");
    profile->dpi_x[0] = 30;
    profile->current_dpi_stage = 4;
    profile->light_mode = 2;
    profile->light_color = {0x12, 0x34, 0x56, 0};
    profile->report_rate = 1;
    ButtonAssignment& button = profile->buttons[2];
    button.function = 17;
    button.macro_loop_count = 3;
    button.macro_action_count = 2;
    button.macro_actions[0] = {0x04, kMacroPress, 20};
    button.macro_actions[1] = {0x04, kMacroRelease, 2000};
    return profile;
}

}  // namespace

TEST_F(SimulatedLinksTest, CableCarriesEverySettingTheProgramSendsAndTheReceiverChecksThem) {
    // The default mouse: receiver in and awake, cable out.
    EXPECT_EQ(wired_open_, 0);
    EXPECT_NE(wireless_open_, 0);
    EXPECT_EQ(After(0), std::vector<Posted>{(Posted{kWirelessNotice, 0x4047, 0x5000})});

    mouse().SetCable(true);
    EXPECT_EQ(After(0),
              (std::vector<Posted>{{kWiredPresence, 1, 0}, {kWiredNotice, 0x4047, 0x5003}}));
    EXPECT_EQ(wired_.Send(BuildPreambleReport()), 0);  // plugged in, but not opened yet
    ASSERT_NE(wired_.Open(), 0);

    const auto profile = EditedProfile();
    const MacroReport macro = BuildMacroReport(3, profile->buttons[2]);
    const std::vector<std::vector<uint8_t>> settings{
        Bytes(BuildDpiSensorReport(*profile)), Bytes(BuildLightingReport(*profile)),
        Bytes(BuildReportRateReport(*profile)), Bytes(BuildButtonReport(*profile))};
    EXPECT_NE(wired_.Send(BuildPreambleReport()), 0);
    for (const auto& report : settings) EXPECT_NE(wired_.Send(report), 0);
    for (const MacroChunk& chunk : SplitMacroReport(macro, kWiredLastChunkMark)) {
        EXPECT_NE(wired_.Send(chunk), 0);
    }

    const sim::MouseSnapshot state = mouse().Snapshot();
    for (const auto& report : settings) EXPECT_EQ(state.reports.at(report[0]), report);
    EXPECT_EQ(state.macros.at(3), Bytes(macro));
    EXPECT_EQ(state.current_dpi_stage, 5);
    EXPECT_EQ(state.light_mode, 2);
    // Over the cable nothing is acknowledged. (What the mouse logs of a whole apply over the
    // cable, the soak compares with the reports.)
    EXPECT_EQ(After(100), std::vector<Posted>{});

    // The receiver refuses a report whose checksum is wrong, and says so.
    mouse().SetCable(false);
    After(0);
    auto buttons = BuildButtonReport(*profile);
    buttons[58] ^= 0x01;  // checksum low byte
    EXPECT_NE(wireless_.Send(buttons), 0);
    const std::vector<Posted> nack = After(10);
    ASSERT_EQ(nack.size(), 1u);
    EXPECT_EQ(std::pair(nack[0].message, nack[0].wParam),
              std::pair(kWirelessNotice, WPARAM{0x5047}));
    EXPECT_NE(nack[0].lParam & 0xFF, 0);
    EXPECT_NE(mouse().Snapshot().reports.at(0x08), Bytes(buttons));
}

// What the control tool does to the running simulator the scenarios and the watch story show;
// here what it refuses.
TEST_F(SimulatedLinksTest, ControlToolSaysWhatItCannotDo) {
    const std::string tool = EnvDir("NIMBA_BIN_DIR") + "nimba-mouse-sim ";
    EXPECT_EQ(RunCommand(tool + "battery 101").exit_code, 1);
    const RunResult absent =
        RunCommand("NIMBA_SIM_SOCKET=" + ::testing::TempDir() + "none.sock " + tool + "state");
    EXPECT_EQ(absent.exit_code, 2);
    EXPECT_NE(absent.err.find("no simulated mouse is running"), std::string::npos) << absent.err;
}
