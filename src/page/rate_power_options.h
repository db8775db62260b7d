#pragma once

// Report rate, the power timers (sleep, lights off), key debounce and the sensor options
// (lift-off distance, ripple control, angle snapping, motion mode) on the page, and the button
// that opens the desktop's own mouse settings.

#include <array>

#include "page/settings_group.h"
#include "skin/notify.h"

class CCheckBoxUI;

namespace nimba {

class RatePowerOptions {
public:
    static constexpr int kRates = 4;

    explicit RatePowerOptions(SettingsHost& host) : host_(host) {}

    void Bind(const ControlFinder& find);
    // The motion-mode box is left as it is: it shows the user's last choice, not the profile's.
    void Show(const ProfileRecord& profile);
    // True when the notification was one of this group's.
    bool Handle(TNotifyUI& msg);

private:
    // A slider that edits one field, with the label that reads it.
    struct TimerSlider {
        CSliderUI* slider = nullptr;
        CControlUI* label = nullptr;
        int32_t ProfileRecord::*field = nullptr;
        std::u16string (*text)(int32_t value) = nullptr;
    };
    // An option group that stores the chosen option's index in one field.
    struct OptionGroup {
        std::array<COptionUI*, 2> options{};
        int32_t ProfileRecord::*field = nullptr;
    };

    void ShowRateLabel(int32_t report_rate);
    void OnRateChosen(int index);
    void OnOptionChosen(const OptionGroup& group, int index);
    void OnSliderMoved(const TimerSlider& timer);
    void OnMotionModeTicked();

    SettingsHost& host_;
    std::array<COptionUI*, kRates> rate_options_{};
    CControlUI* rate_label_ = nullptr;
    std::array<TimerSlider, 3> sliders_{};  // light off, sleep, debounce: the order they show in
    std::array<OptionGroup, 3> option_groups_{};  // lift-off, ripple control, angle snap
    CCheckBoxUI* motion_mode_ = nullptr;
    CControlUI* mouse_settings_button_ = nullptr;
};

}  // namespace nimba
