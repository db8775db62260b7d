#pragma once

// The lighting on the page: the effect lists for the cable and receiver and for Bluetooth LE,
// brightness and speed, and one colour; which of the last three show depends on the effect.

#include "device/link_state.h"
#include "page/settings_group.h"
#include "skin/notify.h"

namespace nimba {

class LightingControls {
public:
    explicit LightingControls(SettingsHost& host) : host_(host) {}

    void Bind(const ControlFinder& find);
    void Show(const ProfileRecord& profile);
    // Brightness, speed and colour as effect `light_mode` offers them.
    void RefreshControls(int32_t light_mode);
    // The effect list of each link that is there. With none (nothing plugged in yet) both show.
    void ShowLinks(const LinkState& links);
    // The mouse changed its effect itself: the list follows, nothing goes back to it.
    void ShowMode(int32_t light_mode);
    // True when the notification was one of this group's.
    bool Handle(TNotifyUI& msg);

private:
    void OnEffectChosen(bool ble_list, int index);
    void OnSliderMoved(int32_t ProfileRecord::*field, int value);
    void ChooseLightColour();

    SettingsHost& host_;
    CComboUI* effects_ = nullptr;
    CComboUI* effects_ble_ = nullptr;
    CControlUI* effects_row_ = nullptr;
    CControlUI* effects_ble_row_ = nullptr;
    CControlUI* brightness_section_ = nullptr;
    CSliderUI* brightness_ = nullptr;
    CControlUI* speed_section_ = nullptr;
    CSliderUI* speed_ = nullptr;
    CControlUI* colour_section_ = nullptr;
    CButtonUI* colour_ = nullptr;
};

}  // namespace nimba
