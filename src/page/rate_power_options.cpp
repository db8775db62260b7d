#include "page/rate_power_options.h"

#include "page/desktop_mouse_settings.h"
#include "page/page_texts.h"

namespace nimba {
void RatePowerOptions::Bind(const ControlFinder& find) {
    for (int i = 0; i < kRates; ++i)
        FindAs(find, Numbered(u"ms_1_btn_prate_", i + 1), rate_options_[i]);
    rate_label_ = find(u"ms_1_label_prate");

    const struct {
        std::u16string_view slider, label;
        int32_t ProfileRecord::*field;
        std::u16string (*text)(int32_t);
        double (*quantity)(int);  // what the text says in numbers: minutes, milliseconds
    } sliders[] = {
        {u"ms_1_slider_light_off", u"ms_1_label_light_off", &ProfileRecord::light_off_timer,
         &LightOffText, [](int halves) { return halves / 2.0; }},
        {u"ms_1_slider_sleep_timer", u"ms_1_label_sleep_timer", &ProfileRecord::sleep_timer,
         &SleepTimerText, [](int minutes) { return static_cast<double>(minutes); }},
        {u"ms_1_slider_key_debounce", u"ms_1_label_key_debounce", &ProfileRecord::key_debounce,
         &DebounceText, [](int value) { return value * 2.0; }},
    };
    for (size_t i = 0; i < sliders_.size(); ++i) {
        TimerSlider& timer = sliders_[i];
        FindAs(find, sliders[i].slider, timer.slider);
        timer.label = find(sliders[i].label);
        timer.field = sliders[i].field;
        timer.text = sliders[i].text;
        if (timer.slider != nullptr)
            timer.slider->SetUserUnits(sliders[i].quantity, sliders[i].text);
    }

    const struct {
        std::u16string_view stem;
        int32_t ProfileRecord::*field;
    } groups[] = {
        {u"ms_1_option_lift_of_distance_", &ProfileRecord::lift_off_distance},
        {u"ms_1_option_ripple_control_", &ProfileRecord::ripple_control},
        {u"ms_1_option_angle_snap_", &ProfileRecord::angle_snap},
    };
    for (size_t g = 0; g < option_groups_.size(); ++g) {
        OptionGroup& group = option_groups_[g];
        for (size_t i = 0; i < group.options.size(); ++i)
            FindAs(find, Numbered(groups[g].stem, static_cast<int>(i) + 1), group.options[i]);
        group.field = groups[g].field;
    }
    FindAs(find, u"ms_1_check_movemode", motion_mode_);
    mouse_settings_button_ = find(u"ms_1_btn_mouse_attribute");
}

void RatePowerOptions::Show(const ProfileRecord& profile) {
    ShowChoice(rate_options_, profile.report_rate);
    ShowRateLabel(profile.report_rate);
    for (const OptionGroup& group : option_groups_) ShowChoice(group.options, profile.*group.field);
    for (const TimerSlider& timer : sliders_) {
        const int32_t value = profile.*timer.field;
        ShowSlider(timer.slider, timer.label, value, timer.text(value));
    }
}

void RatePowerOptions::ShowRateLabel(int32_t report_rate) {
    // A rate the mouse does not have leaves the label as it was.
    const std::u16string key = ReportRateKey(report_rate);
    if (rate_label_ == nullptr || key.empty()) return;
    rate_label_->SetResourceText(true);
    rate_label_->SetText(key);
}

bool RatePowerOptions::Handle(TNotifyUI& msg) {
    const std::u16string& type = msg.sType;
    const CControlUI* sender = msg.pSender;
    if (sender == nullptr) return false;
    if (type == notify_type::kSelectChanged) {
        if (const int i = IndexOf(rate_options_, sender); i >= 0) {
            OnRateChosen(i);
            return true;
        }
        for (const OptionGroup& group : option_groups_) {
            if (const int i = IndexOf(group.options, sender); i >= 0) {
                OnOptionChosen(group, i);
                return true;
            }
        }
        return false;
    }
    if (type == notify_type::kValueChanged) {
        for (const TimerSlider& timer : sliders_) {
            if (timer.slider != nullptr && timer.slider == sender) {
                OnSliderMoved(timer);
                return true;
            }
        }
        return false;
    }
    if (type == notify_type::kCheckClick && motion_mode_ != nullptr && sender == motion_mode_) {
        OnMotionModeTicked();
        return true;
    }
    if (type == notify_type::kClick && mouse_settings_button_ != nullptr &&
        sender == mouse_settings_button_) {
        OpenDesktopMouseSettings();
        return true;
    }
    return false;
}

void RatePowerOptions::OnRateChosen(int index) {
    if (!host_.EditCurrent([&](ProfileRecord& profile) { profile.report_rate = index; })) return;
    ShowRateLabel(index);
    host_.RequestApply();
}

void RatePowerOptions::OnOptionChosen(const OptionGroup& group, int index) {
    if (!host_.EditCurrent([&](ProfileRecord& profile) { profile.*group.field = index; })) return;
    host_.RequestApply();
}

void RatePowerOptions::OnSliderMoved(const TimerSlider& timer) {
    const int32_t value = timer.slider->GetValue();
    if (!host_.EditCurrent([&](ProfileRecord& profile) { profile.*timer.field = value; })) return;
    if (timer.label != nullptr) timer.label->SetText(timer.text(value));
    host_.RequestApplySoon(kSliderApplyDelayMs);
}

void RatePowerOptions::OnMotionModeTicked() {
    const int32_t ticked = motion_mode_->GetCheck() ? 1 : 0;
    if (!host_.EditCurrent([&](ProfileRecord& profile) { profile.motion_mode = ticked; })) return;
    host_.RequestApply();
}

}  // namespace nimba
