#include "page/ms_1_profile_name.h"

#include <QKeySequence>
#include <QShortcut>

#include "dialogs/msg_wnd.h"
#include "persistence/unique_name.h"

namespace nimba {

CMS_1_ProfileName::CMS_1_ProfileName(std::u16string title_key, ProfileStore& profiles)
    : title_key_(std::move(title_key)), profiles_(profiles) {}

void CMS_1_ProfileName::InitWindow() {
    if (CControlUI* title = m_pm.FindControl(u"title_string")) title->SetText(title_key_);
    m_pm.SetTitleKey(title_key_);
    edit_name_ = m_pm.FindControl(u"edit_name");
    if (edit_name_ != nullptr) edit_name_->SetFocus();
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), GetWindowWidget());
    QObject::connect(escape, &QShortcut::activated, [this] { Close(0); });
}

void CMS_1_ProfileName::Notify(TNotifyUI& msg) {
    // Enter in the name field is OK.
    if (msg.sType == notify_type::kReturn && msg.pSender == edit_name_) OnOk();
    if (msg.sType == notify_type::kClick) OnClick(msg);
}

void CMS_1_ProfileName::OnClick(TNotifyUI& msg) {
    if (msg.pSender == nullptr) return;
    const std::u16string& name = msg.pSender->GetName();
    if (name == u"btn_ok") OnOk();
    if (name == u"btn_cancel" || name == u"btn_exit") Close(0);
}

void CMS_1_ProfileName::OnOk() {
    // A longer name is cut to what the record holds before it is compared, so the name
    // checked is the name stored.
    const std::u16string name = CutName(
        edit_name_ != nullptr ? edit_name_->GetText() : std::u16string(), kProfileNameChars);
    if (name.empty()) {
        ShowMessageBox(GetHWND(), u"warn_name_1_text");
        return;
    }
    const bool taken = profiles_.Edit([&](const ProfileList& list, const ProfileStoreHeader&) {
        return IsNameTaken(list, name);
    });
    if (taken) {
        ShowMessageBox(GetHWND(), u"warn_name_2_text");
        return;
    }
    name_ = name;
    Close(1);
}

std::optional<std::u16string> AskProfileName(HWND owner, std::u16string title_key,
                                             ProfileStore& profiles) {
    CMS_1_ProfileName dialog(std::move(title_key), profiles);
    if (dialog.RunModal(owner) != 1U) return std::nullopt;
    return dialog.GetName();
}

}  // namespace nimba
