// A user setting up the mouse from the shell: nimba-mousectl run from a copy of the demo program
// folder, beside the simulated mouse, its results checked in the store file and in the reports
// the mouse received, and what it prints.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <future>
#include <span>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "model/profile_defaults.h"
#include "persistence/profile_store.h"
#include "protocol/report_catalogue.h"
#include "run_command.h"
#include "test_folder.h"

namespace nimba {
namespace {

namespace fs = std::filesystem;
using test::RunResult;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

std::string LogLine(std::span<const uint8_t> report) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line = "wireless";
    for (uint8_t byte : report) line += {' ', kDigits[byte >> 4], kDigits[byte & 0x0F]};
    return line;
}

// The offset of the first byte that differs, -1 for none.
long FirstDifference(const ProfileRecord& a, const ProfileRecord& b) {
    const auto* x = reinterpret_cast<const char*>(&a);
    const auto at = std::mismatch(x, x + sizeof a, reinterpret_cast<const char*>(&b)).first;
    return at == x + sizeof a ? -1 : at - x;
}

class SettingsStoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = folder_.path() + "demo/";
        // The demo folder as built (with res/), without what earlier runs stored there.
        fs::copy(std::getenv("NIMBA_DEMO_DIR"), program_, fs::copy_options::recursive);
        fs::remove_all(program_ + "Data");
    }

    // The socket of this test's own simulated mouse, so parallel runs never meet. `arguments`
    // may go on as a shell line, as the tool run in the background.
    RunResult Run(const std::string& arguments) {
        return test::RunCommand("cd '" + program_ + "' || exit; export NIMBA_SIM_SOCKET='" +
                                program_ + "sim.sock'; ./nimba-mousectl " + arguments);
    }
    void MouseConf(const char* lines) { std::ofstream(program_ + "mouse-sim.conf") << lines; }
    void Ok(const std::string& arguments) {
        const RunResult result = Run(arguments);
        ASSERT_EQ(result.exit_code, 0) << arguments << ": " << result.err;
    }

    std::vector<char> StoreBytes() { return testing::ReadBytes(program_ + "Data/ms_1/pro.data"); }
    ProfileRecord CurrentProfile() {
        const std::vector<char> bytes = StoreBytes();
        int32_t index = 0;
        std::memcpy(&index, bytes.data(), sizeof index);
        ProfileRecord record;
        std::memcpy(&record,
                    bytes.data() + sizeof(ProfileStoreHeader) + index * sizeof(ProfileRecord),
                    sizeof record);
        return record;
    }
    std::vector<std::string> MouseLog() {
        std::ifstream log(program_ + "Data/mouse-sim.log");
        return Lines({std::istreambuf_iterator<char>(log), {}});
    }

    testing::TestFolder folder_;
    std::string program_;
};

TEST_F(SettingsStoryTest, RefusedCommandsShowTheUsageAndChangeNothing) {
    Ok("profiles");
    const std::vector<char> store = StoreBytes();
    for (const char* command : {"",
                                "reports",
                                "reports a b",
                                "frobnicate",
                                "show --raw",
                                "set dpi 1 49",
                                "set dpi 1 12100",
                                "set dpi 1 10150",
                                "set dpi 0 800",
                                "set stage 7",
                                "set stage-enabled 2 off",
                                "set stage-enabled 7 on",
                                "set dpi-colour 1 12345G",
                                "set rate 300",
                                "set light 12",
                                "set light Disco",
                                "set brightness 0",
                                "set speed 10",
                                "set sleep 61",
                                "set light-off 0.7",
                                "set light-off 30.5",
                                "set debounce 3",
                                "set debounce 34",
                                "set ripple maybe",
                                "set colour 000000",
                                "button 13 ms_1_copy",
                                "button 1 ms_1_menu",
                                "button 2 ms_1_shortcut",
                                "button 2 key Ctrl+Nothing",
                                "button 2 macro Missing",
                                "use Nobody",
                                "add Profile1",
                                "delete 0",
                                "set rate 500 --force"}) {
        const RunResult result = Run(command);
        EXPECT_EQ(result.exit_code, 2) << command;
        EXPECT_EQ(result.out, "") << command;
        EXPECT_NE(result.err.find("usage: nimba-mousectl"), std::string::npos) << command;
        EXPECT_EQ(StoreBytes(), store) << command;
    }
    EXPECT_EQ(Lines(Run("frobnicate").err)[0], "nimba-mousectl: unknown command 'frobnicate'");
}

