#include "dialogs/shortcut_wnd.h"

#include <QShortcut>
#include <cstdio>

#include "keys/key_table.h"
#include "platform/debug_output.h"
#include "skin/button.h"
#include "skin/resource_manager.h"

namespace nimba {

CShortcutWnd::CShortcutWnd(KeyCombination preset, InputCapture& capture)
    : combination_(preset), capture_(capture) {}

CShortcutWnd::~CShortcutWnd() = default;

std::optional<KeyCombination> CShortcutWnd::Run(HWND owner, KeyCombination preset,
                                                InputCapture& capture) {
    CShortcutWnd dialog(preset, capture);
    if (dialog.RunModal(owner) != 1U) return std::nullopt;
    return dialog.combination_;
}

void CShortcutWnd::InitWindow() {
    for (size_t i = 0; i < flags_.size(); ++i) {
        const std::u16string name = u"check_flag_" + std::u16string(1, char16_t(u'1' + i));
        flags_[i] = m_pm.FindControlAs<CCheckBoxUI>(name);
        if (flags_[i] != nullptr) flags_[i]->SetCheck((combination_.modifiers >> i) & 1U);
    }
    key_edit_ = m_pm.FindControl(u"edit_key");
    ShowKey();
    // Escape cancels, except in the key field, where it is the key being caught.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), GetWindowWidget());
    QObject::connect(escape, &QShortcut::activated, [this] {
        if (!session_) Close(0);
    });
}

void CShortcutWnd::ShowKey() {
    if (key_edit_ != nullptr) key_edit_->SetText(KeyName(combination_.key, LanguageText));
}

void CShortcutWnd::OnClick(TNotifyUI& msg) {
    if (msg.pSender == nullptr) return;
    const std::u16string& name = msg.pSender->GetName();
    if (name == u"btn_ok") Close(1);
    if (name == u"btn_cancel" || name == u"btn_exit") Close(0);
}

void CShortcutWnd::Notify(TNotifyUI& msg) {
    if (msg.pSender == nullptr) return;
    if (msg.sType == notify_type::kClick) {
        OnClick(msg);
    } else if (msg.sType == notify_type::kCheckClick) {
        for (size_t i = 0; i < flags_.size(); ++i) {
            if (flags_[i] != msg.pSender) continue;
            const uint8_t bit = static_cast<uint8_t>(1U << i);
            combination_.modifiers = flags_[i]->GetCheck() ? (combination_.modifiers | bit)
                                                           : (combination_.modifiers & ~bit);
        }
    } else if (msg.sType == notify_type::kSetFocus && msg.pSender == key_edit_) {
        StartCapture();
    } else if (msg.sType == notify_type::kKillFocus && msg.pSender == key_edit_) {
        session_.reset();
    }
}

LRESULT CShortcutWnd::HandleCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = false;
    if (msg != kInputEventMessage) return 0;
    handled = true;
    char trace[64];
    std::snprintf(trace, sizeof trace, "%lx,%lx\n", static_cast<unsigned long>(wParam),
                  static_cast<unsigned long>(lParam));
    Trace(trace);
    if (!IsVirtualKey(wParam)) return 0;
    combination_.key = KeyCodeOfVirtualKey(static_cast<int>(wParam)).code;
    std::snprintf(trace, sizeof trace, "iUsageID=%d\n", combination_.key);
    Trace(trace);
    ShowKey();
    return 0;
}

LRESULT CShortcutWnd::OnDestroy(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    session_.reset();
    return WindowImplBase::OnDestroy(msg, wParam, lParam, handled);
}

void CShortcutWnd::StartCapture() {
    if (session_) return;
    if (!capture_.Available()) {
        Trace("shortcut dialog: no input capture library, the key field takes no keys");
        return;
    }
    session_.emplace(capture_, GetHWND());
}

}  // namespace nimba
