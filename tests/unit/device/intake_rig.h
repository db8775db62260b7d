#pragma once

// The device event intake on recording stand-ins, in virtual time; the window runs what the
// intake posts to itself: Bluetooth notices and the charging animation's steps.

#include "device/device_event_intake.h"
#include "device/device_messages.h"
#include "device_fakes.h"
#include "platform/clock.h"

namespace nimba::test {

struct IntakeRig {
    FakeControls controls;
    FakeProfile profile;
    RecordingWindow window;
    LinkState links;
    AppliedSnapshot snapshot;
    BatteryDisplay battery{controls, window.hwnd};
    DeviceEventIntake intake{links, controls, battery, profile, snapshot, window.hwnd};

    IntakeRig() {
        platform::test::UseVirtualClock(true);
        window.route = [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            if (msg == kBleNoticeMessage) {
                intake.HandleBleNotice(static_cast<uint16_t>(wParam),
                                       static_cast<uint16_t>(lParam));
            }
            if (msg == WM_TIMER && wParam == kChargingAnimationTimer) battery.StepAnimation();
        };
        snapshot.Set(profile.Current());
    }
    ~IntakeRig() { platform::test::UseVirtualClock(false); }
};

}  // namespace nimba::test
