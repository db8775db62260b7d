#include "device/battery_display.h"

#include <string>

#include "device/device_messages.h"
#include "platform/messages.h"

namespace nimba {

void BatteryDisplay::ShowBatteryLevel(int level) {
    controls_.SetPowerProgress(level);
    controls_.SetPowerText(std::to_string(level) + "%");
    controls_.ShowIndicator(Indicator::kLowBattery, level <= kLowBatteryLevel);
}

void BatteryDisplay::ShowCharging() {
    controls_.SetPowerTextKey("charging_text");
    controls_.ShowIndicator(Indicator::kLowBattery, false);
    SetTimer(window_, kChargingAnimationTimer, kChargingAnimationMs);
}

void BatteryDisplay::StopCharging() {
    KillTimer(window_, kChargingAnimationTimer);
}

void BatteryDisplay::StepAnimation() {
    controls_.SetPowerProgress(position_);
    position_ += 2;
    if (position_ > 100) position_ = 0;
}

void BatteryDisplay::Clear() {
    controls_.SetPowerText("");
    controls_.ShowIndicator(Indicator::kLowBattery, false);
    StopCharging();
}

}  // namespace nimba
