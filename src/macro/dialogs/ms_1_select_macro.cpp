#include "macro/dialogs/ms_1_select_macro.h"

#include <QKeySequence>
#include <QLineEdit>
#include <QShortcut>

#include "macro/dialogs/macro_name_rows.h"
#include "model/utf16.h"
#include "platform/text_encoding.h"
#include "skin/button.h"
#include "skin/list.h"

namespace nimba {
namespace {

constexpr int kRowHeight = 22;
constexpr int kLoopModes = 3;

std::u16string RepeatOption(int mode) {
    return u"repeat_" + platform::Utf8ToUtf16(std::to_string(mode + 1));
}

}  // namespace

CMS_1_SelectMacro::CMS_1_SelectMacro(const MacroStore& store, MacroChoice choice)
    : store_(store), choice_(choice) {}

std::optional<MacroChoice> CMS_1_SelectMacro::Run(HWND owner, const MacroStore& store,
                                                  MacroChoice initial) {
    CMS_1_SelectMacro dialog(store, initial);
    if (dialog.RunModal(owner) != 1U) return std::nullopt;
    return dialog.choice();
}

void CMS_1_SelectMacro::InitWindow() {
    list_ = m_pm.FindControlAs<CListUI>(u"list_macro");
    count_edit_ = m_pm.FindControl(u"edit_loop_time");
    count_row_ = m_pm.FindControl(u"hor_loop_time");

    const int size = static_cast<int>(store_.Size());
    // A macro deleted since the button took it is no choice any more.
    if (choice_.macro_index >= size) choice_.macro_index = -1;
    if (choice_.loop_mode < 0 || choice_.loop_mode >= kLoopModes) choice_.loop_mode = 0;
    if (list_ != nullptr) {
        FillMacroNameRows(*list_, store_, kRowHeight);
        list_->SelectItem(choice_.macro_index);
    }
    if (auto* option = m_pm.FindControlAs<COptionUI>(RepeatOption(choice_.loop_mode)))
        option->Selected(true);
    if (count_edit_ != nullptr)
        count_edit_->SetText(platform::Utf8ToUtf16(std::to_string(choice_.loop_count)));
    ShowLoopMode();

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), GetWindowWidget());
    QObject::connect(escape, &QShortcut::activated, [this] { Close(0); });
}

void CMS_1_SelectMacro::Notify(TNotifyUI& msg) {
    if (msg.pSender == nullptr) return;
    const std::u16string& name = msg.pSender->GetName();
    if (msg.sType == notify_type::kClick) {
        if (name == u"btn_ok") {
            // A count typed just before OK counts, whether or not the field lost the focus.
            TakeLoopCount();
            Close(1);
        } else if (name == u"btn_cancel" || name == u"btn_exit") {
            Close(0);
        }
    } else if (msg.sType == notify_type::kSelectChanged) {
        for (int mode = 0; mode < kLoopModes; ++mode) {
            if (name == RepeatOption(mode)) choice_.loop_mode = mode;
        }
        ShowLoopMode();
    } else if (msg.sType == notify_type::kItemSelect && msg.pSender == list_) {
        choice_.macro_index = list_->GetCurSel();
    } else if (msg.sType == notify_type::kTextChanged && msg.pSender == count_edit_) {
        KeepDigits();
    } else if (msg.sType == notify_type::kKillFocus && msg.pSender == count_edit_) {
        TakeLoopCount();
    }
}

void CMS_1_SelectMacro::ShowLoopMode() {
    if (count_row_ != nullptr) count_row_->SetVisible(choice_.loop_mode == 0);
}

void CMS_1_SelectMacro::KeepDigits() {
    const std::u16string text = count_edit_->GetText();
    std::u16string digits;
    for (char16_t c : text) {
        if (c >= u'0' && c <= u'9') digits.push_back(c);
    }
    if (digits == text) return;
    count_edit_->SetText(digits);
    if (auto* line = qobject_cast<QLineEdit*>(count_edit_->GetWidget())) line->end(false);
}

void CMS_1_SelectMacro::TakeLoopCount() {
    if (count_edit_ == nullptr) return;
    choice_.loop_count = LoopCountOfText(count_edit_->GetText());
    const std::u16string shown = platform::Utf8ToUtf16(std::to_string(choice_.loop_count));
    if (count_edit_->GetText() != shown) count_edit_->SetText(shown);
}

}  // namespace nimba
