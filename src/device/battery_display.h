#pragma once

#include "device/device_controls.h"
#include "platform/win_types.h"

namespace nimba {

// At or below this level, and not charging, the page asks for the cable.
inline constexpr int kLowBatteryLevel = 20;

// The battery label and bar of the page, and the charging animation that timer 515 steps.
class BatteryDisplay {
public:
    BatteryDisplay(DeviceControls& controls, HWND window) : controls_(controls), window_(window) {}

    void ShowBatteryLevel(int level);  // bar to `level`, label "<level>%", low-battery note
    void ShowCharging();               // label "charging_text", animation running, no note
    void StopCharging();
    void StepAnimation();  // one expiry of timer 515: 0, 2, 4, ... 100, 0, ...
    void ResetAnimation() { position_ = 0; }
    // The cable is gone: empty label, no animation, no note.
    void Clear();

private:
    DeviceControls& controls_;
    HWND window_;
    int position_ = 0;  // window thread only
};

}  // namespace nimba
