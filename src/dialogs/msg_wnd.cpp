#include "dialogs/msg_wnd.h"

#include <QKeySequence>
#include <QShortcut>

namespace nimba {

CMsgWnd::CMsgWnd(std::u16string title_key, std::u16string message_key)
    : title_key_(std::move(title_key)), message_key_(std::move(message_key)) {}

void CMsgWnd::InitWindow() {
    if (CControlUI* title = m_pm.FindControl(u"warning_title")) title->SetText(title_key_);
    m_pm.SetTitleKey(title_key_);
    if (CControlUI* message = m_pm.FindControl(u"warning")) message->SetText(message_key_);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), GetWindowWidget());
    QObject::connect(escape, &QShortcut::activated, [this] { Close(0); });
}

void CMsgWnd::Notify(TNotifyUI& msg) {
    if (msg.sType != notify_type::kClick || msg.pSender == nullptr) return;
    if (msg.pSender->GetName() == u"btn_ok") Close(1);
    if (msg.pSender->GetName() == u"btn_cancel") Close(0);
}

UINT ShowMessageBox(HWND owner, std::u16string message_key) {
    CMsgWnd box(u"warning_title_text", std::move(message_key));
    return box.RunModal(owner).value_or(0);
}

}  // namespace nimba
