#include "page/ms_1_page.h"

#include <string>

#include "device/device_messages.h"
#include "keys/key_table.h"
#include "model/button_functions.h"
#include "model/colour.h"
#include "model/utf16.h"
#include "page/page_texts.h"
#include "platform/debug_output.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "skin/button.h"
#include "skin/combo.h"
#include "skin/container.h"
#include "skin/list.h"
#include "skin/resource_manager.h"
#include "skin/slider.h"

namespace nimba {
namespace {

constexpr int kProfileRowHeight = 22;

std::u16string Numbered(std::u16string_view stem, int number) {
    std::u16string name(stem);
    for (char c : std::to_string(number)) name.push_back(static_cast<char16_t>(c));
    return name;
}

std::u16string Wide(const std::string& ascii) {
    return std::u16string(ascii.begin(), ascii.end());
}

// Selects option `value` + 1 of a group without a notification; a value the group has no
// option for selects none of them.
template <size_t N>
void ShowChoice(const std::array<COptionUI*, N>& options, int32_t value) {
    for (size_t i = 0; i < N; ++i) {
        if (options[i] != nullptr) options[i]->Selected(static_cast<int32_t>(i) == value);
    }
}

void ShowSlider(CSliderUI* slider, CControlUI* label, int32_t value, const std::u16string& text) {
    if (slider != nullptr) slider->SetValue(value);
    if (label != nullptr) label->SetText(text);
}

void ShowComboItem(CComboUI* combo, int32_t index) {
    if (combo == nullptr) return;
    combo->SelectItem(index >= 0 && index < combo->GetCount() ? index : -1);
}

}  // namespace

CMS_1_Page::CMS_1_Page(std::string data_directory)
    : store_(data_directory), macros_(std::move(data_directory)) {
    MapMessage(notify_type::kClick, {}, [this](TNotifyUI& msg) { OnClick(msg); });
    MapMessage(notify_type::kCheckClick, {}, [this](TNotifyUI& msg) { OnCheckClick(msg); });
    MapMessage(notify_type::kValueChanged, {}, [this](TNotifyUI& msg) { OnValueChanged(msg); });
}

CMS_1_Page::~CMS_1_Page() {
    StopLinks();
}

void CMS_1_Page::Attach(HWND window, CPaintManagerUI* manager, const InputCaptureTable* capture) {
    window_ = window;
    pm_ = manager;
    capture_ = capture;
}

void CMS_1_Page::Init(LinkManagerOptions options) {
    BindControls();
    SetVisible("ms_1_check_lift_of_distance", false);
    SetVisible("ms_1_ver_light", false);
    link_manager_ = std::make_unique<LinkManager>(window_, *this, profile_access_, apply_, ble_,
                                                  std::move(options));
    link_manager_->StartLinks();
}

void CMS_1_Page::BindControls() {
    const auto find = [this](std::u16string_view name) {
        CControlUI* control = pm_->FindControl(name);
        // A renamed control in a skin is a skin fault to trace, never a crash.
        if (control == nullptr) {
            OutputDebugStringW(
                platform::FromUtf8("page: no control " + platform::Utf16ToUtf8(name)).c_str());
        }
        return control;
    };
    const auto find_as = [&]<class T>(std::u16string_view name, T*& out) {
        out = dynamic_cast<T*>(find(name));
    };

    for (int i = 0; i < kButtons; ++i) {
        find_as(Numbered(u"ms_1_btn_key_", i + 1), key_buttons_[i]);
        key_controls_[i] = find(Numbered(u"ms_1_key_control_", i + 1));
    }
    find_as(u"ms_1_btn_macro", macro_button_);
    find_as(u"ms_1_list_profile", profile_list_);

    const struct {
        std::u16string_view check, body;
        bool scrolls;
    } sections[] = {
        {u"ms_1_check_button", u"ms_1_hor_button", false},
        {u"ms_1_check_profile", u"ms_1_ver_profile", false},
        {u"ms_1_check_power", u"ms_1_ver_power", false},
        {u"ms_1_check_dpi", u"ms_1_ver_dpi", false},
        {u"ms_1_check_light", u"ms_1_ver_light", false},
        {u"ms_1_check_prate", u"ms_1_ver_prate", false},
        {u"ms_1_check_mouse_attribute", u"ms_1_ver_mouse_attribute", false},
        {u"ms_1_check_power_setting", u"ms_1_ver_power_setting", true},
        {u"ms_1_check_lift_of_distance", u"ms_1_hor_lift_of_distance", true},
        {u"ms_1_check_key_debounce", u"ms_1_hor_key_debounce", true},
        {u"ms_1_check_ripple_control", u"ms_1_hor_ripple_control", true},
        {u"ms_1_check_angle_snap", u"ms_1_hor_angle_snap", true},
    };
    sections_.clear();
    for (const auto& s : sections) {
        Section section;
        find_as(s.check, section.check);
        section.body = find(s.body);
        section.scrolls_to_end = s.scrolls;
        sections_.push_back(section);
    }
    find_as(u"ms_1_ver_setting", settings_);
    check_rate_ = sections_[5].check;
    rate_section_ = sections_[5].body;
    check_debounce_ = sections_[9].check;
    debounce_section_ = sections_[9].body;

    for (int s = 0; s < kDpiStages; ++s) {
        DpiStage& stage = dpi_[s];
        find_as(Numbered(u"ms_1_slider_dpi_", s + 1), stage.slider);
        stage.label = find(Numbered(u"ms_1_label_dpi_", s + 1));
        find_as(Numbered(u"ms_1_option_dpi_step_", s + 1), stage.option);
        find_as(Numbered(u"ms_1_btn_dpi_color_", s + 1), stage.color);
        stage.edit = find(Numbered(u"ms_1_edit_dpi_", s + 1));
    }
    apply_dpi_button_ = find(u"ms_1_btn_apply_dpi");

    find_as(u"ms_1_combo_light", light_combo_);
    find_as(u"ms_1_combo_light_ble", light_combo_ble_);
    brightness_section_ = find(u"ms_1_ver_brightness");
    find_as(u"ms_1_slider_brightness", brightness_slider_);
    speed_section_ = find(u"ms_1_ver_breathspeed");
    find_as(u"ms_1_slider_breathspeed", speed_slider_);
    light_color_section_ = find(u"ms_1_hor_light_color");
    find_as(u"ms_1_btn_light_color", light_color_button_);

    for (int i = 0; i < kRates; ++i) find_as(Numbered(u"ms_1_btn_prate_", i + 1), rate_options_[i]);
    rate_label_ = find(u"ms_1_label_prate");
    find_as(u"ms_1_slider_light_off", light_off_slider_);
    light_off_label_ = find(u"ms_1_label_light_off");
    find_as(u"ms_1_slider_sleep_timer", sleep_slider_);
    sleep_label_ = find(u"ms_1_label_sleep_timer");
    find_as(u"ms_1_progress_power", power_progress_);
    power_label_ = find(u"ms_1_label_power");
    for (int i = 0; i < 2; ++i) {
        find_as(Numbered(u"ms_1_option_lift_of_distance_", i + 1), lift_off_options_[i]);
        find_as(Numbered(u"ms_1_option_ripple_control_", i + 1), ripple_options_[i]);
        find_as(Numbered(u"ms_1_option_angle_snap_", i + 1), angle_snap_options_[i]);
    }
    find_as(u"ms_1_slider_key_debounce", debounce_slider_);
    debounce_label_ = find(u"ms_1_label_key_debounce");
    apply_button_ = find(u"ms_1_apply_btn");
}

void CMS_1_Page::LoadProfiles() {
    apply_.apply_all.store(1);
    store_.Load();
    macros_.Load();

    const auto [names, current] =
        store_.Edit([](ProfileList& profiles, ProfileStoreHeader& header) {
            std::vector<std::u16string> list;
            for (const auto& profile : profiles) list.emplace_back(NameView(profile->name));
            return std::pair{list, header.current_profile_index};
        });
    if (profile_list_ != nullptr) {
        profile_list_->RemoveAll();
        for (const auto& name : names) {
            auto* row = new CListLabelElementUI;
            row->SetText(name);
            row->SetFixedHeight(kProfileRowHeight);
            profile_list_->Add(row);
        }
        // Made without a notification: the start-up selection is not a switch.
        profile_list_->SelectItem(current);
    }

    ProfileRecord profile{};
    if (store_.CopyCurrentProfile(profile)) apply_.applied_snapshot.Set(profile);
    if (link_manager_) link_manager_->SetBleConnected(link_manager_->links().ble_link.load());
    ShowProfile();
    StatusChanged();
}

void CMS_1_Page::ShowProfile() {
    RefreshLinkVisibility();
    ProfileRecord profile{};
    if (!store_.CopyCurrentProfile(profile)) return;
    ShowProfileControls(profile);
}

void CMS_1_Page::ShowProfileControls(const ProfileRecord& p) {
    SelectDpiStage(p.current_dpi_stage + 1);
    for (int s = 0; s < kDpiStages; ++s) {
        const DpiStage& stage = dpi_[s];
        const std::u16string text = DpiText(p.dpi_x[s]);
        if (stage.slider != nullptr) stage.slider->SetValue(p.dpi_x[s]);
        if (stage.label != nullptr) stage.label->SetText(text);
        if (stage.edit != nullptr) stage.edit->SetText(text);
        if (stage.color != nullptr) stage.color->SetBkColor(ColourToArgb(p.dpi_color[s]));
    }

    ShowComboItem(light_combo_, p.light_mode);
    ShowComboItem(light_combo_ble_, p.light_mode_ble);
    if (brightness_slider_ != nullptr) brightness_slider_->SetValue(p.light_brightness);
    if (speed_slider_ != nullptr) speed_slider_->SetValue(p.light_speed);
    if (light_color_button_ != nullptr)
        light_color_button_->SetBkColor(ColourToArgb(p.light_color));

    ShowChoice(rate_options_, p.report_rate);
    const std::u16string rate_key = ReportRateKey(p.report_rate);
    if (rate_label_ != nullptr && !rate_key.empty()) {
        rate_label_->SetResourceText(true);
        rate_label_->SetText(rate_key);
    }
    ShowChoice(lift_off_options_, p.lift_off_distance);
    ShowChoice(ripple_options_, p.ripple_control);
    ShowChoice(angle_snap_options_, p.angle_snap);
    ShowSlider(light_off_slider_, light_off_label_, p.light_off_timer,
               LightOffText(p.light_off_timer));
    ShowSlider(sleep_slider_, sleep_label_, p.sleep_timer, SleepTimerText(p.sleep_timer));
    ShowSlider(debounce_slider_, debounce_label_, p.key_debounce, DebounceText(p.key_debounce));
    ShowButtonLabels(p);
}

void CMS_1_Page::ShowButtonLabels(const ProfileRecord& profile) {
    const TextLookup text = [](std::u16string_view key) {
        return CResourceManager::GetInstance().GetText(std::u16string(key));
    };
    for (int i = 0; i < kButtons; ++i) {
        if (key_buttons_[i] == nullptr) continue;
        const ButtonAssignment& button = profile.buttons[i];
        const ButtonLabelText label = ButtonLabel(button, text, KeyName(button.shortcut_key));
        key_buttons_[i]->SetResourceText(label.is_language_key);
        key_buttons_[i]->SetText(label.text);
    }
}

void CMS_1_Page::RequestApply() {
    PostMessageW(window_, kApplyRequestMessage, 0, 0);
}

void CMS_1_Page::RequestApplySoon(UINT delay_ms) {
    KillTimer(window_, kDelayedApplyTimer);
    SetTimer(window_, kDelayedApplyTimer, delay_ms);
}

void CMS_1_Page::StopLinks() {
    if (link_manager_) link_manager_->StopLinks();
    KillTimer(window_, kDelayedApplyTimer);
    KillTimer(window_, kSettingsScrollTimer);
}

bool CMS_1_Page::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kApplyRingMessage) {
        if (CControlUI* ring = pm_->FindControl(u"apply_ring")) ring->SetVisible(wParam != 0);
        return true;
    }
    if (message == WM_TIMER && wParam == kDelayedApplyTimer) {
        KillTimer(window_, kDelayedApplyTimer);
        PostMessageW(window_, kApplyRequestMessage, 0, 0);
        return true;
    }
    if (message == WM_TIMER && wParam == kSettingsScrollTimer) {
        KillTimer(window_, kSettingsScrollTimer);
        ScrollSettingsToEnd();
        return true;
    }
    return link_manager_ && link_manager_->HandleWindowMessage(message, wParam, lParam);
}

