#include "page/lighting_controls.h"

namespace nimba {
namespace {

// Effect 1 shines in one colour at a brightness; 2 breathes that colour at a speed; 3..11 run
// through colours of their own at a speed; 0 (off) and anything else offer none of the three.
constexpr int32_t kStaticEffect = 1;
constexpr int32_t kBreathingEffect = 2;
constexpr int32_t kLastSpeedEffect = 11;

}  // namespace

void LightingControls::Bind(const ControlFinder& find) {
    FindAs(find, u"ms_1_combo_light", effects_);
    FindAs(find, u"ms_1_combo_light_ble", effects_ble_);
    effects_row_ = find(u"ms_1_hor_light_mode");
    effects_ble_row_ = find(u"ms_1_hor_light_mode_ble");
    brightness_section_ = find(u"ms_1_ver_brightness");
    FindAs(find, u"ms_1_slider_brightness", brightness_);
    speed_section_ = find(u"ms_1_ver_breathspeed");
    FindAs(find, u"ms_1_slider_breathspeed", speed_);
    colour_section_ = find(u"ms_1_hor_light_color");
    FindAs(find, u"ms_1_btn_light_color", colour_);
}

void LightingControls::Show(const ProfileRecord& profile) {
    ShowComboItem(effects_, profile.light_mode);
    ShowComboItem(effects_ble_, profile.light_mode_ble);
    if (brightness_ != nullptr) brightness_->SetValue(profile.light_brightness);
    if (speed_ != nullptr) speed_->SetValue(profile.light_speed);
    ShowColour(colour_, profile.light_color);
}

void LightingControls::RefreshControls(int32_t light_mode) {
    const bool brightness = light_mode == kStaticEffect;
    const bool speed = light_mode >= kBreathingEffect && light_mode <= kLastSpeedEffect;
    const bool colour = light_mode == kStaticEffect || light_mode == kBreathingEffect;
    if (brightness_section_ != nullptr) brightness_section_->SetVisible(brightness);
    if (speed_section_ != nullptr) speed_section_->SetVisible(speed);
    if (colour_section_ != nullptr) colour_section_->SetVisible(colour);
}

void LightingControls::ShowLinks(const LinkState& links) {
    const bool usb = links.wired_link.load() == 1 || links.wireless_link.load() == 1;
    const bool ble = links.ble_link.load() == 1;
    if (effects_row_ != nullptr) effects_row_->SetVisible(usb || !ble);
    if (effects_ble_row_ != nullptr) effects_ble_row_->SetVisible(ble || !usb);
}

void LightingControls::ShowMode(int32_t light_mode) {
    ShowComboItem(effects_, light_mode);
    RefreshControls(light_mode);
}

bool LightingControls::Handle(TNotifyUI& msg) {
    const std::u16string& type = msg.sType;
    const CControlUI* sender = msg.pSender;
    if (sender == nullptr) return false;
    if (type == notify_type::kItemSelect) {
        if (effects_ != nullptr && sender == effects_) {
            OnEffectChosen(false, effects_->GetCurSel());
        } else if (effects_ble_ != nullptr && sender == effects_ble_) {
            OnEffectChosen(true, effects_ble_->GetCurSel());
        } else {
            return false;
        }
        return true;
    }
    if (type == notify_type::kValueChanged) {
        if (brightness_ != nullptr && sender == brightness_) {
            OnSliderMoved(&ProfileRecord::light_brightness, brightness_->GetValue());
        } else if (speed_ != nullptr && sender == speed_) {
            OnSliderMoved(&ProfileRecord::light_speed, speed_->GetValue());
        } else {
            return false;
        }
        return true;
    }
    if (type == notify_type::kClick && colour_ != nullptr && sender == colour_) {
        ChooseLightColour();
        return true;
    }
    return false;
}

void LightingControls::OnEffectChosen(bool ble_list, int index) {
    // A list left with no item chosen has nothing to store.
    if (index < 0) return;
    const bool edited = host_.EditCurrent([&](ProfileRecord& profile) {
        (ble_list ? profile.light_mode_ble : profile.light_mode) = index;
    });
    if (!edited) return;
    // The Bluetooth LE effect has no say over the controls below the lists.
    if (!ble_list) RefreshControls(index);
    host_.RequestApplySoon(kListSelectApplyDelayMs);
}

void LightingControls::OnSliderMoved(int32_t ProfileRecord::*field, int value) {
    if (!host_.EditCurrent([&](ProfileRecord& profile) { profile.*field = value; })) return;
    host_.RequestApplySoon(kSliderApplyDelayMs);
}

void LightingControls::ChooseLightColour() {
    ProfileRecord profile{};
    if (!host_.CopyCurrent(profile)) return;
    const std::optional<Colour> chosen =
        ChooseColourBelow(host_.Window(), *colour_, profile.light_color);
    if (!chosen) return;
    if (!host_.EditCurrent([&](ProfileRecord& p) { p.light_color = *chosen; })) return;
    ShowColour(colour_, *chosen);
    host_.RequestApply();
}

}  // namespace nimba
