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

// A picture that a window still shows is never decoded again; one that nobody holds any more
// is kept only among the recent few small ones.
TEST(PictureCache, PicturesInUseStayAndThoseGoneMakeRoom)
{
    tsupport::TempInstall install;
    // A window-sized screenshot is more than the bound on its own; a button's face is not.
    const QString big = install.writePicture("data/100003.mxy", {800, 600}, Qt::red, "BMP");
    const QString other = install.writePicture("data/100004.mxy", {800, 600}, Qt::blue, "BMP");
    const QString small = install.writePicture("data/100005.mxy", {240, 40}, Qt::green, "BMP");

    std::optional<QPixmap> shown = vb::LoadPicture(big);
    ASSERT_TRUE(shown);
    quint64 decoded = vb::picturesDecoded();
    vb::LoadPicture(other);
    EXPECT_EQ(colourOf(vb::LoadPicture(big)), QColor(Qt::red));
    EXPECT_EQ(vb::picturesDecoded(), decoded + 1) << "the shown picture is not decoded again";

    shown.reset();
    vb::LoadPicture(small);
    decoded = vb::picturesDecoded();
    EXPECT_EQ(colourOf(vb::LoadPicture(small)), QColor(Qt::green));
    EXPECT_EQ(vb::picturesDecoded(), decoded) << "a recent picture is kept";
    EXPECT_EQ(colourOf(vb::LoadPicture(big)), QColor(Qt::red));
    EXPECT_EQ(vb::picturesDecoded(), decoded + 1) << "a large picture nobody holds is given back";
}

// A picture decoded ahead is taken only for the version of the file it was decoded from; a file
// that cannot be read ahead is reported by the load that asks for it, and only then.
TEST(PictureCache, PicturesDecodedAheadAreTakenOnlyAsTheyStand)
{
    tsupport::TempInstall install;
    const QString kept = install.writePicture("data/100006.mxy", {8, 8}, Qt::red);
    const QString changed = install.writePicture("data/100007.mxy", {8, 8}, Qt::red);
    const QString missing = install.path("data/100008.mxy");
    const QString broken = install.path("data/100009.mxy");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("no picture");
    }
    vb::decodeAhead({kept, changed, missing, broken});
    vb::waitForDecodeAhead();
    const quint64 decoded = vb::picturesDecoded();

    install.writePicture("data/100007.mxy", {8, 8}, Qt::blue);
    QFile f(changed);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    f.close();

    EXPECT_EQ(colourOf(vb::LoadPicture(kept)), QColor(Qt::red));
    EXPECT_EQ(vb::picturesDecoded(), decoded) << "taken as decoded ahead";
    EXPECT_EQ(colourOf(vb::LoadPicture(changed)), QColor(Qt::blue));
    vb::Error err;
    EXPECT_FALSE(vb::LoadPicture(missing, &err));
    EXPECT_EQ(err.number, 53);
    EXPECT_FALSE(vb::LoadPicture(broken, &err));
    EXPECT_EQ(err.number, 481);
}

} // namespace
