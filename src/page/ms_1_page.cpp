#include "page/ms_1_page.h"

#include <string>
#include <utility>

#include "device/device_messages.h"
#include "dialogs/msg_wnd.h"
#include "model/utf16.h"
#include "platform/debug_output.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "skin/button.h"
#include "skin/container.h"
#include "skin/list.h"
#include "skin/resource_manager.h"
#include "skin/slider.h"

namespace nimba {
namespace {

// The Apply button's colour while the mouse is behind: the page's warning amber.
constexpr DWORD kPendingApplyColour = 0xFFF2B233;

}  // namespace

CMS_1_Page::CMS_1_Page(std::string data_directory)
    : store_(data_directory, LanguageText), macros_(std::move(data_directory), LanguageText) {
    MapMessage(notify_type::kClick, {}, [this](TNotifyUI& msg) { OnClick(msg); });
    MapMessage(notify_type::kSelectChanged, {}, [this](TNotifyUI& msg) { OnSettingsNotify(msg); });
    // The first entry that matches takes a notification: the profile list's before any list's.
    MapMessage(notify_type::kItemSelect, u"ms_1_list_profile", [this](TNotifyUI& msg) {
        profile_actions_.SwitchProfile(static_cast<int>(msg.wParam));
    });
    MapMessage(notify_type::kItemSelect, {}, [this](TNotifyUI& msg) { OnSettingsNotify(msg); });
    MapMessage(notify_type::kCheckClick, {}, [this](TNotifyUI& msg) { OnCheckClick(msg); });
    MapMessage(notify_type::kKillFocus, {}, [this](TNotifyUI& msg) { OnSettingsNotify(msg); });
    MapMessage(notify_type::kValueChanged, {}, [this](TNotifyUI& msg) { OnSettingsNotify(msg); });
    MapMessage(notify_type::kReturn, {}, [this](TNotifyUI& msg) { OnSettingsNotify(msg); });
    MapMessage(notify_type::kTextChanged, {}, [this](TNotifyUI& msg) { OnSettingsNotify(msg); });
}

CMS_1_Page::~CMS_1_Page() {
    StopLinks();
}

void CMS_1_Page::Attach(HWND window, CPaintManagerUI* manager, InputCapture* capture) {
    window_ = window;
    pm_ = manager;
    buttons_.Attach(manager, capture);
}

void CMS_1_Page::Init(LinkManagerOptions options) {
    BindControls();
    HideOrShow(u"ms_1_check_lift_of_distance", false);
    HideOrShow(u"ms_1_ver_light", false);
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
        FindAs(find, name, out);
    };

    for (int i = 0; i < kButtons; ++i) {
        key_controls_[i] = find(Numbered(u"ms_1_key_control_", i + 1));
    }
    find_as(u"ms_1_list_profile", profile_list_);
    profile_actions_.Bind(window_, profile_list_);
    follower_.Bind(window_);

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
    find_as(u"ms_1_check_prate", check_rate_);
    rate_section_ = find(u"ms_1_ver_prate");
    find_as(u"ms_1_check_key_debounce", check_debounce_);
    debounce_section_ = find(u"ms_1_hor_key_debounce");

    buttons_.Bind(find);
    dpi_stages_.Bind(find);
    lighting_.Bind(find);
    rate_power_.Bind(find);
    find_as(u"ms_1_progress_power", power_progress_);
    power_label_ = find(u"ms_1_label_power");
    apply_button_ = find(u"ms_1_apply_btn");
}

void CMS_1_Page::LoadProfiles() {
    apply_.apply_all.store(1);
    ReadBesideProfiles(store_.Load());
    ProfileRecord profile{};
    if (store_.CopyCurrentProfile(profile)) apply_.applied_snapshot.Set(profile);
    if (link_manager_) link_manager_->SetBleConnected(link_manager_->links().ble_link.load());
    ShowProfile();
    StatusChanged();
}