TEST_F(SettingsStoryTest, HelpAndVersionGoToStandardOutput) {
    for (const char* args : {"--help", "-h", "set --help", "button 3 -h", "watch --help"}) {
        const RunResult result = Run(args);
        EXPECT_EQ(result.exit_code, 0) << args;
        EXPECT_EQ(result.out.rfind("usage: nimba-mousectl ", 0), 0u) << args;
        EXPECT_EQ(result.err, "") << args;
    }
    EXPECT_EQ(Run("--version").out.rfind("nimba-mousectl 0.", 0), 0u);
}

// What an apply of a profile file sends: the five settings reports, then each macro button's
// report and the chunks the cable takes it in.
TEST_F(SettingsStoryTest, ReportsListsWhatAnApplySends) {
    auto profile = NewProfile(u"Macros");
    for (int k : {2, 14}) {
        profile->buttons[k].function = 17;
        profile->buttons[k].macro_action_count = 1;
    }
    testing::WriteBytes(folder_.path() + "m.pro", profile.get(), sizeof(ProfileRecord));
    const auto lines = Lines(Run("reports " + folder_.path() + "m.pro").out);
    ASSERT_EQ(lines.size(), 5u + 2u + 6u);
    EXPECT_EQ(lines[0], "PreambleReport 0C 0A 01 FE 01 FE 00 00 00 00");
    EXPECT_EQ(lines[1],
              "DpiSensorReport 04 38 01 00 01 3F 00 00 12 1C 38 4B 75 8D 00 00 00 00 00 00 00 01 "
              "00 00 02 FF 00 00 00 FF 00 00 00 FF FF FF 00 00 FF FF FF 00 FF FF 40 00 FF FF FF "
              "01 0F 2A 00 00 00 00");
    EXPECT_EQ(lines[2], "LightingReport 05 0F 01 00 03 A8 00 00 FF 01 04 01 AF 00 00");
    EXPECT_EQ(lines[3], "ReportRateReport 06 09 01 01 FE 00 00 00 00");
    EXPECT_EQ(lines[4].rfind("ButtonReport 08 3B 01 02 00 00 03 00 00 ", 0), 0u) << lines[4];
    EXPECT_EQ(lines[5].rfind("MacroReport 3 09 83 03 ", 0), 0u) << lines[5];
    EXPECT_EQ(lines[6].rfind("MacroReport 15 09 83 0F ", 0), 0u) << lines[6];
    EXPECT_EQ(lines[7].rfind("MacroChunk 3 0 09 40 03 00 ", 0), 0u) << lines[7];
    EXPECT_EQ(lines[12].rfind("MacroChunk 15 2 09 40 0F 02 ", 0), 0u) << lines[12];
}

TEST_F(SettingsStoryTest, ApplyingAChangeSendsOnlyItsGroup) {
    Ok("set rate 500 --apply");
    EXPECT_EQ(CurrentProfile().report_rate, 2);
    ASSERT_EQ(MouseLog(), std::vector{LogLine(BuildReportRateReport(CurrentProfile()))});

    Ok("button 2 key Ctrl+Shift+A --apply");
    ASSERT_EQ(MouseLog().size(), 2u);
    EXPECT_EQ(MouseLog()[1], LogLine(BuildButtonReport(CurrentProfile())));
    EXPECT_NE(MouseLog()[1].find(" 11 03 04 "), std::string::npos) << MouseLog()[1];

    Ok("set dpi 3 400 --apply");
    EXPECT_EQ(CurrentProfile().dpi_x[2], 8);
    ASSERT_EQ(MouseLog().size(), 3u);
    EXPECT_EQ(MouseLog()[2], LogLine(BuildDpiSensorReport(CurrentProfile())));
    Ok("set light-colour 80FF00 --apply");
    ASSERT_EQ(MouseLog().size(), 4u);
    EXPECT_EQ(MouseLog()[3], LogLine(BuildLightingReport(CurrentProfile())));

    // A change of profile sends the new one whole, as choosing it on the page does.
    Ok("add Work --apply");
    const auto log = MouseLog();
    ASSERT_EQ(log.size(), 4u + 5u);
    EXPECT_EQ(log[4], LogLine(BuildPreambleReport()));
    EXPECT_EQ(log[7], LogLine(BuildReportRateReport(CurrentProfile())));
    EXPECT_EQ(CurrentProfile().report_rate, 3);
}

