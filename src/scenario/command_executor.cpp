#include "scenario/command_executor.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QPixmap>
#include <filesystem>
#include <variant>

#include "platform/clock.h"
#include "platform/file_dialog_answers.h"
#include "platform/messages.h"
#include "scenario/control_properties.h"
#include "scenario/expectation.h"
#include "scenario/input_events.h"
#include "scenario/key_names.h"
#include "scenario/sim_state_json.h"
#include "scenario/state_dump.h"
#include "scenario/widget_actions.h"
#include "scenario/window_lookup.h"
#include "skin/menu_wnd.h"
#include "skin/skin_text.h"
#include "skin/window_z_order.h"

namespace nimba::scenario {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

RunStop CannotDo(std::string reason) {
    return RunStop{2, std::move(reason)};
}

// The named control of the window actions go to, when a person could act on it; else why not.
std::variant<CControlUI*, RunStop> ControlToActOn(WindowImplBase* window, const std::string& name) {
    if (window == nullptr) return CannotDo("no window to act on");
    CControlUI* control = window->GetPaintManager().FindControl(skin::FromQ(Q(name)));
    if (control == nullptr)
        return CannotDo("no control '" + name + "' in the window " + WindowClass(*window));
    if (!IsControlShown(*control)) return CannotDo("'" + name + "' is hidden");
    if (!IsControlEnabled(*control)) return CannotDo("'" + name + "' is disabled");
    return control;
}

// The top-most shown window of a class, null when none is shown.
WindowImplBase* TopShownWindowOf(const std::string& window_class) {
    WindowImplBase* found = nullptr;
    for (WindowImplBase* window : skin::WindowsInZOrder()) {
        if (WindowClass(*window) == window_class && IsWindowShown(*window)) found = window;
    }
    return found;
}

std::optional<RunStop> Failed(const std::string& reason) {
    if (reason.empty()) return std::nullopt;
    return CannotDo(reason);
}

}  // namespace

CommandExecutor::CommandExecutor(ScenarioHost& host, const ScenarioOptions& options)
    : host_(host), options_(options) {}

