#include "skin/attribute_values.h"

#include <QStringList>

namespace nimba::skin {

DWORD ParseColor(const QString& text) {
    QString t = text.trimmed();
    if (t.startsWith('#')) {
        t = t.mid(1);
    } else if (t.startsWith("0x", Qt::CaseInsensitive)) {
        t = t.mid(2);
    }
    bool ok = false;
    DWORD value = t.toUInt(&ok, 16);
    if (!ok) return 0;
    if (t.size() <= 6) value |= 0xFF000000u;
    return value;
}

QColor ToQColor(DWORD argb) {
    return QColor((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, (argb >> 24) & 0xFF);
}

bool ParseBool(const QString& text) {
    return text.trimmed().compare("true", Qt::CaseInsensitive) == 0 || text.trimmed() == "1";
}

int ParseInt(const QString& text, int fallback) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? v : fallback;
}

RECT ParseRectValue(const QString& text) {
    const QStringList parts = text.split(',');
    RECT r;
    if (parts.size() == 4) {
        r.left = ParseInt(parts[0]);
        r.top = ParseInt(parts[1]);
        r.right = ParseInt(parts[2]);
        r.bottom = ParseInt(parts[3]);
    }
    return r;
}

SIZE ParseSizeValue(const QString& text) {
    const QStringList parts = text.split(',');
    SIZE s;
    if (parts.size() == 2) {
        s.cx = ParseInt(parts[0]);
        s.cy = ParseInt(parts[1]);
    }
    return s;
}

}  // namespace nimba::skin
