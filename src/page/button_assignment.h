#pragma once

// The mouse's 18 buttons on the page: their labels, the function menu of buttons 1-12, the
// key combination and macro dialogs some functions need, and the macro editor, after which
// the macro copies on the buttons of every profile are brought up to date.

#include <array>
#include <memory>
#include <string_view>

#include "macro/input_capture.h"
#include "macro/macro_store.h"
#include "page/settings_group.h"
#include "persistence/profile_store.h"
#include "skin/menu_wnd.h"
#include "skin/notify.h"

namespace nimba {

class ButtonAssignmentControls {
public:
    static constexpr int kButtons = 18;
    static constexpr int kAssignableButtons = 12;

    ButtonAssignmentControls(SettingsHost& host, ProfileStore& profiles, MacroStore& macros)
        : host_(host), profiles_(profiles), macros_(macros) {}
    ~ButtonAssignmentControls();
    ButtonAssignmentControls(const ButtonAssignmentControls&) = delete;
    ButtonAssignmentControls& operator=(const ButtonAssignmentControls&) = delete;

    // The page's paint manager (the menu's owner) and the capture table, before Bind.
    void Attach(CPaintManagerUI* manager, InputCapture* capture);
    void Bind(const ControlFinder& find);
    void Show(const ProfileRecord& profile);
    // True when the notification was one of this group's.
    bool Handle(TNotifyUI& msg);
    // The item chosen in the function menu.
    void OnFunctionChosen(std::u16string_view item_name);

private:
    void OpenFunctionMenu(int slot);
    void OpenMacroEditor();
    // False when the key combination dialog was cancelled or left empty.
    bool AskCombination(ButtonAssignment& button);
    // False when no macro was chosen.
    bool AskMacro(ButtonAssignment& button);
    InputCapture& Capture() const;

    SettingsHost& host_;
    ProfileStore& profiles_;
    MacroStore& macros_;
    CPaintManagerUI* pm_ = nullptr;
    InputCapture* capture_ = nullptr;
    std::array<CButtonUI*, kButtons> buttons_{};
    CControlUI* macro_button_ = nullptr;
    std::unique_ptr<CMenuWnd> menu_;
    int edited_button_ = -1;
};

}  // namespace nimba
