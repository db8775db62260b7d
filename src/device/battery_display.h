#pragma once

#include "device/device_controls.h"
#include "platform/win_types.h"

namespace nimba {

// The battery label and bar of the page, and the charging animation that timer 515 steps.
class BatteryDisplay {
public:
    BatteryDisplay(DeviceControls& controls, HWND window) : controls_(controls), window_(window) {}

    void ShowBatteryLevel(int level);  // bar to `level`, label "<level>%"
    void ShowCharging();               // label "charging_text", animation running
    void StopCharging();
    void StepAnimation();  // one expiry of timer 515: 0, 2, 4, ... 100, 0, ...
    void ResetAnimation() { position_ = 0; }
    // The cable is gone: empty label, no animation.
    void Clear();

private:
    DeviceControls& controls_;
    HWND window_;
    int position_ = 0;  // window thread only
};

}  // namespace nimba
