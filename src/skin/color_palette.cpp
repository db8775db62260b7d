#include "skin/color_palette.h"

#include <QColor>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

CColorPaletteUI::CColorPaletteUI() {
    GetWidget()->setMinimumSize(40, 40);
}

DWORD CColorPaletteUI::GetSelectColor() const {
    const QColor c = QColor::fromHsvF(hue_, saturation_, value_);
    return 0xFF000000u | (static_cast<DWORD>(c.red()) << 16) |
           (static_cast<DWORD>(c.green()) << 8) | static_cast<DWORD>(c.blue());
}

void CColorPaletteUI::SetSelectColor(DWORD argb) {
    const QColor c((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
    float h = 0, s = 0, v = 0;
    c.getHsvF(&h, &s, &v);
    // Greys have no hue; keep the one the user had.
    if (h >= 0) hue_ = h;
    saturation_ = s;
    value_ = v;
    GetWidget()->update();
}

QRect CColorPaletteUI::FieldRect() const {
    const QRect r = GetWidget()->rect();
    return QRect(r.left(), r.top(), r.width(), std::max(1, r.height() - 16));
}

QRect CColorPaletteUI::StripRect() const {
    const QRect r = GetWidget()->rect();
    return QRect(r.left(), r.bottom() - 11, r.width(), 12);
}

void CColorPaletteUI::PickAt(const QPoint& at, bool strip) {
    if (strip) {
        const QRect s = StripRect();
        value_ = std::clamp(static_cast<float>(at.x() - s.left()) / std::max(1, s.width() - 1), 0.f,
                            1.f);
    } else {
        const QRect f = FieldRect();
        hue_ = std::clamp(static_cast<float>(at.x() - f.left()) / std::max(1, f.width() - 1), 0.f,
                          1.f);
        saturation_ =
            1.f - std::clamp(static_cast<float>(at.y() - f.top()) / std::max(1, f.height() - 1),
                             0.f, 1.f);
        if (value_ == 0) value_ = 1;  // picking a hue on a black colour would stay black
    }
    GetWidget()->update();
}

bool CColorPaletteUI::OnWidgetEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Paint:
            Paint();
            return true;
        case QEvent::MouseButtonPress: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) break;
            dragging_ = true;
            dragging_strip_ = StripRect().contains(mouse->position().toPoint());
            PickAt(mouse->position().toPoint(), dragging_strip_);
            Notify(notify_type::kColorChanged);
            return true;
        }
        case QEvent::MouseMove:
            if (!dragging_) break;
            PickAt(static_cast<QMouseEvent*>(event)->position().toPoint(), dragging_strip_);
            Notify(notify_type::kColorChanged);
            return true;
        case QEvent::MouseButtonRelease:
            if (!dragging_) break;
            dragging_ = false;
            Notify(notify_type::kColorChangedButtonUp);
            return true;
        default:
            break;
    }
    return CControlUI::OnWidgetEvent(event);
}

void CColorPaletteUI::Paint() {
    QPainter p(GetWidget());
    const QRect f = FieldRect();
    QLinearGradient hues(f.topLeft(), f.topRight());
    for (int i = 0; i <= 6; ++i)
        hues.setColorAt(i / 6.0, QColor::fromHsvF(std::min(i / 6.0f, 0.999f), 1, 1));
    p.fillRect(f, hues);
    QLinearGradient fade(f.topLeft(), f.bottomLeft());
    fade.setColorAt(0, QColor(255, 255, 255, 0));
    fade.setColorAt(1, QColor(255, 255, 255, 255));
    p.fillRect(f, fade);
    const QRect s = StripRect();
    QLinearGradient strip(s.topLeft(), s.topRight());
    strip.setColorAt(0, Qt::black);
    strip.setColorAt(1, QColor::fromHsvF(hue_, saturation_, 1));
    p.fillRect(s, strip);
    p.setPen(Qt::white);
    const QPoint mark(f.left() + static_cast<int>(hue_ * (f.width() - 1)),
                      f.top() + static_cast<int>((1 - saturation_) * (f.height() - 1)));
    p.drawEllipse(mark, 4, 4);
    p.drawLine(s.left() + static_cast<int>(value_ * (s.width() - 1)), s.top(),
               s.left() + static_cast<int>(value_ * (s.width() - 1)), s.bottom());
}
