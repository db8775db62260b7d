#include "sim/control_commands.h"

#include <charconv>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "sim/mouse_state_text.h"
#include "sim/virtual_mouse.h"

namespace nimba::sim {

namespace {

constexpr std::string_view kUsage =
    "press dpi|light, cable in|out, receiver in|out, ble on|off, sleep, wake, battery N, "
    "charging on|off, state, log";

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const auto start = text.find_first_not_of(" \t\r");
        if (start == std::string_view::npos) break;
        text.remove_prefix(start);
        const auto end = text.find_first_of(" \t\r");
        words.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end);
    }
    return words;
}

std::string Ok(std::string body = {}) {
    return "OK\n" + body;
}
std::string Error(std::string_view reason) {
    return "ERR " + std::string(reason) + " (commands: " + std::string(kUsage) + ")\n";
}

// "in"/"out" or "on"/"off" as the command's one argument.
std::string Switch(const std::vector<std::string_view>& words, std::string_view on,
                   std::string_view off, const std::function<void(bool)>& apply) {
    if (words.size() == 2 && words[1] == on) {
        apply(true);
        return Ok();
    }
    if (words.size() == 2 && words[1] == off) {
        apply(false);
        return Ok();
    }
    return Error(std::string(words[0]) + " takes " + std::string(on) + " or " + std::string(off));
}

std::string ReadLog(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    return text.str();
}

}  // namespace

std::string RunControlCommand(VirtualMouse& mouse, std::string_view command) {
    const std::vector<std::string_view> words = Words(command);
    if (words.empty()) return Error("no command");
    const std::string_view verb = words[0];
    if (verb == "press") {
        if (words.size() == 2 && words[1] == "dpi") {
            mouse.PressDpi();
            return Ok();
        }
        if (words.size() == 2 && words[1] == "light") {
            mouse.PressLight();
            return Ok();
        }
        return Error("press takes dpi or light");
    }
    if (verb == "cable") return Switch(words, "in", "out", [&](bool on) { mouse.SetCable(on); });
    if (verb == "receiver") {
        return Switch(words, "in", "out", [&](bool on) { mouse.SetReceiver(on); });
    }
    if (verb == "ble") return Switch(words, "on", "off", [&](bool on) { mouse.SetBle(on); });
    if (verb == "charging") {
        return Switch(words, "on", "off", [&](bool on) { mouse.SetCharging(on); });
    }
    if ((verb == "sleep" || verb == "wake") && words.size() == 1) {
        mouse.SetAwake(verb == "wake");
        return Ok();
    }
    if (verb == "battery" && words.size() == 2) {
        int level = -1;
        const auto [ptr, ec] =
            std::from_chars(words[1].data(), words[1].data() + words[1].size(), level);
        if (ec != std::errc{} || ptr != words[1].data() + words[1].size() || level < 0 ||
            level > 100) {
            return Error("battery takes a level from 0 to 100");
        }
        mouse.SetBattery(level);
        return Ok();
    }
    if (verb == "state" && words.size() == 1) return Ok(DescribeMouse(mouse.Snapshot()));
    if (verb == "log" && words.size() == 1) return Ok(ReadLog(mouse.log_path()));
    return Error("unknown command '" + std::string(command) + "'");
}

}  // namespace nimba::sim
