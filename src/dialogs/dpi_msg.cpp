#include "dialogs/dpi_msg.h"

#include <QScreen>
#include <QWidget>

#include "model/dpi_code.h"

namespace nimba {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 50;
constexpr int kMargin = 10;

}  // namespace

void CDPIMsg::InitWindow() {
    CControlUI* label = m_pm.FindControl(u"dpi_label");
    if (label == nullptr) return;
    label->SetText(text_);
    QWidget* widget = GetWindowWidget();
    const QWidget* owner = widget->parentWidget();
    QScreen* screen = owner != nullptr ? owner->screen() : widget->screen();
    const QRect work = screen->availableGeometry();
    // Anchored at the work area's true corner, wherever the panels of the desktop sit.
    widget->setGeometry(work.right() + 1 - kWidth - kMargin, work.bottom() + 1 - kHeight - kMargin,
                        kWidth, kHeight);
}

void CDPIMsg::OnFinalMessage(HWND) {
    delete this;
}

void CDPIMsg::SetText(std::u16string text) {
    text_ = std::move(text);
    if (CControlUI* label = m_pm.FindControl(u"dpi_label")) label->SetText(text_);
}

HWND CDPIMsg::Open(HWND owner, std::u16string text) {
    auto* popup = new CDPIMsg(std::move(text));
    const HWND hwnd =
        popup->Create(owner, u"", WS_POPUP | WS_VISIBLE,
                      WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, 0, 0, 800, 800);
    if (hwnd == nullptr) delete popup;
    return hwnd;
}

std::u16string DpiPopupText(WPARAM kind, LPARAM value) {
    std::u16string text = u"DPI :";
    int64_t dpi = 0;
    if (kind == 0) {
        dpi = DpiFromCode(static_cast<int32_t>(value));
    } else if (kind == 1 || kind == 2) {
        dpi = int64_t{value} * 100;
    } else {
        return text;
    }
    for (char c : std::to_string(dpi)) text.push_back(static_cast<char16_t>(c));
    return text;
}

}  // namespace nimba
