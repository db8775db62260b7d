#pragma once

// The simulated mouse's state and report log as the dump gives them (see ScenarioOptions).

#include <QJsonArray>
#include <QJsonObject>
#include <string_view>

namespace nimba::scenario {

QJsonObject SimStateJson(std::string_view state_text);
QJsonArray SimLogJson(std::string_view log_text);

}  // namespace nimba::scenario
