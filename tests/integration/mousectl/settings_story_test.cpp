// A user setting up the mouse from the shell: nimba-mousectl run from a copy of the demo program
// folder, beside the simulated mouse, its results checked in the store file and in the reports
// the mouse received.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "macro/macro_record.h"
#include "model/utf16.h"
#include "persistence/profile_store.h"
#include "protocol/report_catalogue.h"
#include "run_command.h"
#include "test_folder.h"

namespace nimba {
namespace {

namespace fs = std::filesystem;
using test::RunResult;

std::string LogLine(std::span<const uint8_t> report) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line = "wireless";
    for (uint8_t byte : report) line += {' ', kDigits[byte >> 4], kDigits[byte & 0x0F]};
    return line;
}

// The offset of the first byte that differs, -1 for none.
long FirstDifference(const ProfileRecord& a, const ProfileRecord& b) {
    const auto* x = reinterpret_cast<const uint8_t*>(&a);
    const auto* y = reinterpret_cast<const uint8_t*>(&b);
    for (size_t i = 0; i < sizeof a; ++i) {
        if (x[i] != y[i]) return static_cast<long>(i);
    }
    return -1;
}

class SettingsStoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = folder_.path() + "demo/";
        // The demo folder as built (with res/), without what earlier runs stored there.
        fs::copy(std::getenv("NIMBA_DEMO_DIR"), program_, fs::copy_options::recursive);
        fs::remove_all(program_ + "Data");
    }

    // The socket of this test's own simulated mouse, so parallel runs never meet.
    RunResult Run(const std::string& arguments) {
        return test::RunCommand("cd '" + program_ + "' && NIMBA_SIM_SOCKET='" + program_ +
                                "sim.sock' ./nimba-mousectl " + arguments);
    }
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
        std::vector<std::string> lines;
        std::ifstream log(program_ + "Data/mouse-sim.log");
        for (std::string line; std::getline(log, line);) lines.push_back(line);
        return lines;
    }

    testing::TestFolder folder_;
    std::string program_;
};

TEST_F(SettingsStoryTest, ValuesOutsideThePagesRangesChangeNothing) {
    Ok("profiles");
    const std::vector<char> store = StoreBytes();
    for (const char* command : {"set dpi 1 49",
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
        EXPECT_NE(result.err.find("usage: nimba-mousectl"), std::string::npos) << command;
        EXPECT_EQ(StoreBytes(), store) << command;
    }
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
    EXPECT_EQ(Run("profiles --json").out,
              "[{\"index\":0,\"name\":\"Home\",\"current\":false},"
              "{\"index\":1,\"name\":\"Games\",\"current\":true}]\n");
    Ok("set rate 125");
    Ok("reset Games");
    EXPECT_EQ(CurrentProfile().report_rate, 3);
    EXPECT_NE(Run("functions").out.find("ms_1_copy\tCopy\n"), std::string::npos);
    EXPECT_NE(Run("show Home").out.find("report rate: 1000 Hz\n"), std::string::npos);
}

// Everything `show --json` prints, written back with `set` and `button` after a reset, gives
// the profile byte for byte.
TEST_F(SettingsStoryTest, ShowJsonSetsTheProfileBackAfterAReset) {
    MacroRecord macro{};
    CopyName(macro.name, u"Greet");
    macro.action_count = 2;
    macro.actions[0] = {11, 1, 30};
    macro.actions[1] = {11, 2, 1500};
    std::ofstream(folder_.path() + "greet.macro", std::ios::binary)
        .write(reinterpret_cast<const char*>(&macro), sizeof macro);
    Ok("macro-import " + folder_.path() + "greet.macro");
    for (const char* command :
         {"set dpi 7 10100",         "set stage-enabled 7 on", "set stage 7",
          "set dpi-colour 3 123456", "set rate 250",           "set light Breathing",
          "set light-ble 9",         "set brightness 15",      "set speed 0",
          "set light-colour ABCDEF", "set sleep 60",           "set light-off 2.5",
          "set debounce 32",         "set lift-off on",        "set ripple off",
          "set angle-snap on",       "button 2 key Alt+F4",    "button 3 macro greet repeat 7",
          "button 4 Copy",           "button 5 ms_1_dpi_up",   "button 6 macro Greet hold"}) {
        Ok(command);
    }
    const ProfileRecord edited = CurrentProfile();
    const RunResult shown = Run("show --json");
    ASSERT_EQ(shown.exit_code, 0) << shown.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(shown.out)).object();
    ASSERT_FALSE(json.isEmpty()) << shown.out;
    EXPECT_EQ(json["buttons"].toArray()[2].toObject()["label"].toString(), "Macro: Greet");

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

TEST_F(SettingsStoryTest, WatchSaysWhatTheMouseReports) {
    const std::string sim = "./nimba-mouse-sim ";
    // Each step waits (10 s at most) for what the one before it must print, so a busy machine
    // only makes the story slower.
    const RunResult watch = test::RunCommand(
        "cd '" + program_ + "' && export NIMBA_SIM_SOCKET='" + program_ + "sim.sock' && " +
        "seen() { for i in $(seq 100); do grep -q \"$1\" watch.out && return; sleep 0.1; done; }; " +
        "(./nimba-mousectl watch > watch.out & seen 'battery 80%'; " + sim + "press dpi; " + sim +
        "press light; " + sim + "cable in; seen 'wired charging'; " + sim + "cable out; " + sim +
        "battery 40; seen 'battery 40%'; kill -INT $!; wait $!; rc=$?; cat watch.out; exit $rc)");
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
