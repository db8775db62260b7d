#pragma once

// Runs a scenario script on the program behind a host, the way a person would use it, and
// reports how it went as an exit code.

#include <string_view>

#include "scenario/scenario_host.h"
#include "scenario/scenario_options.h"

namespace nimba::scenario {

// Needs the QApplication; runs the program's message loop until the program has ended. The
// program is started before the first line that is not `start` and, when the script ends
// without `quit`, ended as `quit` ends it. Returns 0 when every line ran and every expectation
// held; 1 when an expectation failed; 2 when the script is wrong or a line cannot be carried
// out. Either failure is reported on stderr as "line N: reason" and ends the run at that line.
int RunScenario(std::string_view script, ScenarioHost& host, const ScenarioOptions& options);

}  // namespace nimba::scenario
