#include "protocol/apply_sequence.h"

#include <cstddef>
#include <cstring>

#include "model/button_functions.h"
#include "protocol/report_catalogue.h"

namespace nimba {
namespace {

// The macro part of a button area that, when changed, resends that button's macro.
constexpr size_t kMacroSpareWidth = 4;
constexpr size_t kMacroActionsWidth = sizeof(MacroAction) * kMaxMacroActions;

template <typename T>
bool Differs(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) != 0;
}

bool DpiSensorDiffers(const ProfileRecord& a, const ProfileRecord& b) {
    return Differs(a.current_dpi_stage, b.current_dpi_stage) ||
           Differs(a.sensor_spare_1, b.sensor_spare_1) ||
           Differs(a.lift_off_distance, b.lift_off_distance) ||
           Differs(a.sensor_spare_2, b.sensor_spare_2) ||
           Differs(a.ripple_control, b.ripple_control) || Differs(a.angle_snap, b.angle_snap) ||
           Differs(a.dpi_x, b.dpi_x) || Differs(a.dpi_y, b.dpi_y) ||
           Differs(a.dpi_stage_enabled, b.dpi_stage_enabled) || Differs(a.dpi_color, b.dpi_color);
}

bool LightingDiffers(const ProfileRecord& a, const ProfileRecord& b) {
    return Differs(a.light_mode, b.light_mode) || Differs(a.light_mode_ble, b.light_mode_ble) ||
           Differs(a.light_speed, b.light_speed) ||
           Differs(a.light_brightness, b.light_brightness) ||
           Differs(a.key_debounce, b.key_debounce) || Differs(a.light_color, b.light_color) ||
           Differs(a.sleep_timer, b.sleep_timer) || Differs(a.light_off_timer, b.light_off_timer);
}

// The spare byte is compared with the three bytes after it, as one 32-bit word.
bool MacroDiffers(const ButtonAssignment& a, const ButtonAssignment& b) {
    return Differs(a.macro_loop_mode, b.macro_loop_mode) ||
           Differs(a.macro_loop_count, b.macro_loop_count) ||
           std::memcmp(&a.macro_spare, &b.macro_spare, kMacroSpareWidth) != 0 ||
           std::memcmp(a.macro_actions, b.macro_actions, kMacroActionsWidth) != 0;
}

template <typename Report>
std::vector<uint8_t> Bytes(const Report& report) {
    return std::vector<uint8_t>(report.begin(), report.end());
}

}  // namespace

void ChangeFlags::SetAll() {
    dpi_sensor = report_rate = lighting = buttons = 1;
    macros.fill(1);
}

ChangeFlags DetectChanges(const ProfileRecord& current, const ProfileRecord& applied) {
    ChangeFlags flags;
    flags.dpi_sensor = DpiSensorDiffers(current, applied);
    flags.report_rate = Differs(current.report_rate, applied.report_rate);
    flags.lighting = LightingDiffers(current, applied);
    flags.buttons = Differs(current.buttons, applied.buttons);
    for (int k = 0; k < kButtonCount; ++k) {
        flags.macros[k] = MacroDiffers(current.buttons[k], applied.buttons[k]);
    }
    return flags;
}

std::vector<std::vector<uint8_t>> ApplyReports(const ProfileRecord& current,
                                               const ChangeFlags& flags, bool apply_all) {
    std::vector<std::vector<uint8_t>> reports;
    if (apply_all) reports.push_back(Bytes(BuildPreambleReport()));
    if (flags.dpi_sensor) reports.push_back(Bytes(BuildDpiSensorReport(current)));
    if (flags.lighting) reports.push_back(Bytes(BuildLightingReport(current)));
    if (flags.report_rate) reports.push_back(Bytes(BuildReportRateReport(current)));
    if (flags.buttons) reports.push_back(Bytes(BuildButtonReport(current)));
    for (int k = 0; k < kButtonCount; ++k) {
        if (flags.macros[k] && current.buttons[k].function == kFunctionMacro) {
            reports.push_back(Bytes(BuildMacroReport(k + 1, current.buttons[k])));
        }
    }
    return reports;
}

}  // namespace nimba