bool CMS_1_Page::ReloadProfiles() {
    const ProfileStore::Read read = store_.Reload();
    if (read == ProfileStore::Read::kBusy) {
        // Posted, not shown: a reload may run inside another process's request, which waits for
        // the answer while a box here would wait for the user.
        if (!std::exchange(busy_told_, true))
            PostMessageW(window_, kProfileSaveMessage,
                         static_cast<WPARAM>(ProfileStore::Write::kBusy), 0);
        return false;
    }
    busy_told_ = false;
    // Edits kept over the ones read are on no disk yet.
    if (read == ProfileStore::Read::kMerged) saver_.Request();
    ReadBesideProfiles({});
    ShowProfile();
    StatusChanged();
    return true;
}

void CMS_1_Page::TellSaveOutcome(ProfileStore::Write outcome) {
    if (outcome == ProfileStore::Write::kFailed)
        ShowMessageBox(window_, u"profile_save_failed_text");
    if (outcome == ProfileStore::Write::kBusy) ShowMessageBox(window_, u"stores_busy_text");
}

void CMS_1_Page::ReadBesideProfiles(const StoreLoad& profiles) {
    for (const StoreLoad& load : {profiles, macros_.Load()}) {
        if (load.outcome == StoreLoad::Outcome::kRead) continue;
        Trace("store not read as it was: " + load.detail);
        PostMessageW(window_, kStoreNoticeMessage, static_cast<WPARAM>(load.outcome), 0);
    }
    follower_.LoadRules();
    profile_actions_.ShowList();
}

void CMS_1_Page::ShowProfile() {
    RefreshLinkVisibility();
    ProfileRecord profile{};
    if (!store_.CopyCurrentProfile(profile)) return;
    ShowProfileControls(profile);
}

void CMS_1_Page::ShowProfileControls(const ProfileRecord& p) {
    dpi_stages_.Show(p);
    lighting_.Show(p);
    rate_power_.Show(p);
    buttons_.Show(p);
}

void CMS_1_Page::RequestApply() {
    PostMessageW(window_, kApplyRequestMessage, kApplyAsked, 0);
}

void CMS_1_Page::RequestApplyAll() {
    apply_.apply_all.store(1);
    RequestApply();
}

void CMS_1_Page::RequestApplySoon(UINT delay_ms) {
    KillTimer(window_, kDelayedApplyTimer);
    SetTimer(window_, kDelayedApplyTimer, delay_ms);
}

void CMS_1_Page::StopLinks() {
    if (link_manager_) link_manager_->StopLinks();
    KillTimer(window_, kDelayedApplyTimer);
    KillTimer(window_, kSettingsScrollTimer);
    KillTimer(window_, kFrontSettleTimer);
}

bool CMS_1_Page::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kApplyRingMessage) {
        if (CControlUI* ring = pm_->FindControl(u"apply_ring")) ring->SetVisible(wParam != 0);
        return true;
    }
    if (message == kStoreNoticeMessage) {
        ShowMessageBox(window_,
                       static_cast<StoreLoad::Outcome>(wParam) == StoreLoad::Outcome::kUnreadable
                           ? u"store_unreadable_text"
                           : u"store_set_aside_text");
        return true;
    }
    if (message == kMouseBehindMessage) {
        ShowPendingMark(wParam != 0);
        return true;
    }
    if (message == WM_TIMER && wParam == kDelayedApplyTimer) {
        KillTimer(window_, kDelayedApplyTimer);
        PostMessageW(window_, kApplyRequestMessage, kApplyAsked, 0);
        return true;
    }
    if (message == WM_TIMER && wParam == kFrontSettleTimer) {
        follower_.OnSettled();
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
    if (msg.pSender == nullptr || HandledBySettings(msg)) return;
    if (profile_actions_.OnClick(*msg.pSender)) return;
    if (msg.pSender->GetName() == u"ms_1_profile_programs_btn") {
        EditProgramRules();
        return;
    }
    if (msg.pSender == apply_button_) RequestApply();
}

void CMS_1_Page::OnSettingsNotify(TNotifyUI& msg) {
    HandledBySettings(msg);
}

bool CMS_1_Page::HandledBySettings(TNotifyUI& msg) {
    return buttons_.Handle(msg) || dpi_stages_.Handle(msg) || lighting_.Handle(msg) ||
           rate_power_.Handle(msg);
}

