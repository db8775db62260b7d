#pragma once

// How a control paints its box and text from its skin attributes: colours per state, border,
// rounded corners, text padding and the focus ring. Every control carries one.

#include <QColor>
#include <QMargins>
#include <QRect>
#include <QString>
#include <string_view>

#include "platform/win_types.h"

class QPainter;

namespace nimba::skin {

// What a control shows at the moment of painting.
enum PaintState : unsigned {
    kStateHot = 1,
    kStatePushed = 2,
    kStateSelected = 4,
    kStateDisabled = 8,
    kStateFocused = 16,
};

// One colour per state; 0 leaves the state to the next less specific one.
struct StateColors {
    DWORD normal = 0;
    DWORD hot = 0;
    DWORD pushed = 0;
    DWORD selected = 0;
    DWORD selected_hot = 0;
    DWORD disabled = 0;
    DWORD focused = 0;  // a menu's item chosen by keyboard

    DWORD For(unsigned state) const;
};

struct ControlLook {
    StateColors bk;
    StateColors border;
    StateColors text;
    QMargins border_size;  // all sides equal: a (rounded) frame; else a line per side
    int border_round = 0;
    QMargins text_padding;
    DWORD focus_border = 0;
    // Rows of lists and drop-downs: hot and selected states; a selected row's accent bar.
    StateColors item_bk;
    StateColors item_text;
    DWORD item_selected_bar = 0;
    QMargins item_text_padding;
    // Scroll bars: the thumb (normal and hot) and the bar's width.
    StateColors scroll_thumb;
    int scroll_width = 8;

    // Takes the attribute if it is one of the look's ("hotbkcolor", "bordersize", ...).
    bool SetAttribute(std::u16string_view name, const QString& value);
    // Background and border of `area` in `state`.
    void PaintBox(QPainter& painter, const QRect& area, unsigned state) const;
    // The keyboard focus: a ring just inside `area`, in the focus colour; on a background of
    // that very colour (a selected option) in the text colour, so it still shows.
    void PaintFocus(QPainter& painter, const QRect& area, unsigned state) const;
    QRect TextArea(const QRect& area) const { return area - text_padding; }
};

// `area` filled in `color` with fully rounded ends (a groove, a bar, a thumb); nothing for
// colour 0.
void FillRounded(QPainter& painter, const QRectF& area, DWORD color);
// `text` in `area`, cut with "..." when it does not fit on one line; true when cut.
bool PaintElidedText(QPainter& painter, const QRect& area, Qt::Alignment align, const QColor& color,
                     const QString& text);

}  // namespace nimba::skin
