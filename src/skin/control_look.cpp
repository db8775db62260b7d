#include "skin/control_look.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "skin/attribute_values.h"
#include "skin/skin_text.h"

namespace nimba::skin {

namespace {

QMargins ParseSides(const QString& value) {
    if (!value.contains(',')) {
        const int all = ParseInt(value);
        return QMargins(all, all, all, all);
    }
    const RECT r = ParseRectValue(value);
    return QMargins(r.left, r.top, r.right, r.bottom);
}

}  // namespace

DWORD StateColors::For(unsigned state) const {
    if ((state & kStateDisabled) && disabled != 0) return disabled;
    if ((state & kStateFocused) && focused != 0) return focused;
    if (state & kStateSelected) {
        if ((state & kStateHot) && selected_hot != 0) return selected_hot;
        if (selected != 0) return selected;
    }
    if ((state & kStatePushed) && pushed != 0) return pushed;
    if ((state & kStateHot) && hot != 0) return hot;
    return normal;
}

bool ControlLook::SetAttribute(std::u16string_view name, const QString& value) {
    struct Entry {
        std::u16string_view name;
        DWORD StateColors::*state;
        StateColors ControlLook::*colors;
    };
    static constexpr Entry kColors[] = {
        {u"bkcolor", &StateColors::normal, &ControlLook::bk},
        {u"hotbkcolor", &StateColors::hot, &ControlLook::bk},
        {u"pushedbkcolor", &StateColors::pushed, &ControlLook::bk},
        {u"selectedbkcolor", &StateColors::selected, &ControlLook::bk},
        {u"selectedhotbkcolor", &StateColors::selected_hot, &ControlLook::bk},
        {u"disabledbkcolor", &StateColors::disabled, &ControlLook::bk},
        {u"focusedbkcolor", &StateColors::focused, &ControlLook::bk},
        {u"bordercolor", &StateColors::normal, &ControlLook::border},
        {u"hotbordercolor", &StateColors::hot, &ControlLook::border},
        {u"selectedbordercolor", &StateColors::selected, &ControlLook::border},
        {u"disabledbordercolor", &StateColors::disabled, &ControlLook::border},
        {u"textcolor", &StateColors::normal, &ControlLook::text},
        {u"hottextcolor", &StateColors::hot, &ControlLook::text},
        {u"selectedtextcolor", &StateColors::selected, &ControlLook::text},
        {u"selectedhottextcolor", &StateColors::selected_hot, &ControlLook::text},
        {u"disabledtextcolor", &StateColors::disabled, &ControlLook::text},
        {u"focusedtextcolor", &StateColors::focused, &ControlLook::text},
        {u"itembkcolor", &StateColors::normal, &ControlLook::item_bk},
        {u"itemhotbkcolor", &StateColors::hot, &ControlLook::item_bk},
        {u"itemselectedbkcolor", &StateColors::selected, &ControlLook::item_bk},
        {u"itemtextcolor", &StateColors::normal, &ControlLook::item_text},
        {u"itemselectedtextcolor", &StateColors::selected, &ControlLook::item_text},
        {u"scrollthumbcolor", &StateColors::normal, &ControlLook::scroll_thumb},
        {u"scrollthumbhotcolor", &StateColors::hot, &ControlLook::scroll_thumb},
    };
    for (const Entry& entry : kColors) {
        if (entry.name == name) {
            (this->*entry.colors).*entry.state = ParseColor(value);
            return true;
        }
    }
    if (name == u"bordersize") {
        border_size = ParseSides(value);
    } else if (name == u"borderround") {
        border_round = ParseInt(value.section(',', 0, 0));
    } else if (name == u"textpadding") {
        text_padding = ParseSides(value);
    } else if (name == u"focusbordercolor") {
        focus_border = ParseColor(value);
    } else if (name == u"itemselectedbarcolor") {
        item_selected_bar = ParseColor(value);
    } else if (name == u"itemtextpadding") {
        item_text_padding = ParseSides(value);
    } else if (name == u"scrollbarwidth") {
        scroll_width = ParseInt(value, 8);
    } else {
        return false;
    }
    return true;
}

void ControlLook::PaintBox(QPainter& painter, const QRect& area, unsigned state) const {
    const DWORD fill = bk.For(state);
    const DWORD line = border.For(state);
    const bool framed = line != 0 && !border_size.isNull();
    const bool even = border_size.left() == border_size.top() &&
                      border_size.left() == border_size.right() &&
                      border_size.left() == border_size.bottom();
    if (fill == 0 && !framed) return;
    painter.save();
    if (border_round > 0) {
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath outer;
        outer.addRoundedRect(QRectF(area), border_round, border_round);
        if (framed && even) {
            // The frame is the ring between the outer and the inner rounded rectangle.
            const int w = border_size.left();
            QPainterPath inner;
            inner.addRoundedRect(QRectF(area).adjusted(w, w, -w, -w), std::max(0, border_round - w),
                                 std::max(0, border_round - w));
            painter.fillPath(outer, ToQColor(line));
            if (fill != 0) painter.fillPath(inner, ToQColor(fill));
        } else if (fill != 0) {
            painter.fillPath(outer, ToQColor(fill));
        }
    } else {
        if (fill != 0) painter.fillRect(area, ToQColor(fill));
        if (framed) {
            const QColor c = ToQColor(line);
            const QMargins& b = border_size;
            painter.fillRect(QRect(area.left(), area.top(), area.width(), b.top()), c);
            painter.fillRect(
                QRect(area.left(), area.bottom() + 1 - b.bottom(), area.width(), b.bottom()), c);
            painter.fillRect(QRect(area.left(), area.top(), b.left(), area.height()), c);
            painter.fillRect(
                QRect(area.right() + 1 - b.right(), area.top(), b.right(), area.height()), c);
        }
    }
    painter.restore();
}

void ControlLook::PaintFocus(QPainter& painter, const QRect& area, unsigned state) const {
    if (focus_border == 0) return;
    const DWORD ring =
        bk.For(state) == focus_border && text.For(state) != 0 ? text.For(state) : focus_border;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(ToQColor(ring), 2);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int round = std::max(border_round, 2);
    painter.drawRoundedRect(QRectF(area).adjusted(1, 1, -1, -1), round, round);
    painter.restore();
}

void FillRounded(QPainter& painter, const QRectF& area, DWORD color) {
    if (color == 0 || area.isEmpty()) return;
    QPainterPath path;
    const double round = std::min(area.width(), area.height()) / 2;
    path.addRoundedRect(area, round, round);
    painter.fillPath(path, ToQColor(color));
}

bool PaintElidedText(QPainter& painter, const QRect& area, Qt::Alignment align, const QColor& color,
                     const QString& text) {
    if (text.isEmpty() || area.width() <= 0) return false;
    // Placed by hand and drawn at a point: the rectangle form of drawText lays the text out
    // anew each time, which made text most of the cost of painting a window.
    const QFontMetrics metrics = painter.fontMetrics();
    QString shown = text;
    int width = metrics.horizontalAdvance(text);
    if (width > area.width()) {
        shown = metrics.elidedText(text, Qt::ElideRight, area.width());
        width = metrics.horizontalAdvance(shown);
    }
    int x = area.left();
    if (align & Qt::AlignRight) x = area.right() + 1 - width;
    if (align & Qt::AlignHCenter) x = area.left() + (area.width() - width) / 2;
    int y = area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent();
    if (align & Qt::AlignTop) y = area.top() + metrics.ascent();
    if (align & Qt::AlignBottom) y = area.bottom() + 1 - metrics.descent();
    painter.save();
    painter.setPen(color);
    painter.drawText(QPoint(x, y), shown);
    painter.restore();
    return shown != text;
}

}  // namespace nimba::skin
