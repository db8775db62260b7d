#pragma once

// The dump: everything the program shows, as JSON: the time, every window in z-order (top-most
// last) with its named controls, the tray icon, the link flags, the data folder and, beside
// the simulated mouse, its state and report log.

#include <QJsonObject>
#include <cstdint>

#include "scenario/scenario_host.h"
#include "scenario/scenario_options.h"

namespace nimba::scenario {

QJsonObject DumpState(const ScenarioHost& host, const ScenarioOptions& options, uint64_t time_ms);

}  // namespace nimba::scenario
