#include "sim/mouse_state_text.h"

#include <cstdio>

#include "sim/sensor_dpi.h"

namespace nimba::sim {

namespace {

const char* YesNo(bool value) {
    return value ? "yes" : "no";
}

std::string Format(const char* format, auto... args) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, args...);
    return buffer;
}

const std::vector<uint8_t>* Held(const MouseSnapshot& state, uint8_t id) {
    const auto found = state.reports.find(id);
    return found == state.reports.end() ? nullptr : &found->second;
}

std::string DescribeDpi(const MouseSnapshot& state) {
    const std::vector<uint8_t>* dpi = Held(state, 0x04);
    if (dpi == nullptr) return "dpi stages: none received\n";
    const auto& r = *dpi;
    std::string text = "dpi stages:\n";
    for (int i = 0; i < 8; ++i) {
        const int value = SensorDpi(r[8 + i], r[16 + i], (r[6] >> i & 1) != 0);
        text += Format("  %d: %5d DPI  %s  colour %02X%02X%02X%s\n", i + 1, value,
                       (r[5] >> i & 1) != 0 ? "on " : "off", r[25 + 3 * i], r[26 + 3 * i],
                       r[27 + 3 * i], i + 1 == state.current_dpi_stage ? "  <- current" : "");
    }
    text += Format("current stage: %d\nangle snap: %d\nripple control: %d\n",
                   state.current_dpi_stage, r[3], r[4]);
    return text;
}

std::string DescribeLighting(const MouseSnapshot& state) {
    const std::vector<uint8_t>* lighting = Held(state, 0x05);
    if (lighting == nullptr) return "lighting: none received\n";
    const auto& r = *lighting;
    return Format(
        "lighting: mode %d, speed %d, brightness %d, colour %02X%02X%02X\n"
        "sleep timer: %d, light-off timer: %d, key debounce: %d\n",
        state.light_mode, 9 - (r[4] & 0x0F), r[5] & 0x0F, r[6], r[7], r[8],
        (r[4] & 0xF0) | r[5] >> 4, r[9], r[10]);
}

std::string DescribeRate(const MouseSnapshot& state) {
    const std::vector<uint8_t>* rate = Held(state, 0x06);
    if (rate == nullptr || (*rate)[3] == 0) return "report rate: none received\n";
    return Format("report rate: %d ms (%d Hz)\n", (*rate)[3], 1000 / (*rate)[3]);
}

std::string DescribeButtons(const MouseSnapshot& state) {
    const std::vector<uint8_t>* buttons = Held(state, 0x08);
    if (buttons == nullptr) return "buttons: none received\n";
    std::string text = "buttons:";
    for (int k = 0; k < 18; ++k) {
        const auto& r = *buttons;
        text += Format("%s%2d: %02X %02X %02X", k % 6 == 0 ? "\n  " : "   ", k + 1, r[3 + 3 * k],
                       r[4 + 3 * k], r[5 + 3 * k]);
    }
    return text + "\n";
}

std::string DescribeMacros(const MouseSnapshot& state) {
    if (state.macros.empty()) return "macros: none\n";
    std::string text = "macros:\n";
    for (const auto& [button, r] : state.macros) {
        text += Format("  button %d: %d entries, loop mode %d, loop count %d\n", button, r[28],
                       r[3], r[7]);
    }
    return text;
}

}  // namespace

std::string DescribeMouse(const MouseSnapshot& state) {
    std::string text =
        Format("links: cable %s, receiver %s, ble %s\nspeaking over: %s\n",
               state.cable ? "in" : "out", state.receiver ? "in" : "out", state.ble ? "on" : "off",
               state.speaking_over ? LinkName(*state.speaking_over) : "nothing");
    text += Format("awake: %s\nbattery: %d%%\ncharging: %s\n", YesNo(state.awake), state.battery,
                   YesNo(state.charging));
    return text + DescribeDpi(state) + DescribeLighting(state) + DescribeRate(state) +
           DescribeButtons(state) + DescribeMacros(state);
}

}  // namespace nimba::sim