void CMS_1_Page::OnBleArrival() {
    if (link_manager_) link_manager_->SetBleConnected(1);
}

void CMS_1_Page::OnBleRemoval() {
    if (link_manager_) link_manager_->SetBleConnected(0);
}

void CMS_1_Page::RegisterForDeviceChanges() {
    if (link_manager_) link_manager_->RegisterForDeviceChanges();
}

std::u16string CMS_1_Page::CurrentProfileName() const {
    ProfileRecord profile{};
    if (!store_.CopyCurrentProfile(profile)) return {};
    return std::u16string(NameView(profile.name));
}

void CMS_1_Page::OnClick(TNotifyUI& msg) {
    if (msg.pSender == apply_button_ || msg.pSender == apply_dpi_button_) RequestApply();
}

void CMS_1_Page::OnValueChanged(TNotifyUI& msg) {
    auto* slider = dynamic_cast<CSliderUI*>(msg.pSender);
    if (slider == nullptr) return;
    const int32_t value = slider->GetValue();
    // Each slider writes one field and its label; the apply waits for the thumb to rest.
    int32_t ProfileRecord::*field = nullptr;
    CControlUI* label = nullptr;
    std::u16string text;
    if (slider == sleep_slider_) {
        field = &ProfileRecord::sleep_timer;
        label = sleep_label_;
        text = SleepTimerText(value);
    } else if (slider == light_off_slider_) {
        field = &ProfileRecord::light_off_timer;
        label = light_off_label_;
        text = LightOffText(value);
    } else if (slider == debounce_slider_) {
        field = &ProfileRecord::key_debounce;
        label = debounce_label_;
        text = DebounceText(value);
    } else if (slider == brightness_slider_) {
        field = &ProfileRecord::light_brightness;
    } else if (slider == speed_slider_) {
        field = &ProfileRecord::light_speed;
    } else {
        return;
    }
    if (!EditCurrent([&](ProfileRecord& profile) { profile.*field = value; })) return;
    if (label != nullptr) label->SetText(text);
    RequestApplySoon(kSliderApplyDelayMs);
}

