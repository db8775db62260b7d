// `nimba-mousectl apply` as a user runs it: in a program folder beside the simulated driver
// libraries, and in one with the real ones and no mouse.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "recording_window.h"
#include "run_command.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

size_t LineCount(const fs::path& path) {
    return nimba::test::FileLines(path).size();
}

class MousectlDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("nimba-mousectl-device-" + std::to_string(getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy_file(fs::path(NIMBA_BIN) / "nimba-mousectl", folder_ / "nimba-mousectl");
    }
    void TearDown() override { fs::remove_all(folder_); }

    void CopyLibraries(const fs::path& from) {
        for (const auto& entry : fs::directory_iterator(from)) {
            // The shared objects, the versioned one of the demo folder's HID layer among them.
            if (entry.path().filename().string().find(".so") != std::string::npos) {
                fs::copy_file(entry.path(), folder_ / entry.path().filename());
            }
        }
    }
    // Runs the tool in the folder, interrupted after `interrupt_after` seconds when given;
    // its standard output goes to `output_`.
    int Run(const std::string& command, const char* interrupt_after = nullptr) {
        const std::string tool = "./nimba-mousectl " + command;
        std::string line = "cd '" + folder_.string() + "' && export NIMBA_SIM_LOG='" +
                           (folder_ / "mouse.log").string() + "' NIMBA_SIM_SOCKET='" +
                           (folder_ / "mouse.sock").string() + "' && ";
        line += interrupt_after ? tool + " & sleep " + interrupt_after + "; kill -INT $!; wait $!"
                                : tool;
        const nimba::test::RunResult run = nimba::test::RunCommand(line);
        output_ = run.out;
        return run.exit_code;
    }

    fs::path folder_;
    std::string output_;
};

TEST_F(MousectlDeviceTest, ApplyBesideTheSimulatedMouseTakesOnlyTheProtocolsPauses) {
    CopyLibraries(NIMBA_DEMO);
    const fs::path log = folder_ / "mouse.log";
    auto exit_code = std::async(std::launch::async, [&] { return Run("apply"); });

    // A new store's profile, in full over the receiver the demo mouse starts with: five
    // reports, each acknowledged, each followed by 500 ms and 500 ms more.
    constexpr size_t kReports = 5;
    const auto deadline = Clock::now() + 15s;
    Clock::time_point first{};
    while (Clock::now() < deadline && LineCount(log) < kReports) {
        if (first == Clock::time_point{} && LineCount(log) > 0) first = Clock::now();
        std::this_thread::sleep_for(5ms);
    }
    const auto span = Clock::now() - first;
    ASSERT_EQ(exit_code.get(), 0);
    ASSERT_EQ(LineCount(log), kReports);
    EXPECT_LE(span, 1.2 * (kReports - 1) * 1s);
}

TEST_F(MousectlDeviceTest, StatusAndWatchReportWhatTheMouseSays) {
    CopyLibraries(NIMBA_DEMO);
    std::ofstream(folder_ / "mouse-sim.conf") << "battery=40\n";
    EXPECT_EQ(Run("status"), 0);
    EXPECT_EQ(output_, "wired: 0\nwireless: 1\nble: 0\nawake: 1\nbattery: 40%\ncharging: no\n");
    EXPECT_EQ(Run("status --json"), 0);
    EXPECT_EQ(output_,
              "{\"wired\":0,\"wireless\":1,\"ble\":0,\"awake\":1,\"battery\":40,"
              "\"charging\":false}\n");

    // The power status comes every 2 s; watch prints it until interrupted.
    EXPECT_EQ(Run("watch --raw", "2.5"), 0);
    EXPECT_NE(output_.find("wireless 4047 2800\n"), std::string::npos) << output_;
}

TEST_F(MousectlDeviceTest, StatusAndWatchHearTheMouseOverBluetoothAlone) {
    CopyLibraries(NIMBA_DEMO);
    std::ofstream(folder_ / "mouse-sim.conf") << "receiver=out\nble=on\nbattery=40\n";
    EXPECT_EQ(Run("status --json"), 0);
    EXPECT_EQ(output_,
              "{\"wired\":0,\"wireless\":0,\"ble\":1,\"awake\":0,\"battery\":40,"
              "\"charging\":false}\n");
    // Notifications open 2 s after the links start; the power status follows.
    EXPECT_EQ(Run("watch --raw", "4.5"), 0);
    EXPECT_EQ(output_.find("ble 4047 2800\n"), 0u) << output_;
}

TEST_F(MousectlDeviceTest, ApplyWithoutAMouseExitsThreeAtOnce) {
    CopyLibraries(NIMBA_BIN);
    const auto start = Clock::now();
    EXPECT_EQ(Run("apply"), 3);
    EXPECT_LT(Clock::now() - start, 2s);
}

TEST_F(MousectlDeviceTest, ApplyToASleepingMouseIsNoSuccess) {
    CopyLibraries(NIMBA_DEMO);
    std::ofstream(folder_ / "mouse-sim.conf") << "awake=no\n";
    // The receiver is there, but its mouse never answers: nothing could be applied.
    EXPECT_EQ(Run("apply"), 3);
    EXPECT_EQ(LineCount(folder_ / "mouse.log"), 0u);
}

}  // namespace
