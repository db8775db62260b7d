#pragma once

// The one page of the main window: shows the current profile in the skin's controls, turns the
// user's events into changes of it, and asks for them to be applied. It shares the main
// window's handle (its timers and messages arrive there and are handed on) and owns the
// profile and macro stores and the links to the mouse.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "device/apply_profile.h"
#include "device/device_controls.h"
#include "device/gatt_ble_transport.h"
#include "device/link_manager.h"
#include "device/store_profile_access.h"
#include "macro/input_capture.h"
#include "macro/macro_store.h"
#include "page/button_assignment.h"
#include "page/desktop_notification.h"
#include "page/dpi_stages.h"
#include "page/lighting_controls.h"
#include "page/low_battery_notice.h"
#include "page/ms_1_programs.h"
#include "page/profile_list_actions.h"
#include "page/program_follower.h"
#include "page/rate_power_options.h"
#include "page/settings_group.h"
#include "persistence/profile_saver.h"
#include "persistence/profile_store.h"
#include "platform/messages.h"
#include "skin/notify_pump.h"
#include "skin/paint_manager.h"

class CButtonUI;
class CCheckBoxUI;
class CContainerUI;
class CControlUI;
class CListUI;
class CProgressUI;

namespace nimba {

inline constexpr UINT_PTR kDelayedApplyTimer = 513;
inline constexpr UINT_PTR kSettingsScrollTimer = 514;
inline constexpr UINT kSettingsScrollMs = 10;
// The apply worker asks the window thread to show or hide the apply ring (wParam 1 / 0).
inline constexpr UINT kApplyRingMessage = 1543;
// A store could not be read as it was (wParam: its StoreLoad::Outcome); told once the window
// is up.
inline constexpr UINT kStoreNoticeMessage = 1544;
// The apply worker tells the window thread whether the mouse is behind (wParam 1 / 0).
inline constexpr UINT kMouseBehindMessage = 1545;
// The profile saver's news for the window thread (wParam: ProfileStore::Write).
inline constexpr UINT kProfileSaveMessage = 1546;

class CMS_1_Page final : public CNotifyPump, public DeviceControls, private SettingsHost {
public:
    static constexpr int kButtons = 18;

    explicit CMS_1_Page(std::string data_directory);
    ~CMS_1_Page() override;
    CMS_1_Page(const CMS_1_Page&) = delete;
    CMS_1_Page& operator=(const CMS_1_Page&) = delete;

    // The main window's handle, paint manager and capture table, before Init.
    void Attach(HWND window, CPaintManagerUI* manager, InputCapture* capture);
    // Binds the controls, hides what starts hidden and starts the links.
    void Init(LinkManagerOptions options = {});
    // Reads both stores, fills the profile list and shows the current profile; the first apply
    // after it sends everything.
    void LoadProfiles();
    // The stores changed on disk: reads them again and shows them, keeping the edits of the
    // current profile not yet saved. What the mouse was last sent stays the snapshot, so the
    // next apply sends only what changed. False (the user told) when another process keeps the
    // stores busy: the caller tries again later.
    bool ReloadProfiles();
    // Tells the user what a save of the profile store met (once per run of the same trouble).
    void TellSaveOutcome(ProfileStore::Write outcome);
    // Returns once every profile save requested so far has been tried.
    void FlushSaves() { saver_.Flush(); }
    void ShowProfile() override;
    void RequestApply() override;
    // The next apply sends the whole current profile.
    void RequestApplyAll();
    void RequestApplySoon(UINT delay_ms) override;
    void StopLinks();
    // An item of the button function menu, chosen.
    void OnFunctionChosen(std::u16string_view item_name) { buttons_.OnFunctionChosen(item_name); }

    // The page's timers and the device's messages on the shared window; false for others.
    bool HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnBleArrival();
    void OnBleRemoval();
    void RegisterForDeviceChanges();

    const LinkState& links() const { return link_manager_->links(); }
    DWORD worker_thread_id() const { return link_manager_->worker_thread_id(); }
    const std::string& data_directory() const { return store_.data_directory(); }
    std::u16string CurrentProfileName() const;
    // The battery as the power label shows it: "75%", the charging text, or empty.
    const std::u16string& BatteryText() const { return battery_text_; }
    // The profile that follows the program in front.
    ProgramFollower& follower() { return follower_; }
    // The desktop's programs that have a window now, for the "Programs" dialog.
    void SetWindowedPrograms(std::function<std::vector<WindowedProgram>()> list) {
        windowed_programs_ = std::move(list);
    }
    // Part of the profile has not reached the mouse yet.
    bool MouseBehind() const { return mouse_behind_; }
    // Called on the window thread whenever the current profile's name, the battery or whether
    // the mouse is behind changes.
    void SetStatusListener(std::function<void()> listener) {
        status_listener_ = std::move(listener);
    }

