// Every picture a skin, the theme or a window names must exist: a missing one is drawn as
// nothing, with no message anywhere.

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

#include "skin_tree.h"

namespace nimba::test {
namespace {

void ExpectPicture(const QString& name, const QString& named_in) {
    const QImage picture(QDir(UseSourceSkins()).filePath(name));
    EXPECT_FALSE(picture.isNull()) << name.toStdString() << " named in " << named_in.toStdString();
}

TEST(SkinPicturesTest, EveryPictureNamedBySkinsTheThemeAndTheProgramLoads) {
    // Plain file names and file='...' descriptions alike.
    const QRegularExpression in_skin(R"((?:image|file)=["']?(?:file=')?([^"',]+\.png))");
    int named = 0;
    for (QDirIterator it(UseSourceSkins(), {"*.xml"}, QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        const QString path = it.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        const QString text = QString::fromUtf8(file.readAll());
        for (auto m = in_skin.globalMatch(text); m.hasNext(); ++named)
            ExpectPicture(m.next().captured(1), path);
    }
    EXPECT_GT(named, 20);
    // Set at run time: macro action rows, and the program icon (ids 107 and 108) for the
    // window and the tray.
    for (const char* name :
         {"skins/keyboard_key_action.png", "skins/mouse.png", "skins/macro_key_down.png",
          "skins/macro_key_up.png", "icon107.png", "icon108.png"})
        ExpectPicture(name, "the program");
}

}  // namespace
}  // namespace nimba::test
