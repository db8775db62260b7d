#include "device/battery_display.h"

#include <string>

#include "device/device_messages.h"
#include "platform/messages.h"

namespace nimba {

void BatteryDisplay::ShowBatteryLevel(int level) {
    controls_.SetPowerProgress(level);
    controls_.SetPowerText(std::to_string(level) + "%");
}

void BatteryDisplay::ShowCharging() {
    controls_.SetPowerTextKey("charging_text");
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
    StopCharging();
}

}  // namespace nimba
