// The gallery renders the skins offscreen; each picture must show something.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QSet>

namespace {

TEST(GalleryPictureTest, EverySkinRendersToAPictureThatIsNotBlank) {
#ifndef NIMBA_SKIN_GALLERY
    GTEST_SKIP() << "the gallery is not part of this build";
#else
    const QString out = NIMBA_SCREENSHOT_DIR;
    QDir(out).removeRecursively();
    QProcess gallery;
    gallery.start(NIMBA_SKIN_GALLERY, {QString(NIMBA_SOURCE_RES), out});
    ASSERT_TRUE(gallery.waitForFinished(60000));
    EXPECT_EQ(gallery.exitCode(), 0) << gallery.readAllStandardError().toStdString();
    const QStringList pictures = QDir(out).entryList({"*.png"}, QDir::Files);
    ASSERT_FALSE(pictures.isEmpty());
    for (const QString& name : pictures) {
        const QImage image(QDir(out).filePath(name));
        ASSERT_FALSE(image.isNull()) << name.toStdString();
        // A blank or single-colour picture means nothing was laid out or drawn.
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
        }
        EXPECT_GT(colours.size(), 8) << name.toStdString();
    }
#endif
}

}  // namespace