TEST_F(SettingsStoryTest, ProfileListActionsFollowThePage) {
    Ok("add Work");
    Ok("add Games");
    EXPECT_EQ(Run("use work").out, "1\tWork\n");
    Ok("rename 0 Home");
    EXPECT_EQ(Run("rename Work HOME").exit_code, 2);
    Ok("set rate 250");
    // Deleting the current profile makes the next one current.
    EXPECT_EQ(Run("delete Work").out, "1\tGames\t*\n");
    EXPECT_EQ(Run("profiles").out, "0\tHome\n1\tGames\t*\n");
    Ok("set rate 125");
    Ok("reset Games");
    EXPECT_EQ(CurrentProfile().report_rate, 3);
    EXPECT_NE(Run("show Home").out.find("report rate: 1000 Hz\n"), std::string::npos);
}

// Everything `show --json` prints, written back with `set` and `button` after a reset, gives
// the profile byte for byte.
TEST_F(SettingsStoryTest, ShowJsonSetsTheProfileBackAfterAReset) {
    Ok("macro-import " + std::string(std::getenv("NIMBA_SOURCE_DIR")) +
       "/tests/scenarios/files/burst.macro");
    for (const char* command :
         {"set dpi 7 10100",         "set stage-enabled 7 on", "set stage 7",
          "set dpi-colour 3 123456", "set rate 250",           "set light Breathing",
          "set light-ble 9",         "set brightness 15",      "set speed 0",
          "set light-colour ABCDEF", "set sleep 60",           "set light-off 2.5",
          "set debounce 32",         "set lift-off on",        "set ripple off",
          "set angle-snap on",       "button 2 key Alt+F4",    "button 3 macro burst repeat 7",
          "button 4 Copy",           "button 5 ms_1_dpi_up",   "button 6 macro Burst hold"}) {
        Ok(command);
    }
    const ProfileRecord edited = CurrentProfile();
    const RunResult shown = Run("show --json");
    ASSERT_EQ(shown.exit_code, 0) << shown.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(shown.out)).object();
    ASSERT_FALSE(json.isEmpty()) << shown.out;
    EXPECT_EQ(json["buttons"].toArray()[2].toObject()["label"].toString(), "Macro: Burst");

    Ok("reset 0");
    ASSERT_NE(FirstDifference(edited, CurrentProfile()), -1);
    const auto value = [](const QJsonValue& v) {
        return (v.isString() ? v.toString() : QString::number(v.toDouble())).toStdString();
    };
    for (const QJsonValue& stage : json["stages"].toArray()) {
        const std::string number = value(stage["stage"]);
        if (!stage["dpi"].isNull()) Ok("set dpi " + number + " " + value(stage["dpi"]));
        Ok("set stage-enabled " + number + " " + value(stage["stage-enabled"]));
        Ok("set dpi-colour " + number + " " + value(stage["dpi-colour"]));
    }
    const QJsonObject settings = json["settings"].toObject();
    for (auto it = settings.begin(); it != settings.end(); ++it) {
        Ok("set " + it.key().toStdString() + " '" + value(it.value()) + "'");
    }
    for (const QJsonValue& button : json["buttons"].toArray()) {
        if (button["button"].toInt() > 12) continue;  // not offered for reassignment
        std::string words;
        for (const QJsonValue& word : button["function"].toArray())
            words += " '" + value(word) + "'";
        Ok("button " + value(button["button"]) + words);
    }
    EXPECT_EQ(FirstDifference(edited, CurrentProfile()), -1);
}