std::optional<RunStop> CommandExecutor::Execute(const Command& command, uint64_t start_ms) {
    switch (command.verb) {
        case Verb::kStart:
            if (const int code = host_.Start(); code != 0)
                return CannotDo("the program did not start (exit code " + std::to_string(code) +
                                ")");
            return std::nullopt;
        case Verb::kClick:
        case Verb::kRightClick:
        case Verb::kDoubleClick:
        case Verb::kSelect:
        case Verb::kSlide:
        case Verb::kType:
        case Verb::kClear:
            return ActOnControl(command);
        case Verb::kKey:
            return PressKeyIn(command);
        case Verb::kMenu:
            return PickMenuItem(command);
        case Verb::kTray:
            host_.TrayClick(command.args[0] == "menu");
            return std::nullopt;
        case Verb::kFile:
            platform::QueueFileDialogAnswer(command.args[0] == "cancel"
                                                ? std::nullopt
                                                : std::optional(Resolve(command.args[0])));
            return std::nullopt;
        case Verb::kInput:
            return PostInput(command);
        case Verb::kWait:
            platform::test::AdvanceBy(static_cast<uint32_t>(*ParseNumber(command.args[0])));
            return std::nullopt;
        case Verb::kFront:
            host_.BringToFront(command.args[0]);
            return std::nullopt;
        case Verb::kSim:
            return RunSim(command);
        case Verb::kMousectl:
            return RunMousectl(command);
        case Verb::kMove:
            return MoveWindow(command);
        case Verb::kScreenshot:
            return Screenshot(command);
        case Verb::kDump:
            return Dump(command, start_ms);
        case Verb::kExpect:
            return Expect(command);
        case Verb::kExpectWindow:
            return ExpectWindow(command);
        case Verb::kExpectSim:
            return ExpectSim(command);
        case Verb::kExpectGeometry:
            return ExpectGeometry(command);
        case Verb::kQuit:
            // Ending the program ends the run: the runner's to do.
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<RunStop> CommandExecutor::ActOnControl(const Command& command) {
    auto found = ControlToActOn(ActionWindow(), command.args[0]);
    if (auto* stop = std::get_if<RunStop>(&found)) return *stop;
    CControlUI& control = *std::get<CControlUI*>(found);
    switch (command.verb) {
        case Verb::kClick:
            return Failed(ClickControl(control, Qt::LeftButton));
        case Verb::kRightClick:
            return Failed(ClickControl(control, Qt::RightButton));
        case Verb::kDoubleClick:
            return Failed(DoubleClickControl(control));
        case Verb::kSelect:
            return Failed(SelectItem(control, *ParseNumber(command.args[1])));
        case Verb::kSlide:
            return Failed(SlideTo(control, *ParseNumber(command.args[1])));
        case Verb::kType:
            return Failed(TypeText(control, Q(command.args[1])));
        default:
            return Failed(ClearText(control));
    }
}

std::optional<RunStop> CommandExecutor::PressKeyIn(const Command& command) {
    const QKeyCombination key = *ParseKeyCombination(command.args[1]);
    WindowImplBase* window = ActionWindow();
    if (command.args[0] != "-") {
        auto found = ControlToActOn(window, command.args[0]);
        if (auto* stop = std::get_if<RunStop>(&found)) return *stop;
        QWidget& widget = *std::get<CControlUI*>(found)->GetWidget();
        // Keys reach the control that has the focus; a person moves it there first.
        if (widget.focusPolicy() != Qt::NoFocus && !widget.hasFocus())
            widget.setFocus(Qt::TabFocusReason);
        PressKey(widget, key);
        return std::nullopt;
    }
    if (window == nullptr) return CannotDo("no window to act on");
    QWidget* focused = window->GetWindowWidget()->focusWidget();
    if (focused == nullptr) return CannotDo("no control has the focus");
    PressKey(*focused, key);
    return std::nullopt;
}

std::optional<RunStop> CommandExecutor::PickMenuItem(const Command& command) {
    WindowImplBase* window = ActionWindow();
    if (dynamic_cast<CMenuWnd*>(window) == nullptr) return CannotDo("no popup menu is open");
    auto found = ControlToActOn(window, command.args[0]);
    if (auto* stop = std::get_if<RunStop>(&found)) return *stop;
    return Failed(ClickControl(*std::get<CControlUI*>(found), Qt::LeftButton));
}

std::optional<RunStop> CommandExecutor::PostInput(const Command& command) {
    const HWND target = host_.InputTarget();
    if (target == nullptr) return CannotDo("no window takes input events");
    const auto events = InputEvents(command.args[0], command.args[1]);
    for (const InputEvent& event : *events)
        PostMessageW(target, kInputEventMessage, event.wParam, event.lParam);
    return std::nullopt;
}

std::optional<RunStop> CommandExecutor::RunSim(const Command& command) {
    std::string joined;
    for (const std::string& word : command.args) joined += (joined.empty() ? "" : " ") + word;
    std::string answer = options_.sim(joined);
    if (!answer.starts_with("ERR")) return std::nullopt;
    while (!answer.empty() && answer.back() == '\n') answer.pop_back();
    return CannotDo("sim " + joined + ": " + answer);
}

std::optional<RunStop> CommandExecutor::RunMousectl(const Command& command) {
    if (!options_.mousectl) return CannotDo("mousectl: no tool beside this program");
    return Failed(options_.mousectl(command.args));
}

std::optional<RunStop> CommandExecutor::MoveWindow(const Command& command) {
    WindowImplBase* window = ActionWindow();
    if (window == nullptr) return CannotDo("no window to act on");
    // As when the user drags it there: the desktop moves it.
    window->GetWindowWidget()->move(*ParseNumber(command.args[0]), *ParseNumber(command.args[1]));
    return std::nullopt;
}

std::optional<RunStop> CommandExecutor::Screenshot(const Command& command) {
    WindowImplBase* window = TopShownWindow();
    if (window == nullptr) return CannotDo("no window is shown");
    const std::string path = Resolve(command.args[0]);
    if (!window->GetWindowWidget()->grab().save(Q(path), "PNG"))
        return CannotDo("cannot write " + path);
    return std::nullopt;
}

std::optional<RunStop> CommandExecutor::Dump(const Command& command, uint64_t start_ms) {
    const QJsonDocument dump(DumpState(host_, options_, platform::NowMs() - start_ms));
    const std::string path = Resolve(command.args[0]);
    QFile file(Q(path));
    const QByteArray text = dump.toJson(QJsonDocument::Indented);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        return CannotDo("cannot write " + path);
    return std::nullopt;
}

std::optional<RunStop> CommandExecutor::Expect(const Command& command) {
    const std::string& name = command.args[0];
    CControlUI* control = FindControlInWindows(name);
    if (control == nullptr) return CannotDo("no control '" + name + "' in any window");
    const std::string& property = command.args[1];
    const auto actual = PropertyText(DescribeControl(*control), property);
    if (!actual) {
        return CannotDo("'" + name + "' (" + skin::ToQ(control->GetClass()).toStdString() +
                        ") has no " + property);
    }
    if (*actual == command.args[2]) return std::nullopt;
    return RunStop{1, "expected " + command.args[2] + ", got " + *actual};
}

std::optional<RunStop> CommandExecutor::ExpectWindow(const Command& command) {
    const std::string actual = TopShownWindowOf(command.args[0]) != nullptr ? "open" : "closed";
    if (actual == command.args[1]) return std::nullopt;
    return RunStop{1, "expected " + command.args[0] + " " + command.args[1] + ", got " + actual};
}

std::optional<RunStop> CommandExecutor::ExpectGeometry(const Command& command) {
    WindowImplBase* window = TopShownWindowOf(command.args[0]);
    if (window == nullptr) return RunStop{1, "expected " + command.args[0] + " open, got closed"};
    const QRect expected(*ParseNumber(command.args[1]), *ParseNumber(command.args[2]),
                         *ParseNumber(command.args[3]), *ParseNumber(command.args[4]));
    const QRect actual = window->GetWindowWidget()->geometry();
    if (actual == expected) return std::nullopt;
    const auto text = [](const QRect& r) {
        return std::to_string(r.x()) + " " + std::to_string(r.y()) + " " +
               std::to_string(r.width()) + " " + std::to_string(r.height());
    };
    return RunStop{
        1, "expected " + command.args[0] + " at " + text(expected) + ", got " + text(actual)};
}

std::optional<RunStop> CommandExecutor::ExpectSim(const Command& command) {
    if (!options_.sim_log || !options_.sim_state) return CannotDo("no simulated mouse here");
    const std::string& what = command.args[0];
    std::string actual;
    if (what == "log" || what == "log-last") {
        const QJsonArray log = SimLogJson(options_.sim_log());
        if (what == "log") {
            actual = std::to_string(log.size());
        } else if (!log.isEmpty()) {
            actual = log.last().toString().toStdString();
        }
    } else {
        const QJsonObject state = SimStateJson(options_.sim_state());
        const auto key = QString::fromStdString(what);
        if (!state.contains(key))
            return CannotDo("the simulated mouse's state has no '" + what + "'");
        const QJsonValue value = state.value(key);
        actual = value.isArray()
                     ? QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact).toStdString()
                     : value.toString().toStdString();
    }
    if (actual == command.args[1]) return std::nullopt;
    return RunStop{1, "expected " + what + " " + command.args[1] + ", got " + actual};
}

std::string CommandExecutor::Resolve(const std::string& path) const {
    const std::filesystem::path given(path);
    if (given.is_absolute() || options_.working_dir.empty()) return path;
    return (std::filesystem::path(options_.working_dir) / given).string();
}

}  // namespace nimba::scenario
