#include "skin/image_description.h"

#include <QPainter>
#include <QPixmap>
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

namespace {

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c.isMark() || c == u'_';
}

// The next `key='value'` of `text` from `from` on, skipping whatever does not read as one;
// false when none is left. Read by hand: a regular expression engine costs the program's
// start more memory than everything else it parses.
bool NextPair(const QString& text, qsizetype& from, QStringView& key, QStringView& value) {
    const qsizetype size = text.size();
    for (qsizetype start = from; start < size; ++start) {
        qsizetype i = start;
        while (i < size && IsWordChar(text[i])) ++i;
        if (i == start) continue;
        const qsizetype key_end = i;
        while (i < size && text[i].isSpace()) ++i;
        if (i == size || text[i] != u'=') continue;
        ++i;
        while (i < size && text[i].isSpace()) ++i;
        if (i == size || text[i] != u'\'') continue;
        const qsizetype value_start = ++i;
        const qsizetype value_end = text.indexOf(u'\'', value_start);
        if (value_end < 0) continue;
        key = QStringView(text).sliced(start, key_end - start);
        value = QStringView(text).sliced(value_start, value_end - value_start);
        from = value_end + 1;
        return true;
    }
    return false;
}

}  // namespace

ImageDescription ParseImageDescription(const QString& text) {
    ImageDescription image;
    if (!text.contains('=')) {
        image.file = text.trimmed();
        return image;
    }
    qsizetype from = 0;
    QStringView key, value;
    while (NextPair(text, from, key, value)) {
        if (key == u"file" || key == u"res") {
            image.file = value.toString();
        } else if (key == u"source") {
            image.source = ParseRect(value.toString());
        } else if (key == u"dest") {
            image.dest = ParseRect(value.toString());
        } else if (key == u"corner") {
            const QRect c = ParseRect(value.toString());
            image.corner = QMargins(c.left(), c.top(), c.right() + 1, c.bottom() + 1);
        } else if (key == u"align") {
            image.vcenter = value.contains(u"vcenter");
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
