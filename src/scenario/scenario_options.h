#pragma once

// How a scenario runs: the clock, where relative paths point, and the simulated mouse.

#include <functional>
#include <string>
#include <vector>

namespace nimba::scenario {

struct ScenarioOptions {
    // false: virtual time, moved only by `wait` lines (the clock is switched to it before the
    // program starts and back to real time when the run ends); true: the real clock, and
    // `wait MS` lets the event loop run for MS milliseconds.
    bool real_time = false;
    // The folder that relative paths of `file`, `screenshot` and `dump` lines are taken from;
    // empty for the process's current folder.
    std::string working_dir;
    // Runs one command of the simulated mouse (the words of a `sim` line joined by single
    // spaces, as `nimba-mouse-sim` takes them) and returns its answer: "OK" and the output,
    // or "ERR <reason>" (the line then fails as a script error). Empty outside the demo
    // program folder: a script with `sim` lines is then refused before the program starts.
    std::function<std::string(const std::string& command)> sim;
    // The simulated mouse's state as the `state` command prints it, without the "OK" answer
    // line; the dump gives it as an object, one key per "key: value" ("battery": "80%"; a line
    // of several "key: value" parts joined by ", " gives each), and a key whose line ends in
    // ':' holds the indented lines below it as an array of strings ("dpi stages":
    // ["1:   800 DPI  on   colour FF0000  <- current", ...]).
    std::function<std::string()> sim_state;
    // Every report the simulated mouse received since the start, one per line as the `log`
    // command prints it without the "OK" answer line ("wireless 0C 0A ..."); an array of the
    // lines in the dump.
    std::function<std::string()> sim_log;
    // Runs the program folder's nimba-mousectl with these arguments while the program runs, as
    // the user's shell would beside it: same runtime folder, same simulated mouse's log (so a
    // second process writing to the mouse shows there). The program goes on meanwhile and can
    // answer the tool. Returns why the line failed (exit code and messages), or empty.
    std::function<std::string(const std::vector<std::string>& args)> mousectl;
};

}  // namespace nimba::scenario
