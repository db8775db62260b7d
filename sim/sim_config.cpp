#include "sim/sim_config.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace nimba::sim {

namespace {

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::optional<bool> ParseSwitch(std::string_view value) {
    for (std::string_view on : {"on", "in", "yes", "1", "true"}) {
        if (value == on) return true;
    }
    for (std::string_view off : {"off", "out", "no", "0", "false"}) {
        if (value == off) return false;
    }
    return std::nullopt;
}

void SetSwitch(bool& field, std::string_view value) {
    if (const auto parsed = ParseSwitch(value)) field = *parsed;
}

}  // namespace

SimConfig ParseSimConfig(std::string_view text) {
    SimConfig config;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        line = Trim(line.substr(0, line.find('#')));
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string_view value = Trim(line.substr(equals + 1));
        if (key == "cable") SetSwitch(config.cable, value);
        if (key == "receiver") SetSwitch(config.receiver, value);
        if (key == "ble") SetSwitch(config.ble, value);
        if (key == "awake") SetSwitch(config.awake, value);
        if (key == "charging") {
            if (const auto parsed = ParseSwitch(value)) config.charging = parsed;
        }
        if (key == "battery") {
            int level = 0;
            const auto [ptr, ec] =
                std::from_chars(value.data(), value.data() + value.size(), level);
            if (ec == std::errc{} && ptr == value.data() + value.size() && level >= 0 &&
                level <= 100) {
                config.battery = level;
            }
        }
    }
    return config;
}

SimConfig LoadSimConfig(const std::string& path) {
    std::ifstream file(path);
    if (!file) return {};
    std::ostringstream text;
    text << file.rdbuf();
    return ParseSimConfig(text.str());
}

}  // namespace nimba::sim
