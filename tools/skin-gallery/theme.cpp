#include "theme.h"

#include <QDir>
#include <QFile>

#include "skin/paint_manager.h"
#include "skin/skin_text.h"

namespace nimba::gallery {

bool ApplyTheme(const QString& res_dir) {
    QFile sheet(QDir(res_dir).filePath("theme.qss"));
    if (!sheet.open(QIODevice::ReadOnly)) return false;
    QDir::setSearchPaths("skin", {res_dir});
    CPaintManagerUI::SetStyleSheet(skin::FromQ(QString::fromUtf8(sheet.readAll())));
    return true;
}

}  // namespace nimba::gallery