bool CMS_1_Page::EditCurrent(const std::function<void(ProfileRecord&)>& change) {
    return store_.Edit([&](ProfileList& profiles, ProfileStoreHeader& header) {
        const int32_t index = header.current_profile_index;
        if (index < 0 || static_cast<size_t>(index) >= profiles.size()) return false;
        change(*profiles[index]);
        return true;
    });
}

void CMS_1_Page::OnCheckClick(TNotifyUI& msg) {
    for (const Section& section : sections_) {
        if (section.check == nullptr || msg.pSender != section.check) continue;
        OnSectionTicked(section);
        return;
    }
}

void CMS_1_Page::OnSectionTicked(const Section& section) {
    const bool ticked = section.check->GetCheck();
    if (section.body != nullptr) section.body->SetVisible(ticked);
    if (ticked && section.scrolls_to_end)
        SetTimer(window_, kSettingsScrollTimer, kSettingsScrollMs);
}

void CMS_1_Page::ScrollSettingsToEnd() {
    if (settings_ != nullptr) settings_->EndDown();
}

void CMS_1_Page::RefreshLinkVisibility() {
    ProfileRecord profile{};
    if (store_.CopyCurrentProfile(profile)) RefreshLightingControls(profile.light_mode);
    if (!link_manager_) return;
    const LinkState& l = link_manager_->links();
    if (l.wired_link.load() == 1 || (l.wireless_link.load() == 1 && l.wireless_awake.load() == 1)) {
        if (check_rate_ != nullptr) check_rate_->SetVisible(true);
        if (check_debounce_ != nullptr) check_debounce_->SetVisible(true);
    } else if (l.ble_link.load() == 1) {
        // Report rate and debounce are not offered over Bluetooth LE.
        HideForBle(check_rate_, rate_section_);
        HideForBle(check_debounce_, debounce_section_);
    }
}

