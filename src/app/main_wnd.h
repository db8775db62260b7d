#pragma once

// The program's one top-level window: hosts the settings page, lives in the tray while no
// mouse is present or the user has put it away, pops up the DPI indicator, and hands the
// device's messages and the page's timers on to the page.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/input_capture_library.h"
#include "app/instance_channel.h"
#include "page/ms_1_page.h"
#include "persistence/program_settings.h"
#include "skin/menu_wnd.h"
#include "skin/native_menu.h"
#include "skin/tray_icon.h"
#include "skin/window_impl_base.h"

namespace nimba {

inline constexpr char16_t kMainWindowClass[] = u"NIMBA R380X mouse";
inline constexpr UINT kShowWindowMessage = 1037;
// Another process saved the stores: lParam points to the `StoresChanged`; the result is the
// `InstanceAnswer`.
inline constexpr UINT kStoresChangedMessage = WM_USER + 301;
// `nimba-mouse --quit` from another process.
inline constexpr UINT kQuitMessage = WM_USER + 302;
inline constexpr UINT_PTR kStoresReloadTimer = 53;
inline constexpr UINT kStoresReloadRetryMs = 200;
inline constexpr UINT_PTR kDpiPopupTimer = 52;
inline constexpr UINT kDpiPopupMs = 2000;

class CMainWnd : public WindowImplBase {
public:
    explicit CMainWnd(LinkManagerOptions link_options = {});
    ~CMainWnd() override;

    std::u16string GetWindowClassName() const override { return kMainWindowClass; }
    std::u16string GetSkinFile() override { return u"main.xml"; }
    void InitWindow() override;
    void OnClick(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    LRESULT OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

    CMS_1_Page& page() { return page_; }
    const CTrayIcon& tray() const { return tray_; }
    const InputCaptureLibrary& input_capture() const { return input_capture_; }
    // The tray menu's "exit": ends open dialogs first, then the window.
    void Exit();
    // Out of the user's way: into the tray, or minimised where no tray would bring it back.
    void PutAway();

private:
    void ShowMainWindow(bool only_when_hidden);
    void ShowOrExplain(bool only_when_hidden);
    void ShowNoDeviceMessage();
    // The icon, its hosted menu and the window's icon, once.
    void CreateTray();
    void SayWhatCloseDoes(bool into_tray);
    void OnTrayIcon(LPARAM event);
    // The skin menu `xml` at the cursor, as the tray's right click shows it.
    void OpenTrayMenu(std::u16string_view xml);
    // Speaks `choice` from now on ("" follows the desktop) and keeps it for the next start.
    void ChooseLanguage(const std::string& choice);
    void OnLanguageChanged() override;
    void OnMenuCommand(WPARAM record);
    void OnDevicePresence();
    void OnDpiNotice(WPARAM kind, LPARAM value);
    void CloseDpiPopup();
    void OnDeviceChange(WPARAM event, LPARAM broadcast);
    void UpdateTrayTooltip();
    // The tray menu's ticks as they are now.
    std::map<std::u16string, bool> TrayMenuTicks() const;
    InstanceAnswer OnStoresChanged(const StoresChanged& change);
    // Reads the stores again and asks for the apply `apply` names; false when they were busy
    // and that is left to a later try.
    bool ReloadStores(StoresApply apply);
    // Reads them once no dialog is open (and the stores are free), on the reload timer.
    void ReloadLater(StoresApply apply);

    CMS_1_Page page_;
    LinkManagerOptions link_options_;
    CControlUI* device_tab_switch_ = nullptr;
    std::unique_ptr<CMenuWnd> tray_menu_;
    // The same menu for a tray host that draws it itself.
    CNativeMenu hosted_tray_menu_;
    InputCaptureLibrary input_capture_;
    CTrayIcon tray_;
    std::u16string title_;
    ProgramSettings settings_;
    // The translations of the program folder: read once, they do not change while it runs.
    std::vector<std::string> shipped_languages_;
    bool device_present_ = false;
    // The popup deletes itself; its window handle is the weak handle that says it still lives.
    HWND dpi_popup_ = nullptr;
    bool no_device_message_open_ = false;
    bool exiting_ = false;
    // The apply a reload put off while a dialog was open asks for.
    std::optional<StoresApply> pending_reload_;
};

}  // namespace nimba
