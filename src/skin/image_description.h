#pragma once

// An image attribute of a skin: `file='a.png' source='l,t,r,b' dest='l,t,r,b' corner='l,t,r,b'`
// (with align='vcenter') or just a file name. Source picks part of the picture, dest places it
// inside the control, corner keeps the edges unscaled when stretching.

#include <QMargins>
#include <QRect>
#include <QString>

class QPainter;
class QPixmap;

namespace nimba::skin {

struct ImageDescription {
    QString file;
    QRect source;  // null = the whole picture
    QRect dest;    // null = the whole control
    QMargins corner;
    bool vcenter = false;  // align='vcenter': dest moved to the middle of the control's height

    bool empty() const { return file.isEmpty(); }
};

ImageDescription ParseImageDescription(const QString& text);
// "l,t,r,b" as DuiLib writes rectangles (right and bottom exclusive).
QRect ParseRect(const QString& text);
void PaintImage(QPainter& painter, const QRect& area, const ImageDescription& image,
                const QPixmap& picture);

}  // namespace nimba::skin
