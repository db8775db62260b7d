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
ApplyReport Carrying(const Report& report, const ChangeFlags& carries) {
    return {std::vector<uint8_t>(report.begin(), report.end()), carries};
}

ChangeFlags Only(uint8_t ChangeFlags::*flag) {
    ChangeFlags only;
    only.*flag = 1;
    return only;
}

}  // namespace

ChangeFlags ChangeFlags::All() {
    ChangeFlags all;
    all.dpi_sensor = all.report_rate = all.lighting = all.buttons = 1;
    all.macros.fill(1);
    return all;
}

ChangeFlags& ChangeFlags::operator|=(const ChangeFlags& other) {
    dpi_sensor |= other.dpi_sensor;
    report_rate |= other.report_rate;
    lighting |= other.lighting;
    buttons |= other.buttons;
    for (int k = 0; k < kButtonCount; ++k) macros[k] |= other.macros[k];
    return *this;
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

std::vector<ApplyReport> ApplyReports(const ProfileRecord& current, const ChangeFlags& flags,
                                      bool apply_all) {
    std::vector<ApplyReport> reports;
    if (apply_all) reports.push_back(Carrying(BuildPreambleReport(), ChangeFlags::All()));
    if (flags.dpi_sensor) {
        reports.push_back(Carrying(BuildDpiSensorReport(current), Only(&ChangeFlags::dpi_sensor)));
    }
    if (flags.lighting) {
        reports.push_back(Carrying(BuildLightingReport(current), Only(&ChangeFlags::lighting)));
    }
    if (flags.report_rate) {
        reports.push_back(
            Carrying(BuildReportRateReport(current), Only(&ChangeFlags::report_rate)));
    }
    if (flags.buttons) {
        reports.push_back(Carrying(BuildButtonReport(current), Only(&ChangeFlags::buttons)));
    }
    for (int k = 0; k < kButtonCount; ++k) {
        if (flags.macros[k] && current.buttons[k].function == kFunctionMacro) {
            ChangeFlags macro;
            macro.macros[k] = 1;
            reports.push_back(Carrying(BuildMacroReport(k + 1, current.buttons[k]), macro));
        }
    }
    return reports;
}

}  // namespace nimba
