#pragma once

#include <string>

namespace nimba {

// Everything the link manager and the device event intake do to the settings page's controls.
// All calls come on the window thread, except SetApplyRingVisible and ShowMouseBehind, which
// come from the apply worker and must be handed to the window thread by the implementation.
// The page's marks that follow the mouse: one per link, the note that it sleeps or is not
// there, and the note that its battery runs low.
enum class Indicator { kWired, kWireless, kBle, kSleepLabel, kLowBattery };

class DeviceControls {
public:
    virtual ~DeviceControls() = default;

    virtual void ShowIndicator(Indicator indicator, bool visible) = 0;
    // The controls whose visibility follows the links.
    virtual void RefreshLinkVisibility() = 0;

    // "ms_1_progress_power", 0..100.
    virtual void SetPowerProgress(int value) = 0;
    // "ms_1_label_power" as literal text.
    virtual void SetPowerText(const std::string& text) = 0;
    // "ms_1_label_power" as the language text of `key`.
    virtual void SetPowerTextKey(const std::string& key) = 0;

    // Selects stage option "ms_1_option_dpi_step_<number>" without a notification.
    virtual void SelectDpiStage(int number) = 0;
    // Selects item `mode` of "ms_1_combo_light" without a notification and refreshes the
    // lighting controls.
    virtual void ShowLightMode(int mode) = 0;

    // "apply_ring" of the main window; a missing control is no error.
    virtual void SetApplyRingVisible(bool visible) = 0;
    // After each apply: whether part of the profile has not reached the mouse yet.
    virtual void ShowMouseBehind(bool behind) = 0;
};

}  // namespace nimba
