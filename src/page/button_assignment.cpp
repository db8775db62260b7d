#include "page/button_assignment.h"

#include <algorithm>
#include <cstring>

#include "dialogs/msg_wnd.h"
#include "dialogs/shortcut_wnd.h"
#include "keys/key_table.h"
#include "macro/dialogs/ms_1_macro.h"
#include "macro/dialogs/ms_1_select_macro.h"
#include "macro/macro_choice.h"
#include "model/button_functions.h"
#include "page/button_macro_sync.h"
#include "skin/resource_manager.h"
#include "skin/window_functions.h"

namespace nimba {
namespace {

// The menu's layout takes its items to be this high when deciding whether it fits below.
constexpr int kMenuItemHeight = 22;
constexpr int kMenuMargin = 4;
constexpr int kMenuUpwardOffset = 21;

}  // namespace

ButtonAssignmentControls::~ButtonAssignmentControls() = default;

void ButtonAssignmentControls::Attach(CPaintManagerUI* manager, InputCapture* capture) {
    pm_ = manager;
    capture_ = capture;
}

void ButtonAssignmentControls::Bind(const ControlFinder& find) {
    for (int i = 0; i < kButtons; ++i) FindAs(find, Numbered(u"ms_1_btn_key_", i + 1), buttons_[i]);
    macro_button_ = find(u"ms_1_btn_macro");
}

void ButtonAssignmentControls::Show(const ProfileRecord& profile) {
    for (int i = 0; i < kButtons; ++i) {
        if (buttons_[i] == nullptr) continue;
        const ButtonAssignment& button = profile.buttons[i];
        const ButtonLabelText label =
            ButtonLabel(button, LanguageText, KeyName(button.shortcut_key, LanguageText));
        buttons_[i]->SetResourceText(label.is_language_key);
        buttons_[i]->SetText(label.text);
    }
}

bool ButtonAssignmentControls::Handle(TNotifyUI& msg) {
    if (msg.sType != notify_type::kClick || msg.pSender == nullptr) return false;
    if (msg.pSender == macro_button_) {
        OpenMacroEditor();
        return true;
    }
    const int slot = IndexOf(buttons_, msg.pSender);
    if (slot < 0) return false;
    // Buttons 13-18 are shown, not assigned from the page.
    if (slot < kAssignableButtons) OpenFunctionMenu(slot);
    return true;
}

void ButtonAssignmentControls::OpenFunctionMenu(int slot) {
    edited_button_ = slot;
    menu_.reset();
    if (pm_ == nullptr || buttons_[slot] == nullptr) return;
    RECT window{};
    GetWindowRect(host_.Window(), &window);
    const RECT button = buttons_[slot]->GetPos();
    const POINT point{window.left + button.right, window.top + button.top};
    menu_ = std::make_unique<CMenuWnd>();
    if (!menu_->Init(nullptr, u"MS/MS_1/ms_1_menu.xml", point, pm_, nullptr,
                     eMenuAlignment_Left | eMenuAlignment_Top)) {
        menu_.reset();
        return;
    }
    const int items = menu_->GetVisibleItemCount();
    if (point.y + kMenuItemHeight * items + kMenuMargin >= GetSystemMetrics(SM_CYSCREEN)) {
        menu_->SetPoint(
            POINT{point.x, window.top + button.top + kMenuUpwardOffset - kMenuItemHeight * items});
    }
    menu_->ResizeMenu();
}

void ButtonAssignmentControls::OnFunctionChosen(std::u16string_view item_name) {
    menu_.reset();
    const int slot = edited_button_;
    ProfileRecord profile{};
    if (slot < 0 || slot >= kAssignableButtons || !host_.CopyCurrent(profile)) return;
    const uint8_t function = FunctionFromMenuName(item_name);
    if (!KeepsALeftClick(profile, slot, function)) {
        ShowMessageBox(host_.Window(), u"one_click_text");
        return;
    }
    ButtonAssignment button = profile.buttons[slot];
    if (function == kFunctionShortcut && !AskCombination(button)) return;
    if (function == kFunctionMacro && !AskMacro(button)) return;
    button.function = function;
    if (!host_.EditCurrent([&](ProfileRecord& p) { p.buttons[slot] = button; })) return;
    host_.RequestApply();
    profile.buttons[slot] = button;
    Show(profile);
}

bool ButtonAssignmentControls::AskCombination(ButtonAssignment& button) {
    if (button.function != kFunctionShortcut) {
        button.shortcut_key = 0;
        std::fill(std::begin(button.reserved_4), std::end(button.reserved_4), 0);
    }
    const auto combination = CShortcutWnd::Run(
        host_.Window(), KeyCombination{button.shortcut_key, button.shortcut_modifiers}, Capture());
    if (!combination || (combination->key == 0 && combination->modifiers == 0)) return false;
    button.shortcut_key = combination->key;
    button.shortcut_modifiers = combination->modifiers;
    return true;
}

bool ButtonAssignmentControls::AskMacro(ButtonAssignment& button) {
    const auto choice = CMS_1_SelectMacro::Run(host_.Window(), macros_, ChoiceForButton(button));
    return choice && WriteChoiceIntoButton(*choice, macros_, button);
}

void ButtonAssignmentControls::OpenMacroEditor() {
    CMS_1_Macro::Run(host_.Window(), macros_, Capture());
    const MacroSyncResult sync =
        profiles_.Edit([this](ProfileList& profiles, ProfileStoreHeader& header) {
            return macros_.Edit([&](MacroList& macros) {
                return SyncButtonMacros(profiles, header.current_profile_index, macros);
            });
        });
    if (sync.changed) host_.SaveProfiles();
    if (!sync.current_changed) return;
    ProfileRecord profile{};
    if (host_.CopyCurrent(profile)) Show(profile);
    host_.RequestApply();
}

InputCapture& ButtonAssignmentControls::Capture() const {
    static NoInputCapture kNoCapture;
    return capture_ != nullptr ? *capture_ : kNoCapture;
}

}  // namespace nimba
