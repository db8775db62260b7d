// Draws the pictures of the skins (and their @2x variants): the program icons into res/ and
// everything else into res/skins/. Usage: nimba-skin-images <res folder>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRadialGradient>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// The one palette every skin file uses as well.
const QColor kAccent(0x18, 0xC8, 0xD6);
const QColor kAccentDeep(0x0E, 0x8F, 0x9C);
const QColor kPanel(0x1E, 0x21, 0x28);
const QColor kControl(0x2A, 0x2F, 0x3A);
const QColor kBorder(0x4A, 0x52, 0x60);
const QColor kText(0xE8, 0xEA, 0xED);
const QColor kTextDim(0x9A, 0xA3, 0xAE);
const QColor kDanger(0xFF, 0x4D, 0x5E);

using Painter = std::function<void(QPainter&, double w, double h)>;

QString g_dir;

void Save(const QString& name, int w, int h, const Painter& draw, bool with2x = true) {
    for (int scale = 1; scale <= (with2x ? 2 : 1); ++scale) {
        QImage img(w * scale, h * scale, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(scale, scale);
        draw(p, w, h);
        p.end();
        const QString file = g_dir + "/" + name + (scale == 2 ? "@2x" : "") + ".png";
        if (!img.save(file)) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    }
}

QPen Stroke(const QColor& c, double width) {
    QPen pen(c, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

// Top view of the mouse: a rounded shell split into two keys, with the wheel between them.
QPainterPath MouseShell(const QRectF& r) {
    QPainterPath path;
    const double w = r.width(), h = r.height();
    path.moveTo(r.left() + w * 0.5, r.top());
    path.cubicTo(r.left() + w * 0.95, r.top(), r.right(), r.top() + h * 0.2, r.right(),
                 r.top() + h * 0.45);
    path.cubicTo(r.right(), r.top() + h * 0.8, r.left() + w * 0.8, r.bottom(), r.left() + w * 0.5,
                 r.bottom());
    path.cubicTo(r.left() + w * 0.2, r.bottom(), r.left(), r.top() + h * 0.8, r.left(),
                 r.top() + h * 0.45);
    path.cubicTo(r.left(), r.top() + h * 0.2, r.left() + w * 0.05, r.top(), r.left() + w * 0.5,
                 r.top());
    return path;
}

void DrawMouse(QPainter& p, const QRectF& r, const QColor& line, const QColor& wheel, double width,
               bool filled) {
    const QPainterPath shell = MouseShell(r);
    if (filled) {
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, QColor(0x3A, 0x40, 0x4C));
        g.setColorAt(1, QColor(0x1A, 0x1D, 0x23));
        p.fillPath(shell, g);
    }
    p.setPen(Stroke(line, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shell);
    const double cx = r.center().x();
    const double split = r.top() + r.height() * 0.42;
    p.drawLine(QPointF(cx, r.top() + width), QPointF(cx, split));
    p.drawLine(QPointF(r.left() + width * 0.5, split), QPointF(r.right() - width * 0.5, split));
    const double ww = r.width() * 0.14, wh = r.height() * 0.18;
    p.setPen(Qt::NoPen);
    p.setBrush(wheel);
    p.drawRoundedRect(QRectF(cx - ww / 2, r.top() + r.height() * 0.12, ww, wh), ww / 2, ww / 2);
}

void ProgramIcon(QPainter& p, double w, double h) {
    const QRectF tile(w * 0.03, h * 0.03, w * 0.94, h * 0.94);
    QLinearGradient bg(tile.topLeft(), tile.bottomRight());
    bg.setColorAt(0, QColor(0x24, 0x29, 0x33));
    bg.setColorAt(1, QColor(0x12, 0x14, 0x19));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(tile, w * 0.22, h * 0.22);
    QRadialGradient glow(QPointF(w * 0.5, h * 0.55), w * 0.45);
    glow.setColorAt(0, QColor(0x18, 0xC8, 0xD6, 90));
    glow.setColorAt(1, QColor(0x18, 0xC8, 0xD6, 0));
    p.setBrush(glow);
    p.drawRoundedRect(tile, w * 0.22, h * 0.22);
    const QRectF body(w * 0.28, h * 0.16, w * 0.44, h * 0.68);
    DrawMouse(p, body, kAccent, kText, std::max(1.5, w * 0.045), false);
}

void WiredGlyph(QPainter& p, double w, double h) {
    // A USB plug on its cable.
    p.setPen(Stroke(kAccent, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(w * 0.3, h * 0.12, w * 0.4, h * 0.42), 1.5, 1.5);
    p.drawLine(QPointF(w * 0.42, h * 0.24), QPointF(w * 0.42, h * 0.34));
    p.drawLine(QPointF(w * 0.58, h * 0.24), QPointF(w * 0.58, h * 0.34));
    p.drawLine(QPointF(w * 0.5, h * 0.54), QPointF(w * 0.5, h * 0.9));
}

void WirelessGlyph(QPainter& p, double w, double h) {
    // Radio waves over a dot: the 2.4 GHz receiver.
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const QPointF c(w * 0.5, h * 0.78);
    p.drawEllipse(c, w * 0.09, w * 0.09);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(kAccent, 1.7));
    for (int i = 1; i <= 3; ++i) {
        const double r = w * 0.14 * i + w * 0.04;
        p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
    }
}

void BleGlyph(QPainter& p, double w, double h) {
    // The Bluetooth rune.
    QPainterPath rune;
    rune.moveTo(w * 0.3, h * 0.32);
    rune.lineTo(w * 0.68, h * 0.66);
    rune.lineTo(w * 0.5, h * 0.84);
    rune.lineTo(w * 0.5, h * 0.16);
    rune.lineTo(w * 0.68, h * 0.34);
    rune.lineTo(w * 0.3, h * 0.68);
    p.setPen(Stroke(kAccent, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rune);
}

void Chevron(QPainter& p, double w, double h, bool open) {
    p.setPen(Stroke(kTextDim, 1.6));
    QPainterPath path;
    if (open) {
        path.moveTo(w * 0.2, h * 0.35);
        path.lineTo(w * 0.5, h * 0.65);
        path.lineTo(w * 0.8, h * 0.35);
    } else {
        path.moveTo(w * 0.35, h * 0.2);
        path.lineTo(w * 0.65, h * 0.5);
        path.lineTo(w * 0.35, h * 0.8);
    }
    p.drawPath(path);
}

void Radio(QPainter& p, double w, double h, bool on) {
    const QRectF outer(1, 1, w - 2, h - 2);
    p.setPen(Stroke(on ? kAccent : kBorder, 1.4));
    p.setBrush(kPanel);
    p.drawEllipse(outer);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawEllipse(outer.center(), w * 0.22, h * 0.22);
    }
}

void Check(QPainter& p, double w, double h, bool on) {
    const QRectF box(1, 1, w - 2, h - 2);
    p.setPen(on ? Qt::NoPen : Stroke(kBorder, 1.4));
    p.setBrush(on ? kAccent : kPanel);
    p.drawRoundedRect(box, 3, 3);
    if (on) {
        p.setPen(Stroke(QColor(0x10, 0x12, 0x16), 2.0));
        QPainterPath tick;
        tick.moveTo(w * 0.25, h * 0.52);
        tick.lineTo(w * 0.43, h * 0.7);
        tick.lineTo(w * 0.76, h * 0.32);
        p.drawPath(tick);
    }
}

void Toggle(QPainter& p, double w, double h, bool on) {
    // Switch for the section headers: knob right and accent when the section is shown.
    const QRectF track(1, 1, w - 2, h - 2);
    p.setPen(Qt::NoPen);
    p.setBrush(on ? kAccentDeep : QColor(0x45, 0x4C, 0x5A));
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const double r = track.height() / 2 - 2;
    const QPointF c(on ? track.right() - r - 2 : track.left() + r + 2, track.center().y());
    p.setBrush(on ? kText : kTextDim);
    p.drawEllipse(c, r, r);
}

void WindowGlyph(QPainter& p, double w, double h, bool close, const QColor& colour) {
    p.setPen(Stroke(colour, 1.5));
    if (close) {
        p.drawLine(QPointF(w * 0.25, h * 0.25), QPointF(w * 0.75, h * 0.75));
        p.drawLine(QPointF(w * 0.75, h * 0.25), QPointF(w * 0.25, h * 0.75));
    } else {
        p.drawLine(QPointF(w * 0.22, h * 0.55), QPointF(w * 0.78, h * 0.55));
    }
}

void KeyCap(QPainter& p, double w, double h) {
    const QRectF cap(1, 1, w - 2, h - 2);
    p.setPen(Stroke(kBorder, 1.2));
    p.setBrush(kControl);
    p.drawRoundedRect(cap, 3, 3);
    p.setPen(Stroke(QColor(0x5A, 0x63, 0x72), 1.0));
    p.drawLine(QPointF(4, h - 4), QPointF(w - 4, h - 4));
}

void SmallMouse(QPainter& p, double w, double h) {
    DrawMouse(p, QRectF(w * 0.18, h * 0.06, w * 0.64, h * 0.88), kTextDim, kAccent, 1.4, true);
}

void KeyArrow(QPainter& p, double w, double h, bool down) {
    // An arrow pressing onto (down) or lifting off (up) a key top.
    const QColor c = down ? kAccent : kTextDim;
    p.setPen(Stroke(c, 1.6));
    const double base = h * 0.86;
    p.drawLine(QPointF(w * 0.15, base), QPointF(w * 0.85, base));
    const double top = h * 0.14, tip = down ? base - 3 : top, tail = down ? top : base - 3;
    p.drawLine(QPointF(w * 0.5, tail), QPointF(w * 0.5, tip));
    const double dir = down ? -1 : 1;
    p.drawLine(QPointF(w * 0.5, tip), QPointF(w * 0.25, tip + dir * w * 0.25));
    p.drawLine(QPointF(w * 0.5, tip), QPointF(w * 0.75, tip + dir * w * 0.25));
}

void Ring(QPainter& p, double w, double h) {
    p.setPen(Stroke(kControl, 2.5));
    const QRectF r(2, 2, w - 4, h - 4);
    p.drawEllipse(r);
    p.setPen(Stroke(kAccent, 2.5));
    p.drawArc(r, 90 * 16, -270 * 16);
}

void SliderThumb(QPainter& p, double w, double h, bool hot) {
    p.setPen(Stroke(hot ? kText : QColor(0x10, 0x12, 0x16), 1.5));
    p.setBrush(kAccent);
    p.drawEllipse(QRectF(1.5, 1.5, w - 3, h - 3));
}

void ComboArrow(QPainter& p, double w, double h) {
    p.setPen(Stroke(kTextDim, 1.5));
    QPainterPath path;
    path.moveTo(w * 0.15, h * 0.25);
    path.lineTo(w * 0.5, h * 0.75);
    path.lineTo(w * 0.85, h * 0.25);
    p.drawPath(path);
}

void RecordDot(QPainter& p, double w, double h) {
    p.setPen(Qt::NoPen);
    p.setBrush(kDanger);
    p.drawEllipse(QRectF(w * 0.15, h * 0.15, w * 0.7, h * 0.7));
}

void Moon(QPainter& p, double w, double h) {
    // The mouse is asleep.
    QPainterPath disc;
    disc.addEllipse(QRectF(w * 0.15, h * 0.15, w * 0.7, h * 0.7));
    QPainterPath bite;
    bite.addEllipse(QRectF(w * 0.38, h * 0.05, w * 0.6, h * 0.6));
    p.fillPath(disc.subtracted(bite), kTextDim);
}

void LargeMouse(QPainter& p, double w, double h) {
    QRadialGradient glow(QPointF(w * 0.5, h * 0.55), w * 0.55);
    glow.setColorAt(0, QColor(0x18, 0xC8, 0xD6, 60));
    glow.setColorAt(1, QColor(0x18, 0xC8, 0xD6, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawRect(QRectF(0, 0, w, h));
    DrawMouse(p, QRectF(w * 0.2, h * 0.08, w * 0.6, h * 0.84), kBorder, kAccent, 3, true);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <res folder>\n", argv[0]);
        return 2;
    }
    g_dir = QString::fromLocal8Bit(argv[1]);

    // Icon ids of the program: 107 for the window and the tray, 108 its small variant.
    Save("icon107", 256, 256, ProgramIcon, false);
    Save("icon108", 32, 32, ProgramIcon, false);
    g_dir += "/skins";
    Save("logo", 22, 22, ProgramIcon);
    Save("link_wired", 20, 20, WiredGlyph);
    Save("link_wireless", 20, 20, WirelessGlyph);
    Save("link_ble", 20, 20, BleGlyph);
    Save("section_open", 12, 12, [](QPainter& p, double w, double h) { Chevron(p, w, h, true); });
    Save("section_closed", 12, 12,
         [](QPainter& p, double w, double h) { Chevron(p, w, h, false); });
    Save("radio_off", 16, 16, [](QPainter& p, double w, double h) { Radio(p, w, h, false); });
    Save("radio_on", 16, 16, [](QPainter& p, double w, double h) { Radio(p, w, h, true); });
    Save("check_off", 16, 16, [](QPainter& p, double w, double h) { Check(p, w, h, false); });
    Save("check_on", 16, 16, [](QPainter& p, double w, double h) { Check(p, w, h, true); });
    Save("toggle_off", 30, 16, [](QPainter& p, double w, double h) { Toggle(p, w, h, false); });
    Save("toggle_on", 30, 16, [](QPainter& p, double w, double h) { Toggle(p, w, h, true); });
    Save("min", 14, 14,
         [](QPainter& p, double w, double h) { WindowGlyph(p, w, h, false, kTextDim); });
    Save("min_hot", 14, 14,
         [](QPainter& p, double w, double h) { WindowGlyph(p, w, h, false, kText); });
    Save("close", 14, 14,
         [](QPainter& p, double w, double h) { WindowGlyph(p, w, h, true, kTextDim); });
    Save("close_hot", 14, 14,
         [](QPainter& p, double w, double h) { WindowGlyph(p, w, h, true, kText); });
    Save("keyboard_key_action", 30, 18, KeyCap);
    Save("mouse", 24, 28, SmallMouse);
    Save("macro_key_down", 16, 18,
         [](QPainter& p, double w, double h) { KeyArrow(p, w, h, true); });
    Save("macro_key_up", 16, 18, [](QPainter& p, double w, double h) { KeyArrow(p, w, h, false); });
    Save("apply_ring", 20, 20, Ring);
    Save("slider_thumb", 14, 14,
         [](QPainter& p, double w, double h) { SliderThumb(p, w, h, false); });
    Save("slider_thumb_hot", 14, 14,
         [](QPainter& p, double w, double h) { SliderThumb(p, w, h, true); });
    Save("combo_arrow", 10, 6, ComboArrow);
    Save("record", 12, 12, RecordDot);
    Save("sleep", 16, 16, Moon);
    Save("mouse_large", 120, 160, LargeMouse);
    return 0;
}
