#include "app/main_wnd.h"

#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <map>
#include <utility>

#include "app/autostart_entry.h"
#include "app/program_language.h"
#include "device/device_messages.h"
#include "device/mouse_ids.h"
#include "dialogs/dpi_msg.h"
#include "dialogs/msg_wnd.h"
#include "persistence/data_directory.h"
#include "persistence/name_case.h"
#include "persistence/program_settings.h"
#include "platform/debug_output.h"
#include "platform/device_broadcast.h"
#include "platform/input_event_message.h"
#include "platform/messages.h"
#include "platform/module_directory.h"
#include "platform/text_encoding.h"
#include "skin/after_first_paint.h"
#include "skin/container.h"
#include "skin/language_choice.h"
#include "skin/menu_command.h"
#include "skin/resource_manager.h"
#include "skin/window_functions.h"

namespace nimba {
namespace {

constexpr UINT kIconId = 107;
// The tray icon of a window that is not painted (minimised at once) comes after this long.
constexpr int kTrayLatestMs = 500;
// Shows the no-device message outside the handler that asked for it, so a second start or a
// tray click is answered at once while the box waits for the user.
constexpr UINT kNoDeviceMessage = WM_USER + 300;
// Messages of the window's set that nothing sends any more.
constexpr UINT kUnsentMessage1130 = 1130;
constexpr UINT kUnsentMessage5121 = 5121;

}  // namespace

CMainWnd::CMainWnd(LinkManagerOptions link_options)
    : page_(GetDataDirectory()), link_options_(std::move(link_options)) {}

CMainWnd::~CMainWnd() {
    RemoveVirtualWnd(u"MS_1_Page");
    page_.StopLinks();
    CloseDpiPopup();
}

void CMainWnd::InitWindow() {
    AddVirtualWnd(u"MS_1_Page", &page_);
    page_.Attach(GetHWND(), &m_pm, &input_capture_);
    page_.Init(link_options_);

    settings_ = LoadProgramSettings(GetDataDirectory() + kStoreFolder);
    shipped_languages_ =
        ShippedLanguages(platform::Utf16ToUtf8(CPaintManagerUI::GetResourcePath()));
    LoadProgramLanguage(settings_.language, shipped_languages_);
    title_ = CResourceManager::GetInstance().GetText(u"mouse_name_text");
    device_tab_switch_ = m_pm.FindControl(u"device_tab_switch");
    SetWindowText(title_);
    // Decoding the icon's picture and asking the desktop for its tray cost more than the rest
    // of the window's first picture.
    skin::RunAfterFirstPaint(GetWindowWidget(), kTrayLatestMs, [this] { CreateTray(); });

    input_capture_.Load();
    page_.SetStatusListener([this] { UpdateTrayTooltip(); });
    page_.LoadProfiles();
    page_.RegisterForDeviceChanges();
}

void CMainWnd::CreateTray() {
    if (tray_.GetQtIcon() != nullptr) return;
    tray_.CreateTrayIcon(GetHWND(), kIconId, title_);
    if (tray_.HostDrawsMenu() && hosted_tray_menu_.Init(u"traymenu.xml", GetHWND())) {
        // "Start at login" may have changed outside the program since the menu was last shown.
        QObject::connect(hosted_tray_menu_.GetMenu(), &QMenu::aboutToShow,
                         [this] { hosted_tray_menu_.SetChecks(TrayMenuTicks()); });
        hosted_tray_menu_.SetChecks(TrayMenuTicks());
        tray_.SetContextMenu(hosted_tray_menu_.GetMenu());
    }
    // The window put away into a tray that is gone comes back to the taskbar, minimised.
    tray_.SetHostGoneHandler([this] {
        if (!IsWindowVisible(GetHWND())) ::ShowWindow(GetHWND(), SW_SHOWMINIMIZED);
        SayWhatCloseDoes(false);
    });
    // A host that draws the menu was just found; it is not asked for again.
    SayWhatCloseDoes(tray_.HostDrawsMenu() || tray_.HostPresent());
    if (QWidget* widget = GetWindowWidget()) {
        widget->setWindowIcon(tray_.GetQtIcon()->icon());  // one decoding of the picture
    }
    UpdateTrayTooltip();
}

void CMainWnd::SayWhatCloseDoes(bool into_tray) {
    // Without a tray the close button minimises (PutAway), and its tooltip must not promise one.
    if (CControlUI* close = m_pm.FindControl(u"exit_btn"))
        close->SetToolTip(into_tray ? u"close_to_tray_text" : u"minimize_text");
}

void CMainWnd::OnClick(TNotifyUI& msg) {
    if (msg.pSender == nullptr) return;
    const std::u16string& name = msg.pSender->GetName();
    if (name == u"exit_btn") PutAway();
    if (name == u"min_btn") SendMessageW(GetHWND(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

LRESULT CMainWnd::OnDestroy(UINT, WPARAM, LPARAM, bool& handled) {
    handled = false;
    CloseDpiPopup();
    tray_menu_.reset();
    input_capture_.Unload();
    page_.StopLinks();
    PostQuitMessage(0);
    return 0;
}

LRESULT CMainWnd::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (msg) {
        case WM_DEVICECHANGE:
            OnDeviceChange(wParam, lParam);
            return 0;
        case WM_TRAYICON:
            OnTrayIcon(lParam);
            return 0;
        case WM_MENUCLICK:
            OnMenuCommand(wParam);
            return 0;
        case kShowWindowMessage:
            ShowOrExplain(false);
            return 0;
        case kStoresChangedMessage:
            return static_cast<LRESULT>(
                OnStoresChanged(*reinterpret_cast<const StoresChanged*>(lParam)));
        case kQuitMessage:
            Exit();
            return 0;
        case kNoDeviceMessage:
            ShowNoDeviceMessage();
            return 0;
        case kLinkStateChangedMessage:
            OnDevicePresence();
            return 0;
        case kDpiNoticeMessage:
            OnDpiNotice(wParam, lParam);
            return 0;
        case kProfileSaveMessage:
            // Another process wrote the store: read it (keeping the edits here) and save again.
            if (static_cast<ProfileStore::Write>(wParam) == ProfileStore::Write::kChangedOnDisk) {
                ReloadLater(StoresApply::kNone);
            } else {
                page_.TellSaveOutcome(static_cast<ProfileStore::Write>(wParam));
            }
            return 0;
        case WM_TIMER:
            if (wParam == kDpiPopupTimer) {
                KillTimer(GetHWND(), kDpiPopupTimer);
                CloseDpiPopup();
                return 0;
            }
            if (wParam == kStoresReloadTimer) {
                if (WindowImplBase::ModalDepth() > 0) return 0;
                KillTimer(GetHWND(), kStoresReloadTimer);
                if (pending_reload_) ReloadStores(*std::exchange(pending_reload_, std::nullopt));
                return 0;
            }
            handled = page_.HandleWindowMessage(msg, wParam, lParam);
            return 0;
        // Taken and ignored: input events go to the window that opened a capture session; the
        // other two have no sender left, but still count as handled.
        case kInputEventMessage:
        case kUnsentMessage1130:
        case kUnsentMessage5121:
            return 0;
        default:
            handled = page_.HandleWindowMessage(msg, wParam, lParam);
            return 0;
    }
}

void CMainWnd::ShowMainWindow(bool only_when_hidden) {
    Trace("main window to the front");
    if (!only_when_hidden || !IsWindowVisible(GetHWND())) ::ShowWindow(GetHWND(), SW_SHOW);
    if (IsIconic(GetHWND())) SendMessageW(GetHWND(), WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(GetHWND());
}

void CMainWnd::ShowOrExplain(bool only_when_hidden) {
    if (device_present_) {
        ShowMainWindow(only_when_hidden);
    } else {
        PostMessageW(GetHWND(), kNoDeviceMessage, 0, 0);
    }
}

void CMainWnd::ShowNoDeviceMessage() {
    if (no_device_message_open_ || exiting_) return;
    no_device_message_open_ = true;
    Trace("message box: no_device_text");
    ShowMessageBox(GetHWND(), u"no_device_text");
    no_device_message_open_ = false;
}

void CMainWnd::OnTrayIcon(LPARAM event) {
    if (event == WM_LBUTTONUP) {
        ShowOrExplain(true);
    } else if (event == WM_RBUTTONUP) {
        OpenTrayMenu(u"traymenu.xml");
    }
}

void CMainWnd::OpenTrayMenu(std::u16string_view xml) {
    tray_menu_.reset();
    POINT cursor{};
    GetCursorPos(&cursor);
    tray_menu_ = std::make_unique<CMenuWnd>();
    std::map<std::u16string, bool> ticks = TrayMenuTicks();
    tray_menu_->Init(nullptr, xml, POINT{cursor.x, cursor.y - 50}, &m_pm, &ticks,
                     eMenuAlignment_Left | eMenuAlignment_Top);
    tray_menu_->ResizeMenu();
}

void CMainWnd::ChooseLanguage(const std::string& choice) {
    settings_.language = choice;
    LoadProgramLanguage(choice, shipped_languages_);
    WindowImplBase::RefreshAllTexts();
    if (!SaveProgramSettings(GetDataDirectory() + kStoreFolder, settings_)) {
        Trace("the language choice could not be saved");
        ShowMessageBox(GetHWND(), u"language_save_failed_text");
    }
}

void CMainWnd::OnLanguageChanged() {
    title_ = CResourceManager::GetInstance().GetText(u"mouse_name_text");
    SetWindowText(title_);
    if (tray_.HostDrawsMenu() && hosted_tray_menu_.Init(u"traymenu.xml", GetHWND())) {
        hosted_tray_menu_.SetChecks(TrayMenuTicks());
    }
    page_.ShowProfile();
    UpdateTrayTooltip();
}

void CMainWnd::OnMenuCommand(WPARAM record) {
    auto* command = reinterpret_cast<MenuCmd*>(record);
    if (command == nullptr) return;
    const std::u16string name(command->szName);
    m_pm.DeletePtr(command);
    if (EqualsIgnoringCase(name, u"configuration")) {
        ShowOrExplain(false);
    } else if (EqualsIgnoringCase(name, u"autostart")) {
        if (!SetAutostart(!AutostartEnabled(), GetModuleDirectory() + "nimba-mouse")) {
            Trace("the autostart entry could not be changed: " + AutostartEntryPath());
            ShowMessageBox(GetHWND(), u"autostart_failed_text");
        }
        hosted_tray_menu_.SetChecks(TrayMenuTicks());
    } else if (EqualsIgnoringCase(name, u"exit")) {
        Exit();
    } else if (name == u"language") {
        OpenTrayMenu(u"languagemenu.xml");
    } else if (name.starts_with(u"language_")) {
        const std::string code = platform::Utf16ToUtf8(name.substr(9));
        ChooseLanguage(code == "follow" ? "" : code);
    } else if (name.starts_with(u"ms_1")) {
        page_.OnFunctionChosen(name);
    }
}

void CMainWnd::Exit() {
    exiting_ = true;
    if (WindowImplBase::ModalDepth() > 0) {
        // A dialog's caller still runs on this window's page: let every modal loop unwind
        // before the window and the page go.
        WindowImplBase::EndModals(0);
        QTimer::singleShot(0, GetWindowWidget(), [this] { Exit(); });
        return;
    }
    DestroyWindow();
}

std::map<std::u16string, bool> CMainWnd::TrayMenuTicks() const {
    std::map<std::u16string, bool> ticks{{u"autostart", AutostartEnabled()}};
    const std::string chosen = settings_.language.empty() ? "follow" : settings_.language;
    for (const std::string& code : shipped_languages_) {
        ticks[u"language_" + platform::Utf8ToUtf16(code)] = code == chosen;
    }
    ticks[u"language_en"] = chosen == "en";
    ticks[u"language_follow"] = chosen == "follow";
    return ticks;
}

void CMainWnd::PutAway() {
    CreateTray();  // a window that was never painted put away into a tray still to come
    if (tray_.HostPresent()) {
        ShowWindow(false, true);
    } else {
        ::ShowWindow(GetHWND(), SW_SHOWMINIMIZED);
    }
}

void CMainWnd::OnDevicePresence() {
    device_present_ = page_.links().any_link.load() != 0;
    if (auto* tabs = dynamic_cast<CTabLayoutUI*>(device_tab_switch_)) {
        tabs->SelectItem(device_present_ ? 0 : -1);
    }
    if (!device_present_) PutAway();
    UpdateTrayTooltip();
}

void CMainWnd::OnDpiNotice(WPARAM kind, LPARAM value) {
    std::u16string text = DpiPopupText(kind, value);
    KillTimer(GetHWND(), kDpiPopupTimer);
    SetTimer(GetHWND(), kDpiPopupTimer, kDpiPopupMs);
    if (auto* popup = dynamic_cast<CDPIMsg*>(WindowImplBase::FromHandle(dpi_popup_))) {
        popup->SetText(std::move(text));
    } else {
        dpi_popup_ = CDPIMsg::Open(GetHWND(), std::move(text));
    }
}

void CMainWnd::CloseDpiPopup() {
    if (auto* popup = dynamic_cast<CDPIMsg*>(WindowImplBase::FromHandle(dpi_popup_))) {
        popup->DestroyWindow();
    }
    dpi_popup_ = nullptr;
}

void CMainWnd::OnDeviceChange(WPARAM event, LPARAM broadcast) {
    const auto* device = reinterpret_cast<const DeviceBroadcast*>(broadcast);
    if (event == DBT_DEVNODES_CHANGED) {
        Trace("Succuss");  // spelt so on purpose: the trace reads as it always has
        return;
    }
    if (device == nullptr || device->devicetype != DBT_DEVTYP_DEVICEINTERFACE) return;
    const bool is_mouse = IsBleMouseInterface(device->name);
    if (event == DBT_DEVICEARRIVAL) {
        Trace("DBT_DEVICEARRIVAL.");
        Trace(device->name);
        if (is_mouse && page_.links().ble_link.load() == 0) page_.OnBleArrival();
    } else if (event == DBT_DEVICEREMOVECOMPLETE && is_mouse) {
        page_.OnBleRemoval();
    }
}

InstanceAnswer CMainWnd::OnStoresChanged(const StoresChanged& change) {
    std::error_code asked_fault, own_fault;
    const auto asked = std::filesystem::weakly_canonical(change.data_directory, asked_fault);
    const auto own = std::filesystem::weakly_canonical(page_.data_directory(), own_fault);
    if (asked_fault || own_fault || asked != own) return InstanceAnswer::kOtherStores;
    if (WindowImplBase::ModalDepth() > 0) {
        // A dialog works on the records as they are; they change under it only once it closed.
        ReloadLater(change.apply);
        return InstanceAnswer::kLater;
    }
    if (!ReloadStores(change.apply)) return InstanceAnswer::kLater;
    const LinkState& links = page_.links();
    const bool mouse_ready = links.any_link.load() == 1 && links.awaiting_device.load() == 0;
    return change.apply == StoresApply::kNone || mouse_ready ? InstanceAnswer::kDone
                                                             : InstanceAnswer::kNoMouse;
}

void CMainWnd::ReloadLater(StoresApply apply) {
    pending_reload_ = std::max(pending_reload_.value_or(StoresApply::kNone), apply);
    SetTimer(GetHWND(), kStoresReloadTimer, kStoresReloadRetryMs);
}

bool CMainWnd::ReloadStores(StoresApply apply) {
    if (!page_.ReloadProfiles()) {
        ReloadLater(apply);
        return false;
    }
    if (apply == StoresApply::kAll) page_.RequestApplyAll();
    if (apply == StoresApply::kChanged) page_.RequestApply();
    return true;
}

void CMainWnd::UpdateTrayTooltip() {
    std::u16string tooltip = title_;
    if (device_present_) {
        const std::u16string profile = page_.CurrentProfileName();
        if (!profile.empty()) tooltip += u" \u00B7 " + profile;
        // The program in front whose rule chose the profile.
        const std::string program = page_.follower().FollowedProgram();
        if (!profile.empty() && !program.empty())
            tooltip += u" (" + platform::Utf8ToUtf16(program) + u")";
        if (!page_.BatteryText().empty()) tooltip += u" \u00B7 " + page_.BatteryText();
    }
    if (page_.MouseBehind()) {
        tooltip += u"\n" + CResourceManager::GetInstance().GetText(u"not_on_mouse_text");
    }
    tray_.SetTooltipText(tooltip);
}

}  // namespace nimba