bool CMS_1_Page::EditCurrent(const std::function<void(ProfileRecord&)>& change) {
    return store_.EditCurrentProfile(change);
}

bool CMS_1_Page::CopyCurrent(ProfileRecord& profile) const {
    return store_.CopyCurrentProfile(profile);
}

void CMS_1_Page::OnCheckClick(TNotifyUI& msg) {
    if (HandledBySettings(msg)) return;
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
    if (store_.CopyCurrentProfile(profile)) lighting_.RefreshControls(profile.light_mode);
    if (!link_manager_) return;
    const LinkState& l = link_manager_->links();
    lighting_.ShowLinks(l);
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

void CMS_1_Page::ShowIndicator(Indicator indicator, bool visible) {
    static constexpr std::u16string_view kNames[] = {u"ms_1_wired", u"ms_1_wireless", u"ms_1_BLE",
                                                     u"ms_1_sleep_label", u"ms_1_low_power_label"};
    HideOrShow(kNames[static_cast<int>(indicator)], visible);
}

void CMS_1_Page::HideOrShow(std::u16string_view name, bool visible) {
    if (CControlUI* control = pm_->FindControl(name)) control->SetVisible(visible);
}

void CMS_1_Page::SetPowerProgress(int value) {
    if (power_progress_ != nullptr) power_progress_->SetValue(value);
}

void CMS_1_Page::SetPowerText(const std::string& text) {
    battery_text_ = platform::Utf8ToUtf16(text);
    if (power_label_ != nullptr) {
        power_label_->SetResourceText(false);
        power_label_->SetText(battery_text_);
    }
    low_battery_.OnPowerText(text);
    StatusChanged();
}

void CMS_1_Page::SetPowerTextKey(const std::string& key) {
    battery_text_ = CResourceManager::GetInstance().GetText(platform::Utf8ToUtf16(key));
    if (power_label_ != nullptr) {
        power_label_->SetResourceText(true);
        power_label_->SetText(platform::Utf8ToUtf16(key));
    }
    low_battery_.OnPowerTextKey(key);
    StatusChanged();
}

void CMS_1_Page::SelectDpiStage(int number) {
    dpi_stages_.SelectStage(number);
}

void CMS_1_Page::ShowLightMode(int mode) {
    lighting_.ShowMode(mode);
}

void CMS_1_Page::SetApplyRingVisible(bool visible) {
    PostMessageW(window_, kApplyRingMessage, visible ? 1 : 0, 0);
}

void CMS_1_Page::ShowMouseBehind(bool behind) {
    PostMessageW(window_, kMouseBehindMessage, behind ? 1 : 0, 0);
}

void CMS_1_Page::ShowPendingMark(bool behind) {
    if (behind == mouse_behind_) return;
    mouse_behind_ = behind;
    HideOrShow(u"ms_1_label_pending", behind);
    if (apply_button_ != nullptr) {
        apply_button_->SetBkColor(behind ? kPendingApplyColour : 0);
        // A screen reader gives the tip with the button.
        apply_button_->SetToolTip(behind ? u"apply_pending_tip_text" : u"apply_tip_text");
    }
    StatusChanged();
}

void CMS_1_Page::EditProgramRules() {
    std::vector<std::string> profiles =
        store_.Edit([](const ProfileList& list, const ProfileStoreHeader&) {
            std::vector<std::string> names;
            for (const auto& profile : list) names.push_back(Utf16ToUtf8(NameView(profile->name)));
            return names;
        });
    std::vector<WindowedProgram> programs =
        windowed_programs_ ? windowed_programs_() : std::vector<WindowedProgram>();
    const ProgramRules before = follower_.rules();
    const std::optional<ProgramRules> after = AskProgramRules(
        window_, {before, std::move(profiles), std::move(programs), follower_.skipped_lines()});
    if (!after) return;
    RulesSaved(follower_.EditRules(before, *after));
    StatusChanged();
}

void CMS_1_Page::RulesSaved(bool saved) {
    if (!saved) ShowMessageBox(window_, u"programs_save_failed_text");
}

void CMS_1_Page::StatusChanged() {
    if (status_listener_) status_listener_();
}

}  // namespace nimba
