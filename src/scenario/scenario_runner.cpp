#include "scenario/scenario_runner.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/clock.h"
#include "scenario/command_executor.h"
#include "scenario/window_lookup.h"
#include "skin/message_queue_bridge.h"
#include "skin/paint_manager.h"

namespace nimba::scenario {
namespace {

// Upper bound of settling rounds: a program that keeps posting to itself must not hold the
// scenario forever.
constexpr int kMaxSettleRounds = 10000;

// Calls back whenever a window shows: the dialog that a deferred step waits for may be up.
class WindowShowWatch : public QObject {
public:
    explicit WindowShowWatch(std::function<void()> shown) : shown_(std::move(shown)) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            shown_();
        return false;
    }

private:
    std::function<void()> shown_;
};

void Report(int line, const std::string& reason) {
    std::fprintf(stderr, "line %d: %s\n", line, reason.c_str());
}

// The lines run from the event loop, one step each, so that a line whose action runs a modal
// loop (a click opening a dialog) does not hold up the lines that answer the dialog: the next
// step is queued before such an action, runs inside the modal loop, and goes ahead only while a
// dialog opened by the action is up. Otherwise it waits for the action to return, so that the
// code after a dialog has run before the next line is read.
class ScenarioRun {
public:
    ScenarioRun(std::vector<Command> commands, ScenarioHost& host, const ScenarioOptions& options)
        : commands_(std::move(commands)),
          host_(host),
          options_(options),
          executor_(host, options) {}

    int Run() {
        start_ms_ = platform::NowMs();
        // A dialog can also open while an action runs the event loop without having opened
        // it yet (settling dispatches a message that opens it): the deferred step then goes on.
        const WindowShowWatch watch([this] { ResumeDeferred(); });
        QueueStep();
        while (true) {
            CPaintManagerUI::MessageLoop();
            if (done_) return code_;
            // The program ended by itself before the script: the rest runs without it.
            deferred_ = false;
            QueueStep();
        }
    }

private:
    // Every message and event that is due now, until nothing more comes; in virtual time also
    // what the program's other threads have due now.
    void Settle() const {
        int quiet_rounds = 0;
        for (int round = 0; round < kMaxSettleRounds && quiet_rounds < 2; ++round) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (!options_.real_time) platform::test::AdvanceBy(0);
            host_.FinishWrites();
            quiet_rounds = skin::PumpMessageQueue() == 0 ? quiet_rounds + 1 : 0;
        }
    }

    // One chain of steps: a step already queued is not queued twice.
    void QueueStep(int delay_ms = 0) {
        if (step_queued_) return;
        step_queued_ = true;
        QTimer::singleShot(delay_ms, QCoreApplication::instance(), [this] {
            step_queued_ = false;
            Step();
        });
    }

    // An action of ours is under way and no dialog it opened is up.
    bool ActionPending() const { return !actions_.empty() && OpenModalCount() <= actions_.back(); }

    void Step() {
        if (done_) return;
        if (ActionPending()) {
            deferred_ = true;
            return;
        }
        // Settling can run a modal loop too (a posted message opening a dialog), so it is an
        // action of its own, and the line follows in the next step.
        if (!settled_) {
            settled_ = true;
            RunAction([this] { Settle(); });
            return;
        }
        settled_ = false;
        if (next_ == commands_.size()) {
            End(0);
            return;
        }
        const Command& command = commands_[next_++];
        if (command.verb == Verb::kQuit) {
            End(0);
            return;
        }
        if (command.verb == Verb::kWait && options_.real_time) {
            QueueStep(*ParseNumber(command.args[0]));
            return;
        }
        std::optional<RunStop> stop;
        if (MayBlock(command.verb)) {
            RunAction([&] { stop = executor_.Execute(command, start_ms_); });
        } else {
            stop = executor_.Execute(command, start_ms_);
            QueueStep();
        }
        if (stop) {
            Report(command.line, stop->reason);
            End(stop->code);
        }
    }

    // The step after an action is queued before it, in case the action runs a modal loop.
    template <class Action>
    void RunAction(Action action) {
        QueueStep();
        actions_.push_back(OpenModalCount());
        action();
        actions_.pop_back();
        ResumeDeferred();
    }

    void ResumeDeferred() {
        if (!deferred_ || done_) return;
        deferred_ = false;
        QueueStep();
    }

    // No more lines: the program ends as "exit" in its tray menu ends it, and the run ends
    // with the program's message loop.
    void End(int code) {
        if (done_) return;
        done_ = true;
        code_ = code;
        if (host_.Running()) {
            host_.Quit();
        } else {
            QCoreApplication::exit(0);
        }
    }

    std::vector<Command> commands_;
    ScenarioHost& host_;
    const ScenarioOptions& options_;
    CommandExecutor executor_;
    uint64_t start_ms_ = 0;
    size_t next_ = 0;
    // For each action under way, innermost last: how many dialogs were open when it began.
    std::vector<int> actions_;
    bool deferred_ = false;  // a step found an action under way and left the next one to it
    bool settled_ = false;   // the next step runs a line rather than settling first
    bool step_queued_ = false;
    bool done_ = false;
    int code_ = 0;
};

// Script errors that only the options reveal, found before anything runs.
std::optional<ScriptError> CheckAgainstOptions(const std::vector<Command>& commands,
                                               const ScenarioOptions& options) {
    for (const Command& command : commands) {
        if ((command.verb == Verb::kSim || command.verb == Verb::kExpectSim) && !options.sim)
            return ScriptError{command.line,
                               "sim: the simulated mouse is only there in the demo program folder"};
    }
    return std::nullopt;
}

}  // namespace

int RunScenario(std::string_view script, ScenarioHost& host, const ScenarioOptions& options) {
    auto parsed = ParseScript(script);
    if (auto* error = std::get_if<ScriptError>(&parsed)) {
        Report(error->line, error->reason);
        return 2;
    }
    auto& commands = std::get<std::vector<Command>>(parsed);
    if (const auto error = CheckAgainstOptions(commands, options)) {
        Report(error->line, error->reason);
        return 2;
    }
    if (commands.empty() || commands.front().verb != Verb::kStart)
        commands.insert(commands.begin(),
                        Command{commands.empty() ? 1 : commands.front().line, Verb::kStart, {}});
    if (!options.real_time) platform::test::UseDrivenClock(true);
    const int code = ScenarioRun(std::move(commands), host, options).Run();
    // Whatever of the program still waits on the clock finishes in real time.
    if (!options.real_time) platform::test::UseDrivenClock(false);
    return code;
}

}  // namespace nimba::scenario
