#pragma once

// The macro selection dialog: the user picks a stored macro for a mouse button and how it
// repeats. The caller writes the choice into the button when the dialog answers OK.

#include <optional>
#include <string>

#include "macro/macro_choice.h"
#include "macro/macro_store.h"
#include "skin/window_impl_base.h"

class CControlUI;
class CListUI;

namespace nimba {

class CMS_1_SelectMacro : public WindowImplBase {
public:
    CMS_1_SelectMacro(const MacroStore& store, MacroChoice choice);

    std::u16string GetWindowClassName() const override { return u"MS_1_SelectMacro"; }
    std::u16string GetSkinFile() override { return u"MS/MS_1/selectmacro.xml"; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;

    const MacroChoice& choice() const { return choice_; }

    // Shows the dialog over `owner`; the choice when the user answered OK.
    static std::optional<MacroChoice> Run(HWND owner, const MacroStore& store, MacroChoice initial);

private:
    void ShowLoopMode();
    void KeepDigits();
    void TakeLoopCount();

    const MacroStore& store_;
    MacroChoice choice_;
    CListUI* list_ = nullptr;
    CControlUI* count_edit_ = nullptr;
    CControlUI* count_row_ = nullptr;
};

}  // namespace nimba
