#include "dialogs/dpi_color_wnd.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <array>
#include <string>

#include "model/leading_integer.h"
#include "skin/color_palette.h"

namespace nimba {
namespace {

constexpr std::array<DWORD, CDpiColorWnd::kPresets> kPresetColors = {
    0xFF00FFFF, 0xFF6CFF00, 0xFF7F00FF, 0xFF007FFF, 0xFF0000FF, 0xFF7FFF00, 0xFFFF5400, 0xFFFF7F00,
    0xFFFFB400, 0xFFFFFF00, 0xFFFF0000, 0xFFFF00FF, 0xFF1EB40A, 0xFF48B1FF, 0xFFFF48B0, 0xFFFFFFFF};

constexpr int kRedShift = 16;
constexpr int kGreenShift = 8;
constexpr int kBlueShift = 0;

std::u16string Decimal(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// "mouse_dpi_color_<n>" for n in 1..16: the preset's index, else -1.
int PresetIndex(std::u16string_view name) {
    constexpr std::u16string_view kStem = u"mouse_dpi_color_";
    if (!name.starts_with(kStem)) return -1;
    const int number = ParseLeadingInteger(name.substr(kStem.size()));
    if (number < 1 || number > CDpiColorWnd::kPresets ||
        Decimal(number) != name.substr(kStem.size()))
        return -1;
    return number - 1;
}

// The screen the anchor lies on; off every screen, the owner's, else the primary one.
QScreen* ScreenFor(POINT anchor, const QWidget* window) {
    if (QScreen* screen = QGuiApplication::screenAt(QPoint(anchor.x, anchor.y))) return screen;
    if (window != nullptr && window->parentWidget() != nullptr)
        return window->parentWidget()->screen();
    return QGuiApplication::primaryScreen();
}

}  // namespace

POINT FitOnScreen(const RECT& screen, POINT anchor, SIZE size) {
    // 64-bit sums: an anchor from far outside the screen must not wrap around.
    const auto fit = [](int64_t at, int64_t low, int64_t high, int64_t length) {
        return static_cast<int32_t>(std::max(low, std::min(at, high - length)));
    };
    return POINT{fit(anchor.x, screen.left, screen.right, size.cx),
                 fit(anchor.y, screen.top, screen.bottom, size.cy)};
}

void CDpiColorWnd::InitWindow() {
    if (QWidget* window = GetWindowWidget()) {
        RECT area{anchor_.x, anchor_.y, anchor_.x + kWidth, anchor_.y + kHeight};
        if (const QScreen* screen = ScreenFor(anchor_, window)) {
            const QRect r = screen->availableGeometry();
            area = RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        }
        const POINT at = FitOnScreen(area, anchor_, SIZE{kWidth, kHeight});
        window->setGeometry(at.x, at.y, kWidth, kHeight);
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        QObject::connect(escape, &QShortcut::activated, [this] { Close(0); });
    }
    swatch_ = m_pm.FindControl(u"color_show_control");
    palette_ = m_pm.FindControlAs<CColorPaletteUI>(u"ColorPallet");
    red_ = m_pm.FindControl(u"r_edit");
    green_ = m_pm.FindControl(u"g_edit");
    blue_ = m_pm.FindControl(u"b_edit");
    ShowColor(selected_);
}

void CDpiColorWnd::ShowSwatch(DWORD argb) {
    if (swatch_ != nullptr) swatch_->SetBkColor(0xFF000000u | argb);
}

void CDpiColorWnd::ShowFields(DWORD argb) {
    const auto component = [argb](int shift) { return Decimal((argb >> shift) & 0xFF); };
    if (red_ != nullptr) red_->SetText(component(kRedShift));
    if (green_ != nullptr) green_->SetText(component(kGreenShift));
    if (blue_ != nullptr) blue_->SetText(component(kBlueShift));
}

void CDpiColorWnd::ShowColor(DWORD argb) {
    if (palette_ != nullptr) palette_->SetSelectColor(argb);
    ShowSwatch(argb);
    ShowFields(argb);
}

void CDpiColorWnd::OnClick(TNotifyUI& msg) {
    if (msg.pSender == nullptr) return;
    const std::u16string& name = msg.pSender->GetName();
    if (name == u"confirm_btn") {
        Close(1);
    } else if (name == u"cancel_btn") {
        Close(0);
    } else if (const int preset = PresetIndex(name); preset >= 0) {
        selected_ = kPresetColors[preset];
        ShowColor(selected_);
    }
}

void CDpiColorWnd::Notify(TNotifyUI& msg) {
    if (msg.pSender == nullptr) return;
    if (msg.sType == notify_type::kClick) {
        OnClick(msg);
    } else if ((msg.sType == notify_type::kColorChanged ||
                msg.sType == notify_type::kColorChangedButtonUp) &&
               msg.pSender == palette_) {
        selected_ = palette_->GetSelectColor();
        ShowSwatch(selected_);
        ShowFields(selected_);
    } else if (msg.sType == notify_type::kTextChanged) {
        if (msg.pSender == red_) OnComponentTyped(*red_, kRedShift);
        if (msg.pSender == green_) OnComponentTyped(*green_, kGreenShift);
        if (msg.pSender == blue_) OnComponentTyped(*blue_, kBlueShift);
    }
}

void CDpiColorWnd::OnComponentTyped(CControlUI& edit, int shift) {
    // Read as the classic leading-integer conversion does; far too large numbers saturate.
    int value = ParseLeadingInteger(edit.GetText());
    if (value > 255) {
        value = 255;
        edit.SetText(u"255");
    } else if (value < 0) {
        value = 0;
        edit.SetText(u"0");
    }
    selected_ = (selected_ & ~(DWORD{0xFF} << shift)) | (static_cast<DWORD>(value) << shift);
    selected_ |= 0xFF000000u;
    if (palette_ != nullptr) palette_->SetSelectColor(selected_);
    ShowSwatch(selected_);
}

std::optional<DWORD> ChooseColor(HWND owner, POINT anchor, DWORD initial) {
    CDpiColorWnd dialog;
    dialog.SetAnchor(anchor);
    dialog.SetSelectedColor(initial);
    // It places itself below the anchor.
    if (dialog.RunModal(owner, false) != 1U) return std::nullopt;
    return dialog.GetSelectedColor();
}

}  // namespace nimba
