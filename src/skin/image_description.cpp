#include "skin/image_description.h"

#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QStringList>

namespace nimba::skin {

QRect ParseRect(const QString& text) {
    const QStringList parts = text.split(',');
    if (parts.size() != 4) return {};
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return {};
    }
    return QRect(QPoint(v[0], v[1]), QPoint(v[2] - 1, v[3] - 1));
}

ImageDescription ParseImageDescription(const QString& text) {
    ImageDescription image;
    if (!text.contains('=')) {
        image.file = text.trimmed();
        return image;
    }
    static const QRegularExpression pair(R"((\w+)\s*=\s*'([^']*)')");
    for (auto it = pair.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        const QString key = m.captured(1);
        const QString value = m.captured(2);
        if (key == "file" || key == "res") {
            image.file = value;
        } else if (key == "source") {
            image.source = ParseRect(value);
        } else if (key == "dest") {
            image.dest = ParseRect(value);
        } else if (key == "corner") {
            const QRect c = ParseRect(value);
            image.corner = QMargins(c.left(), c.top(), c.right() + 1, c.bottom() + 1);
        } else if (key == "align") {
            image.vcenter = value.contains("vcenter");
        }
    }
    return image;
}

void PaintImage(QPainter& painter, const QRect& area, const ImageDescription& image,
                const QPixmap& picture) {
    if (picture.isNull()) return;
    const QRect src = image.source.isNull() ? picture.rect() : image.source;
    QRect dst = image.dest.isNull() ? area : image.dest.translated(area.topLeft());
    if (image.vcenter && !image.dest.isNull())
        dst.moveTop(area.top() + (area.height() - dst.height()) / 2);
    const QMargins& c = image.corner;
    if (c.isNull()) {
        painter.drawPixmap(dst, picture, src);
        return;
    }
    // Nine pieces: corners copied as they are, edges and middle stretched.
    const int sx[4] = {src.left(), src.left() + c.left(), src.right() + 1 - c.right(),
                       src.right() + 1};
    const int sy[4] = {src.top(), src.top() + c.top(), src.bottom() + 1 - c.bottom(),
                       src.bottom() + 1};
    const int dx[4] = {dst.left(), dst.left() + c.left(), dst.right() + 1 - c.right(),
                       dst.right() + 1};
    const int dy[4] = {dst.top(), dst.top() + c.top(), dst.bottom() + 1 - c.bottom(),
                       dst.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRect s(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1));
            const QRect d(QPoint(dx[col], dy[row]), QPoint(dx[col + 1] - 1, dy[row + 1] - 1));
            if (s.isValid() && d.isValid()) painter.drawPixmap(d, picture, s);
        }
    }
}

}  // namespace nimba::skin
