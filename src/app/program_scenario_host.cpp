#include "app/program_scenario_host.h"

namespace nimba {

bool ProgramScenarioHost::Running() const {
    return window() != nullptr;
}

void ProgramScenarioHost::FinishWrites() {
    if (CMainWnd* main = window()) main->page().FlushSaves();
}

void ProgramScenarioHost::Quit() {
    if (CMainWnd* main = window()) main->Exit();
}

void ProgramScenarioHost::TrayClick(bool right) {
    CMainWnd* main = window();
    if (main == nullptr || main->tray().GetQtIcon() == nullptr) return;
    // As the desktop reports a click on the icon.
    emit main->tray().GetQtIcon()->activated(right ? QSystemTrayIcon::Context
                                                   : QSystemTrayIcon::Trigger);
}

bool ProgramScenarioHost::TrayShown() const {
    CMainWnd* main = window();
    return main != nullptr && main->tray().IsVisible();
}

std::string ProgramScenarioHost::TrayTooltip() const {
    CMainWnd* main = window();
    if (main == nullptr || main->tray().GetQtIcon() == nullptr) return {};
    return main->tray().GetQtIcon()->toolTip().toStdString();
}

scenario::LinkFlags ProgramScenarioHost::Links() const {
    CMainWnd* main = window();
    if (main == nullptr) return {};
    const LinkState& l = main->page().links();
    return {l.wired_link.load(), l.wireless_link.load(),   l.ble_link.load(),
            l.any_link.load(),   l.awaiting_device.load(), l.wireless_awake.load()};
}

std::string ProgramScenarioHost::DataDirectory() const {
    CMainWnd* main = window();
    return main != nullptr ? main->page().data_directory() : std::string();
}

void ProgramScenarioHost::BringToFront(const std::string& program) {
    CMainWnd* main = window();
    if (main == nullptr) return;
    main->page().follower().OnFront(program == "-" ? std::nullopt
                                                   : std::optional(ProgramNames{program}));
}

HWND ProgramScenarioHost::InputTarget() const {
    CMainWnd* main = window();
    if (main == nullptr) return nullptr;
    // While no hook is on the library posts nothing; the main window ignores what it gets.
    const HWND receiver = main->input_capture().receiver();
    return receiver != nullptr ? receiver : main->GetHWND();
}

}  // namespace nimba