    // DeviceControls
    void ShowIndicator(Indicator indicator, bool visible) override;
    void RefreshLinkVisibility() override;
    void SetPowerProgress(int value) override;
    void SetPowerText(const std::string& text) override;
    void SetPowerTextKey(const std::string& key) override;
    void SelectDpiStage(int number) override;
    void ShowLightMode(int mode) override;
    void SetApplyRingVisible(bool visible) override;
    void ShowMouseBehind(bool behind) override;

private:
    struct Section {
        CCheckBoxUI* check = nullptr;
        CControlUI* body = nullptr;
        bool scrolls_to_end = false;  // the last rows of the settings column
    };
    void BindControls();
    void OnClick(TNotifyUI& msg);
    void OnCheckClick(TNotifyUI& msg);
    // The notifications of the DPI stages, lighting, rate, power and sensor controls.
    void OnSettingsNotify(TNotifyUI& msg);
    bool HandledBySettings(TNotifyUI& msg);

    // SettingsHost
    bool EditCurrent(const std::function<void(ProfileRecord&)>& change) override;
    bool CopyCurrent(ProfileRecord& profile) const override;
    void SaveProfiles() override { saver_.Request(); }
    HWND Window() const override { return window_; }

    void OnSectionTicked(const Section& section);
    void ScrollSettingsToEnd();
    void HideForBle(CCheckBoxUI* check, CControlUI* section);
    void HideOrShow(std::u16string_view name, bool visible);
    void ShowProfileControls(const ProfileRecord& profile);
    // The macro store and the program rules, then the profile list shown; what was not read
    // as it was (the profile store's `profiles` included) is told once the window is up.
    void ReadBesideProfiles(const StoreLoad& profiles);
    void StatusChanged();
    // The "Programs" dialog; its rules are saved when it ends with OK.
    void EditProgramRules();
    // Tells the user when the rules file could not be written.
    void RulesSaved(bool saved);
    // The pending mark: the Apply button coloured and its tip, and the text above it.
    void ShowPendingMark(bool behind);

    HWND window_ = nullptr;
    CPaintManagerUI* pm_ = nullptr;

    ProfileStore store_;
    MacroStore macros_;
    // Saves leave the window thread; the saver tells it what went wrong.
    ProfileSaver saver_{store_, [this](ProfileStore::Write outcome) {
                            PostMessageW(window_, kProfileSaveMessage, static_cast<WPARAM>(outcome),
                                         0);
                        }};
    bool busy_told_ = false;  // since the last read of the stores that went through
    StoreProfileAccess profile_access_{store_, [this] { saver_.Request(); }};
    ApplyState apply_;
    GattBleTransport ble_;
    std::unique_ptr<LinkManager> link_manager_;
    ProfileListActions profile_actions_{
        store_,
        macros_,
        {[this] { ShowProfile(); }, [this] { RequestApplyAll(); }, [this] { StatusChanged(); },
         [this] { saver_.Request(); },
         [this](const std::string& name) { return follower_.rules().Names(name); },
         [this](const std::string& old_name, const std::string& new_name) {
             RulesSaved(follower_.OnProfileRenamed(old_name, new_name));
         },
         [this](const std::string& name) { RulesSaved(follower_.OnProfileDeleted(name)); }}};
    ProgramFollower follower_{store_, profile_actions_, [this] { StatusChanged(); }};

    std::array<CControlUI*, kButtons> key_controls_{};
    ButtonAssignmentControls buttons_{*this, store_, macros_};
    CListUI* profile_list_ = nullptr;
    std::vector<Section> sections_;
    CContainerUI* settings_ = nullptr;
    DpiStages dpi_stages_{*this};
    LightingControls lighting_{*this};
    RatePowerOptions rate_power_{*this};
    CProgressUI* power_progress_ = nullptr;
    CControlUI* power_label_ = nullptr;
    CControlUI* apply_button_ = nullptr;
    CCheckBoxUI* check_rate_ = nullptr;
    CControlUI* rate_section_ = nullptr;
    CCheckBoxUI* check_debounce_ = nullptr;
    CControlUI* debounce_section_ = nullptr;

    std::u16string battery_text_;
    bool mouse_behind_ = false;
    std::function<void()> status_listener_;
    std::function<std::vector<WindowedProgram>()> windowed_programs_;
    LowBatteryNotice low_battery_{ShowLowBatteryNotification};
};

}  // namespace nimba
