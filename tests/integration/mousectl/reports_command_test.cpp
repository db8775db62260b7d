#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/profile_defaults.h"
#include "run_command.h"

namespace nimba {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

class MousectlTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("mousectl_test_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    test::RunResult Run(const std::string& arguments) {
        const char* bin_dir = std::getenv("NIMBA_BIN_DIR");
        return test::RunCommand(std::string(bin_dir ? bin_dir : ".") + "/nimba-mousectl " +
                                arguments);
    }

    fs::path WriteProfile(const ProfileRecord& record) {
        const fs::path path = dir_ / "profile.pro";
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(&record), sizeof record);
        return path;
    }

    fs::path dir_;
};

TEST_F(MousectlTest, DefaultProfileListsTheFiveSettingsReports) {
    const auto result = Run("reports " + WriteProfile(*NewProfile(u"Default")).string());
    ASSERT_EQ(result.exit_code, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "PreambleReport 0C 0A 01 FE 01 FE 00 00 00 00");
    EXPECT_EQ(lines[1],
              "DpiSensorReport 04 38 01 00 01 3F 00 00 12 1C 38 4B 75 8D 00 00 00 00 00 00 00 01 "
              "00 00 02 FF 00 00 00 FF 00 00 00 FF FF FF 00 00 FF FF FF 00 FF FF 40 00 FF FF FF "
              "01 0F 2A 00 00 00 00");
    EXPECT_EQ(lines[2], "LightingReport 05 0F 01 00 03 A8 00 00 FF 01 04 01 AF 00 00");
    EXPECT_EQ(lines[3], "ReportRateReport 06 09 01 01 FE 00 00 00 00");
    EXPECT_EQ(lines[4].rfind("ButtonReport 08 3B 01 02 00 00 03 00 00 ", 0), 0u) << lines[4];
}

TEST_F(MousectlTest, MacroButtonsAddTheirReportsAndWiredChunks) {
    auto profile = NewProfile(u"Macros");
    for (int k : {2, 14}) {
        profile->buttons[k].function = 17;
        profile->buttons[k].macro_action_count = 1;
    }
    const auto lines = Lines(Run("reports " + WriteProfile(*profile).string()).out);
    ASSERT_EQ(lines.size(), 5u + 2u + 6u);
    EXPECT_EQ(lines[5].rfind("MacroReport 3 09 83 03 ", 0), 0u) << lines[5];
    EXPECT_EQ(lines[6].rfind("MacroReport 15 09 83 0F ", 0), 0u) << lines[6];
    EXPECT_EQ(lines[7].rfind("MacroChunk 3 0 09 40 03 00 ", 0), 0u) << lines[7];
    EXPECT_EQ(lines[12].rfind("MacroChunk 15 2 09 40 0F 02 ", 0), 0u) << lines[12];
}

TEST_F(MousectlTest, WrongSizedOrMissingFileFailsWithNothingOnStdout) {
    std::ofstream(dir_ / "short.pro", std::ios::binary) << std::string(100, 'x');
    std::ofstream(dir_ / "long.pro", std::ios::binary)
        << std::string(sizeof(ProfileRecord) + 1, '\0');
    for (const char* name : {"short.pro", "long.pro", "absent.pro"}) {
        const auto result = Run("reports " + (dir_ / name).string());
        EXPECT_EQ(result.exit_code, 2) << name;
        EXPECT_TRUE(result.out.empty()) << name;
        EXPECT_FALSE(result.err.empty()) << name;
    }
    EXPECT_NE(Run("reports " + (dir_ / "short.pro").string()).err.find("not a profile file"),
              std::string::npos);
}

TEST_F(MousectlTest, UsageErrorsExitWithTwo) {
    for (const std::string args : {"", "reports", "reports a b", "frobnicate", "show --raw"}) {
        const auto result = Run(args);
        EXPECT_EQ(result.exit_code, 2) << args;
        EXPECT_TRUE(result.out.empty()) << args;
        EXPECT_NE(result.err.find("usage"), std::string::npos) << args;
    }
    EXPECT_EQ(Lines(Run("frobnicate").err)[0], "nimba-mousectl: unknown command 'frobnicate'");
}

TEST_F(MousectlTest, HelpAndVersionGoToStandardOutput) {
    for (const std::string args : {"--help", "-h", "set --help", "button 3 -h", "watch --help"}) {
        const auto result = Run(args);
        EXPECT_EQ(result.exit_code, 0) << args;
        EXPECT_EQ(result.out.rfind("usage: nimba-mousectl ", 0), 0u) << args;
        EXPECT_TRUE(result.err.empty()) << args;
    }
    EXPECT_NE(Run("set --help").out.find("rate 125|250|500|1000"), std::string::npos);
    EXPECT_EQ(Run("--version").out.rfind("nimba-mousectl 0.", 0), 0u);
}

}  // namespace
}  // namespace nimba
