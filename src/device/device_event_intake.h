#pragma once

#include <cstdint>
#include <functional>

#include "device/battery_display.h"
#include "device/device_controls.h"
#include "device/link_state.h"
#include "device/profile_access.h"
#include "platform/win_types.h"
#include "protocol/device_notice.h"

namespace nimba {

// Takes in the mouse's notices from the driver libraries and from Bluetooth LE and turns them
// into changes of the current profile, of the link state and of the battery display.
class DeviceEventIntake {
public:
    DeviceEventIntake(LinkState& links, DeviceControls& controls, BatteryDisplay& battery,
                      ProfileAccess& profile, AppliedSnapshot& snapshot, HWND window)
        : links_(links),
          controls_(controls),
          battery_(battery),
          profile_(profile),
          snapshot_(snapshot),
          window_(window) {}

    // A notice from a driver library; window thread.
    void HandleUsbNotice(uint16_t word, uint16_t value);
    // A notice that came over Bluetooth LE; window thread (OnBleNotification posts it there).
    void HandleBleNotice(uint16_t word, uint16_t value);
    // The notifying characteristic's value; any thread. Controls and the profile belong to
    // the window thread, so the notice is posted there as kBleNoticeMessage.
    void OnBleNotification(const uint8_t* data, uint32_t size);

private:
    // A power status: the mouse can be reached; `came_back` when it could not before.
    void MouseHeard(bool came_back);
    // False for a power status, which each road handles its own way.
    bool HandleCommonNotice(const DeviceNotice& notice);
    // The mouse already holds what it reported: that one field is brought into line in the
    // current profile, the snapshot and the store. Returns the profile as changed.
    ProfileRecord Follow(const std::function<void(ProfileRecord&)>& change);

    LinkState& links_;
    DeviceControls& controls_;
    BatteryDisplay& battery_;
    ProfileAccess& profile_;
    AppliedSnapshot& snapshot_;
    HWND window_;
};

}  // namespace nimba
