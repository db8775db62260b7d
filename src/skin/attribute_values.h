#pragma once

// Attribute value forms of the skin files.

#include <QColor>
#include <QString>
#include <string_view>

#include "platform/win_types.h"
#include "skin/ui_geometry.h"

namespace nimba::skin {

// "#AARRGGBB", "#RRGGBB" (opaque) or "0xAARRGGBB".
DWORD ParseColor(const QString& text);
QColor ToQColor(DWORD argb);
bool ParseBool(const QString& text);
int ParseInt(const QString& text, int fallback = 0);
// "l,t,r,b"
RECT ParseRectValue(const QString& text);
// "w,h"
SIZE ParseSizeValue(const QString& text);

}  // namespace nimba::skin
