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
#include <vector>

#include "platform/messages.h"
#include "skin/dialog_builder.h"
#include "skin/list.h"
#include "skin/skin_text.h"
#include "skin/window_impl_base.h"
#include "skin_fixture.h"

namespace {

using nimba::scenario::RunScenario;
using nimba::scenario::ScenarioOptions;
using nimba::skin::FromQ;
using nimba::skin::ToQ;

const auto* app_env = ::testing::AddGlobalTestEnvironment(new skin_test::SkinEnvironment);

// The skin tests' window: the ticks of a timer show in the label "page_0".
class MainWindow : public WindowImplBase {
public:
    std::u16string GetWindowClassName() const override { return u"TestMain"; }
    std::u16string GetSkinFile() override { return u"dialog.xml"; }
    void InitWindow() override {
        auto* list = m_pm.FindControlAs<CListUI>(u"list");
        auto* row = new CListLabelElementUI;
        row->SetText(u"one");
        list->Add(row);
        auto* template_row = static_cast<CContainerUI*>(CDialogBuilder().Create(u"row.xml", &m_pm));
        list->Add(template_row);
        template_row->FindSubControl(u"key")->SetText(u"k");
        template_row->FindSubControl(u"delay")->SetText(u"v");
        SetTimer(GetHWND(), 1, 400);
    }
    void Notify(TNotifyUI& msg) override {
        const std::u16string& type = msg.sType;
        if (type == u"itemselect" || type == u"valuechanged" || type == u"selectchanged")
            seen.push_back(ToQ(type + u" " + msg.pSender->GetName()).toStdString() + " " +
                           std::to_string(msg.wParam));
        WindowImplBase::Notify(msg);
    }
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = msg == WM_TIMER || msg == kInputEvent;
        if (msg == WM_TIMER) Answer(u"ticks " + FromQ(QString::number(++ticks_)));
        if (msg == kInputEvent) input.push_back({wParam, lParam});
        return 0;
    }

    static constexpr UINT kInputEvent = 1034;
    std::vector<std::string> seen;
    std::vector<std::pair<WPARAM, LPARAM>> input;

private:
    void Answer(const std::u16string& text) { m_pm.FindControl(u"page_0")->SetText(text); }
    int ticks_ = 0;
};

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

    MainWindow main;
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

TEST(ScenarioRunner, DrivesTheWidgetsAsAPersonDoesAndDumpsWhatTheyShow) {
    FakeHost host;
    const Outcome outcome = RunScript(host, R"(
        click opt_2            # a comment
        click opt_2            # already chosen: no second change
        type edit "a \"b\""
        key - Backspace
        select combo 2
        select list 1
        slide slider 150
        wait 1000
        expect opt_2 checked true
        expect edit text "a \"b"
        expect combo text c
        expect list items ["one","k\tv"]
        expect page_0 text "ticks 2"
        input down LCONTROL
        input up VK_0x41
        input click x2
        dump state.json
    )");
    ASSERT_EQ(outcome.code, 0) << outcome.errors;
    EXPECT_EQ(host.starts, 1);
    EXPECT_EQ(host.quits, 1);
    // One notification for each choice, as a person's input raises them.
    EXPECT_EQ(host.main.seen,
              (std::vector<std::string>{"selectchanged opt_2 0", "itemselect combo 2",
                                        "itemselect list 1", "valuechanged slider 150"}));
    // As the input capture library posts them: key code and up flag, button message and side.
    EXPECT_EQ(host.main.input, (std::vector<std::pair<WPARAM, LPARAM>>{
                                   {0xA2, 0}, {0x41, 1}, {0x20B, 2}, {0x20C, 2}}));

    QFile file(skin_test::skin_dir->filePath("state.json"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonObject dump = QJsonDocument::fromJson(file.readAll()).object();
    EXPECT_EQ(dump["time_ms"].toInt(), 1000);
    const QJsonArray windows = dump["windows"].toArray();
    ASSERT_EQ(windows.size(), 1);
    const QJsonObject window = windows[0].toObject();
    EXPECT_EQ(window["class"].toString(), "TestMain");
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
    EXPECT_EQ(by_name["list"]["selected"].toInt(), 1);
    EXPECT_EQ(by_name["key"]["shown"].toBool(), true);
    EXPECT_EQ(dump["links"]["any_link"].toInt(), 1);
    EXPECT_EQ(dump["tray"]["tooltip"].toString(), "tip");
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
        {"click nothing\n", 2, "line 1: no control 'nothing' in the window TestMain\n", true},
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
