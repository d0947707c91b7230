#include "platform/vb_picture.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>

namespace {

QColor colourOf(const std::optional<QPixmap>& p) { return p ? p->toImage().pixelColor(0, 0) : QColor(); }

// Pictures are decoded once per version of their file: a file rewritten with the same size but a
// new time, or removed, is never answered from what was decoded before.
TEST(PictureCache, AChangedOrRemovedFileIsNeverAnsweredFromThePast)
{
    tsupport::TempInstall install;
    const QString path = install.writePicture("data/100001.mxy", {8, 8}, Qt::red, "BMP");
    EXPECT_EQ(colourOf(vb::LoadPicture(path)), QColor(Qt::red));
    EXPECT_EQ(colourOf(vb::LoadPicture(path)), QColor(Qt::red));

    install.writePicture("data/100001.mxy", {8, 8}, Qt::blue, "BMP");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(colourOf(vb::LoadPicture(path)), QColor(Qt::blue));

    ASSERT_TRUE(QFile::remove(path));
    vb::Error err;
    EXPECT_FALSE(vb::LoadPicture(path, &err).has_value());
    EXPECT_EQ(err.number, 53);
}

// A picture replaced by another of the same size and modification time, in place or by a copy
// renamed over it, shows the new picture.
TEST(PictureCache, AReplacementOfTheSameSizeAndTimeIsDecodedAfresh)
{
    tsupport::TempInstall install;
    const QString path = install.writePicture("data/100002.mxy", {8, 8}, Qt::red, "BMP");
    const QDateTime stamp = QFileInfo(path).lastModified();
    const auto replace = [&](const QString& file, const QColor& colour) {
        install.writePicture(file, {8, 8}, colour, "BMP");
        QFile f(install.path(file));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(stamp, QFileDevice::FileModificationTime));
    };
    EXPECT_EQ(colourOf(vb::LoadPicture(path)), QColor(Qt::red));

    replace("data/100002.mxy", Qt::blue);
    EXPECT_EQ(colourOf(vb::LoadPicture(path)), QColor(Qt::blue));

    replace("data/copy.mxy", Qt::green);
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(install.path("data/copy.mxy"), path));
    EXPECT_EQ(colourOf(vb::LoadPicture(path)), QColor(Qt::green));
}

} // namespace
