#pragma once

// Carries out one line of a scenario on the running program: everything but the stepping,
// the real-time wait and the end of the run, which the runner owns.

#include <cstdint>
#include <optional>
#include <string>

#include "scenario/scenario_command.h"
#include "scenario/scenario_host.h"
#include "scenario/scenario_options.h"

namespace nimba::scenario {

// Why the run stops at a line: exit code 1 (an expectation failed) or 2 (the line cannot be
// carried out), and the reason.
struct RunStop {
    int code = 0;
    std::string reason;
};

class CommandExecutor {
public:
    CommandExecutor(ScenarioHost& host, const ScenarioOptions& options);

    // `start_ms` is the clock's time when the run began, for the dump's time. A `wait` moves
    // the virtual clock; in real time the runner waits by itself.
    std::optional<RunStop> Execute(const Command& command, uint64_t start_ms);

private:
    std::optional<RunStop> ActOnControl(const Command& command);
    std::optional<RunStop> PressKeyIn(const Command& command);
    std::optional<RunStop> PickMenuItem(const Command& command);
    std::optional<RunStop> PostInput(const Command& command);
    std::optional<RunStop> RunSim(const Command& command);
    std::optional<RunStop> RunMousectl(const Command& command);
    // The window actions go to, its top-left corner put at a point of the screen.
    std::optional<RunStop> MoveWindow(const Command& command);
    std::optional<RunStop> Screenshot(const Command& command);
    std::optional<RunStop> Dump(const Command& command, uint64_t start_ms);
    std::optional<RunStop> Expect(const Command& command);
    std::optional<RunStop> ExpectWindow(const Command& command);
    // The simulated mouse: how many reports it logged, the last of them, or a line of its state.
    std::optional<RunStop> ExpectSim(const Command& command);
    // The top-most shown window of a class: its place and size on the screen, as dumped.
    std::optional<RunStop> ExpectGeometry(const Command& command);
    std::string Resolve(const std::string& path) const;

    ScenarioHost& host_;
    const ScenarioOptions& options_;
};

}  // namespace nimba::scenario
