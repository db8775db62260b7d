// The device layer against the simulated mouse, in real time: the simulated driver libraries
// of the demo program folder, the mouse acknowledging and reporting as it does on its own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "device/device_messages.h"
#include "device/link_manager.h"
#include "device_fakes.h"
#include "model/button_functions.h"
#include "platform/clock.h"
#include "platform/messages.h"
#include "protocol/report_catalogue.h"
#include "run_command.h"
#include "sim/virtual_mouse.h"

namespace nimba {
namespace {

namespace fs = std::filesystem;

const fs::path kWorkDir =
    fs::temp_directory_path() / ("nimba-device-e2e-" + std::to_string(getpid()));

// What `nimba-mousectl reports` prints for `profile`, as the lines the mouse logs for a full
// apply over `link`: every report but the unchunked macro reports, which only Bluetooth LE takes.
std::vector<std::string> ExpectedLog(const ProfileRecord& profile, const std::string& link) {
    const fs::path file = kWorkDir / "profile.pro";
    {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&profile), sizeof profile);
    }
    const std::string output =
        test::RunCommand(std::string(NIMBA_BIN) + "/nimba-mousectl reports " + file.string()).out;
    std::vector<std::string> lines;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);  // "<name> <bytes>" or "MacroChunk <button> <j> <bytes>"
        std::string name, button, chunk, bytes;
        words >> name;
        if (name == "MacroReport") continue;
        if (name == "MacroChunk") words >> button >> chunk;
        std::getline(words, bytes);
        // The receiver takes the length of what is left in the last chunk.
        if (link == "wireless" && chunk == "2") bytes.replace(4, 2, "0C");
        lines.push_back(link + bytes);
    }
    return lines;
}

ProfileRecord ProfileWithMacros() {
    ProfileRecord profile{};
    FillProfileDefaults(profile);
    profile.report_rate = 1;
    profile.light_mode = 1;
    for (int k : {3, 9}) {
        ButtonAssignment& button = profile.buttons[k];
        button.function = kFunctionMacro;
        button.macro_loop_count = 2;
        button.macro_action_count = 4;
        button.macro_actions[0] = {0x04, kMacroPress, 30};
        button.macro_actions[1] = {0x04, kMacroRelease, 1500};
        button.macro_actions[2] = {static_cast<uint8_t>(0x05 + k), kMacroPress, 0};
        button.macro_actions[3] = {static_cast<uint8_t>(0x05 + k), kMacroRelease, 20};
    }
    return profile;
}

class DeviceEndToEndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fs::create_directories(kWorkDir);
        setenv("NIMBA_SIM_LOG", (kWorkDir / "mouse.log").c_str(), 1);
        setenv("NIMBA_SIM_SOCKET", (kWorkDir / "mouse.sock").c_str(), 1);
    }
    static void TearDownTestSuite() { fs::remove_all(kWorkDir); }

    void SetUp() override {
        window_.route = [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            if (manager_) manager_->HandleWindowMessage(msg, wParam, lParam);
        };
        mouse().SetAwake(true);
        mouse().SetBle(false);
    }
    void TearDown() override { manager_.reset(); }

    static sim::VirtualMouse& mouse() { return sim::VirtualMouse::Instance(); }
    static fs::path LogPath() { return kWorkDir / "mouse.log"; }

    void Start(const ProfileRecord& profile) {
        std::ofstream(LogPath(), std::ios::trunc);
        profile_.UpdateCurrent([&](ProfileRecord& p) { p = profile; });
        manager_ = std::make_unique<LinkManager>(
            window_.hwnd, controls_, profile_, apply_, ble_,
            LinkManagerOptions{std::string(NIMBA_DEMO) + "/", [] { return false; }});
        manager_->StartLinks();
    }
    // Runs the window thread until `done` or `ms` of real time have passed.
    bool RunUntil(const std::function<bool()>& done, uint32_t ms) {
        const DWORD start = GetTickCount();
        MSG msg;
        while (!done() && GetTickCount() - start < ms) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(2);
        }
        return done();
    }
    bool ApplyAll(int saves, uint32_t ms) {
        apply_.apply_all = 1;
        PostMessageW(window_.hwnd, kApplyRequestMessage, 0, 0);
        return RunUntil([&] { return profile_.saves == saves; }, ms);
    }
    void ExpectStateEquals(const ProfileRecord& p) {
        const sim::MouseSnapshot state = mouse().Snapshot();
        using test::Bytes;
        for (const auto& report : {Bytes(BuildDpiSensorReport(p)), Bytes(BuildLightingReport(p)),
                                   Bytes(BuildReportRateReport(p)), Bytes(BuildButtonReport(p))}) {
            EXPECT_EQ(state.reports.at(report[0]), report);
        }
        for (int k : {3, 9}) {
            EXPECT_EQ(state.macros.at(k + 1), Bytes(BuildMacroReport(k + 1, p.buttons[k])));
        }
    }

    test::FakeControls controls_;
    test::FakeProfile profile_;
    test::RecordingWindow window_;
    ApplyState apply_;
    AbsentBleTransport ble_;
    std::unique_ptr<LinkManager> manager_;
};

TEST_F(DeviceEndToEndTest, FullApplyOverTheCableAndOverTheReceiver) {
    const ProfileRecord profile = ProfileWithMacros();
    for (const bool cable : {true, false}) {
        SCOPED_TRACE(cable ? "cable" : "receiver");
        manager_.reset();
        profile_.saves = 0;
        mouse().SetReceiver(!cable);
        mouse().SetCable(cable);
        Start(profile);
        // The receiver's mouse makes itself known by its power status.
        ASSERT_TRUE(RunUntil([&] { return manager_->links().awaiting_device == 0; }, 3000));
        ASSERT_TRUE(ApplyAll(1, 20000));
        EXPECT_EQ(test::FileLines(LogPath()), ExpectedLog(profile, cable ? "wired" : "wireless"));
        ExpectStateEquals(profile);
    }
}

TEST_F(DeviceEndToEndTest, CablePulledDuringAnApply) {
    mouse().SetReceiver(true);
    mouse().SetCable(true);
    ProfileRecord profile{};
    FillProfileDefaults(profile);
    profile.report_rate = 1;
    Start(profile);
    apply_.apply_all = 1;
    PostMessageW(window_.hwnd, kApplyRequestMessage, 0, 0);
    ASSERT_TRUE(RunUntil([&] { return test::FileLines(LogPath()).size() >= 2; }, 3000));
    mouse().SetCable(false);
    // The apply ends, neither stuck nor crashed.
    ASSERT_TRUE(RunUntil([&] { return profile_.saves == 1; }, 10000));
    EXPECT_EQ(manager_->links().wired_link, 2);

    // Once the mouse is heard over the receiver, the next apply goes there.
    ASSERT_TRUE(RunUntil([&] { return manager_->links().awaiting_device == 0; }, 5000));
    profile_.UpdateCurrent([](ProfileRecord& p) { p.report_rate = 0; });
    PostMessageW(window_.hwnd, kApplyRequestMessage, 0, 0);
    ASSERT_TRUE(RunUntil([&] { return profile_.saves == 2; }, 10000));
    const auto log = test::FileLines(LogPath());
    EXPECT_EQ(log.back(), "wireless 06 09 01 08 F7 00 00 00 00");
}

}  // namespace
}  // namespace nimba
