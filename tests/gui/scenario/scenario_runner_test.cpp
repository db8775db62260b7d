// Scenario scripts run on a small program of two windows, offscreen and in virtual time.

#include "scenario/scenario_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>
#include <string>

#include "platform/messages.h"
#include "skin_fixture.h"

namespace {

using nimba::scenario::RunScenario;
using nimba::scenario::ScenarioOptions;

const auto* app_env = ::testing::AddGlobalTestEnvironment(new skin_test::SkinEnvironment);

class FakeHost : public nimba::scenario::ScenarioHost {
public:
    int Start() override {
        ++starts;
        main.Create(nullptr, u"", WS_POPUP | WS_VISIBLE, 0);
        return 0;
    }
    bool Running() const override { return starts > quits; }
    // The window goes with the host, after every modal loop has unwound.
    void Quit() override {
        ++quits;
        PostQuitMessage(0);
    }
    void TrayClick(bool) override {}
    bool TrayShown() const override { return true; }
    std::string TrayTooltip() const override { return "tip"; }
    nimba::scenario::LinkFlags Links() const override { return {.wired_link = 1, .any_link = 1}; }
    std::string DataDirectory() const override { return "/data/"; }
    HWND InputTarget() const override { return main.GetHWND(); }
    void FinishWrites() override {}
    void BringToFront(const std::string&) override {}

    skin_test::TestWindow main;
    int starts = 0;
    int quits = 0;
};

struct Outcome {
    int code;
    std::string errors;
};

Outcome RunScript(FakeHost& host, const std::string& script) {
    ScenarioOptions options;
    options.working_dir = skin_test::skin_dir->path().toStdString();
    testing::internal::CaptureStderr();
    const int code = RunScenario(script, host, options);
    return {code, testing::internal::GetCapturedStderr()};
}

// Driving the widgets, virtual time and input are walked by every story against the real
// program (rate_power_options, macro_recording), as are a list's items and choice in the dump
// (soak) and the tray's tooltip (profile_follows_program); the rest of the dump is here.
TEST(ScenarioRunner, DumpsWhatTheWindowsShow) {
    FakeHost host;
    const Outcome outcome = RunScript(host, "wait 1000\ndump state.json\n");
    ASSERT_EQ(outcome.code, 0) << outcome.errors;
    EXPECT_EQ(host.starts, 1);
    EXPECT_EQ(host.quits, 1);
    QFile file(skin_test::skin_dir->filePath("state.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject dump = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(dump["time_ms"].toInt(), 1000);
    const QJsonArray windows = dump["windows"].toArray();
    ASSERT_EQ(windows.size(), 1);
    const QJsonObject window = windows[0].toObject();
    EXPECT_EQ(window["class"].toString(), "TestWindow");
    EXPECT_EQ(window["height"].toInt(), 500);
    std::map<QString, QJsonObject> by_name;
    for (const QJsonValue control : window["controls"].toArray())
        by_name[control["name"].toString()] = control.toObject();
    // The page the tab layout does not show.
    EXPECT_EQ(by_name["page_1"], (QJsonObject{{"name", "page_1"},
                                              {"kind", "Label"},
                                              {"shown", false},
                                              {"enabled", true},
                                              {"text", ""}}));
    EXPECT_EQ(by_name["slider"]["max"].toInt(), 220);
    EXPECT_EQ(dump["links"]["any_link"].toInt(), 1);
    EXPECT_FALSE(dump.contains("sim"));
}

TEST(ScenarioRunner, FailuresStopTheRunAtTheirLine) {
    const struct {
        const char* script;
        int code;
        const char* error;
        bool started;
    } cases[] = {
        {"wait 10\nfrobnicate\n", 2, "line 2: unknown command 'frobnicate'\n", false},
        {"select list x\n", 2, "line 1: 'x' is not a number from 0\n", false},
        {"sim press dpi\n", 2,
         "line 1: sim: the simulated mouse is only there in the demo program folder\n", false},
        {"\nclick page_1\n", 2, "line 2: 'page_1' is hidden\n", true},
        {"menu exit\n", 2, "line 1: no popup menu is open\n", true},
        {"click nothing\n", 2, "line 1: no control 'nothing' in the window TestWindow\n", true},
        {"expect opt_1 checked false\nclick btn_ok\n", 1, "line 1: expected false, got true\n",
         true},
        {"expect-window Dialog open\n", 1, "line 1: expected Dialog open, got closed\n", true},
    };
    for (const auto& c : cases) {
        FakeHost host;
        const Outcome outcome = RunScript(host, c.script);
        EXPECT_EQ(outcome.code, c.code) << c.script;
        // Qt's own warnings may come first.
        EXPECT_THAT(outcome.errors, testing::EndsWith(c.error));
        EXPECT_EQ(host.starts, c.started ? 1 : 0) << c.script;
        EXPECT_EQ(host.quits, c.started ? 1 : 0) << c.script;
    }
}

}  // namespace
