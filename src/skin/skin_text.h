#pragma once

// Text crossing between the skin API (UTF-16, as the windows above it are written) and Qt.

#include <QString>
#include <string>
#include <string_view>

namespace nimba::skin {

inline QString ToQ(std::u16string_view s) {
    return QString(reinterpret_cast<const QChar*>(s.data()), static_cast<qsizetype>(s.size()));
}
inline std::u16string FromQ(const QString& s) {
    return s.toStdU16String();
}

}  // namespace nimba::skin