void CMS_1_Page::HideForBle(CCheckBoxUI* check, CControlUI* section) {
    if (check == nullptr) return;
    if (check->GetCheck()) check->SetCheck(false);
    check->SetVisible(false);
    if (section != nullptr) section->SetVisible(false);
}

void CMS_1_Page::RefreshLightingControls(int32_t light_mode) {
    const bool brightness = light_mode == 1;
    const bool speed = light_mode >= 2 && light_mode <= 11;
    const bool colour = light_mode == 1 || light_mode == 2;
    if (brightness_section_ != nullptr) brightness_section_->SetVisible(brightness);
    if (speed_section_ != nullptr) speed_section_->SetVisible(speed);
    if (light_color_section_ != nullptr) light_color_section_->SetVisible(colour);
}

void CMS_1_Page::SetVisible(const std::string& name, bool visible) {
    if (CControlUI* control = pm_->FindControl(Wide(name))) control->SetVisible(visible);
}

void CMS_1_Page::SetPowerProgress(int value) {
    if (power_progress_ != nullptr) power_progress_->SetValue(value);
}

void CMS_1_Page::SetPowerText(const std::string& text) {
    battery_text_ = Wide(text);
    if (power_label_ != nullptr) {
        power_label_->SetResourceText(false);
        power_label_->SetText(battery_text_);
    }
    low_battery_.OnPowerText(text);
    StatusChanged();
}

void CMS_1_Page::SetPowerTextKey(const std::string& key) {
    battery_text_ = CResourceManager::GetInstance().GetText(Wide(key));
    if (power_label_ != nullptr) {
        power_label_->SetResourceText(true);
        power_label_->SetText(Wide(key));
    }
    low_battery_.OnPowerTextKey(key);
    StatusChanged();
}

void CMS_1_Page::SelectDpiStage(int number) {
    for (int s = 0; s < kDpiStages; ++s) {
        if (dpi_[s].option != nullptr) dpi_[s].option->Selected(s + 1 == number);
    }
}

void CMS_1_Page::ShowLightMode(int mode) {
    ShowComboItem(light_combo_, mode);
    RefreshLightingControls(mode);
}

void CMS_1_Page::SetApplyRingVisible(bool visible) {
    PostMessageW(window_, kApplyRingMessage, visible ? 1 : 0, 0);
}

void CMS_1_Page::StatusChanged() {
    if (status_listener_) status_listener_();
}

}  // namespace nimba