// Over the receiver the demo mouse starts with, a new store's profile goes out whole: five
// reports, each acknowledged, each followed by 500 ms and 500 ms more, and no longer pause.
TEST_F(SettingsStoryTest, ApplyTakesOnlyTheProtocolsPauses) {
    auto apply = std::async(std::launch::async, [&] { return Run("apply").exit_code; });
    const auto deadline = Clock::now() + 15s;
    Clock::time_point first{};
    while (Clock::now() < deadline && MouseLog().size() < 5) {
        if (first == Clock::time_point{} && !MouseLog().empty()) first = Clock::now();
        std::this_thread::sleep_for(5ms);
    }
    const auto span = Clock::now() - first;
    ASSERT_EQ(apply.get(), 0);
    ASSERT_EQ(MouseLog().size(), 5u);
    EXPECT_LE(span, 4.8s);
}

// Nothing could be applied: a receiver whose mouse never answers, or the real driver libraries
// and no mouse at all, which is said at once.
TEST_F(SettingsStoryTest, ApplyWithoutAnAnsweringMouseIsNoSuccess) {
    MouseConf("awake=no\n");
    EXPECT_EQ(Run("apply").exit_code, 3);
    EXPECT_TRUE(MouseLog().empty());

    const std::string real = folder_.path() + "real/";
    ASSERT_EQ(test::RunCommand("mkdir '" + real + "' && cp \"$NIMBA_BIN_DIR\"/nimba-mousectl " +
                               "\"$NIMBA_BIN_DIR\"/*.so '" + real + "'")
                  .exit_code,
              0);
    const auto start = Clock::now();
    EXPECT_EQ(test::RunCommand("'" + real + "nimba-mousectl' apply").exit_code, 3);
    EXPECT_LT(Clock::now() - start, 2s);
}

// Over Bluetooth LE alone, whose notifications open 2 s after the links start; the power status
// follows. (The watch story hears the receiver.)
TEST_F(SettingsStoryTest, StatusAndRawWatchHearTheMouseOverBluetoothAlone) {
    MouseConf("receiver=out\nble=on\nbattery=40\n");
    EXPECT_EQ(Run("status").out,
              "wired: 0\nwireless: 0\nble: 1\nawake: 0\nbattery: 40%\ncharging: no\n");
    EXPECT_EQ(Run("status --json").out,
              "{\"wired\":0,\"wireless\":0,\"ble\":1,\"awake\":0,\"battery\":40,"
              "\"charging\":false}\n");
    const RunResult raw = Run("watch --raw & sleep 4.5; kill -INT $!; wait $!");
    EXPECT_EQ(raw.exit_code, 0);
    EXPECT_EQ(raw.out.find("ble 4047 2800\n"), 0u) << raw.out;
}

TEST_F(SettingsStoryTest, WatchSaysWhatTheMouseReports) {
    const std::string sim = "./nimba-mouse-sim ";
    // Each step waits (10 s at most) for what the one before it must print, so a busy machine
    // only makes the story slower.
    const RunResult watch = Run(
        "watch > watch.out & seen() { for i in $(seq 100); do grep -q \"$1\" watch.out && "
        "return; sleep 0.1; done; }; seen 'battery 80%'; " +
        sim + "press dpi; " + sim + "press light; " + sim + "cable in; seen 'wired charging'; " +
        sim + "cable out; " + sim +
        "battery 40; seen 'battery 40%'; kill -INT $!; wait $!; rc=$?; cat watch.out; exit $rc");
    ASSERT_EQ(watch.exit_code, 0) << watch.err;
    for (const char* line : {" wireless battery 80%\n", " wireless dpi stage 3 (2400 DPI)\n",
                             " wireless light effect 1 (Static)\n", " wired arrived\n",
                             " wired charging\n", " wired gone\n", " wireless battery 40%\n"}) {
        EXPECT_NE(watch.out.find(line), std::string::npos) << line << "in:\n" << watch.out;
    }
    // Each line starts with the local time.
    EXPECT_EQ(watch.out.substr(4, 1) + watch.out.substr(10, 1) + watch.out.substr(19, 1), "-T.")
        << watch.out;
}

}  // namespace
}  // namespace nimba
