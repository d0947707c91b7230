#include "platform/vb_controls.h"
#include "platform/vb_form.h"
#include "platform/vb_picture.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <utility>
#include <vector>

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

class HeldPictures : public ::testing::Test {
protected:
    class Window : public vb::Form {
    public:
        vb::Image* Image1 = new vb::Image(this);
        vb::Image* Image2 = new vb::Image(this);
        Window() { Move(0, 0, 3000, 2250); } // 200 x 150 pixels
    };
    void TearDown() override { vb::Forms::unloadAll(); }
    static QColor pixel(QWidget& w, QPoint at) { return w.grab().toImage().pixelColor(at); }
    tsupport::TempInstall install;
};

// A checked file costs no decoding until a control draws it or hands it out, and is decoded
// once however many controls hold it; a file gone since its check shows nothing.
TEST_F(HeldPictures, ACheckedFileIsDecodedWhenFirstDrawn)
{
    const QString path = install.writePicture("data/100010.mxy", {8, 6}, Qt::red);
    const QString gone = install.writePicture("data/100011.mxy", {8, 6}, Qt::blue);
    auto& w = vb::Forms::get<Window>();
    const quint64 before = vb::picturesDecoded();
    w.Image1->setVisible(false);
    w.Image1->setPicture(*vb::CheckPicture(path));
    w.Image2->setPicture(*vb::CheckPicture(gone));
    EXPECT_EQ(w.Image1->Width(), qRound(vb::twX(8))) << "the control takes the picture's size at once";
    ASSERT_TRUE(QFile::remove(gone));
    w.Show();
    EXPECT_EQ(pixel(w, {2, 2}), w.BackColor()) << "a file gone since its check shows nothing";
    EXPECT_EQ(vb::picturesDecoded(), before);

    w.Image1->setVisible(true);
    EXPECT_EQ(pixel(w, {2, 2}), QColor(Qt::red));
    EXPECT_EQ(vb::picturesDecoded(), before + 1);
    w.Image2->setPicture(*vb::CheckPicture(path));
    w.Image2->Move(qRound(vb::twX(20)), 0);
    EXPECT_EQ(pixel(w, {22, 2}), QColor(Qt::red));
    // Set again from an unchanged file, as a page is built again: nothing decoded anew.
    w.Image1->setPicture(*vb::CheckPicture(path));
    EXPECT_EQ(colourOf(w.Image1->Picture()), QColor(Qt::red));
    EXPECT_EQ(vb::picturesDecoded(), before + 1);
}

// A file replaced between its check and its first drawing is checked again then: the control
// takes the new picture's size, and a file that holds no picture any more is reported.
TEST_F(HeldPictures, AFileReplacedSinceItsCheckIsCheckedAgainWhenFirstDrawn)
{
    const QString grown = install.writePicture("data/100014.mxy", {8, 6}, Qt::red);
    const QString spoilt = install.writePicture("data/100015.mxy", {8, 6}, Qt::red);
    auto& w = vb::Forms::get<Window>();
    std::vector<int> failures;
    for (auto [image, path] : {std::pair{w.Image1, grown}, std::pair{w.Image2, spoilt}}) {
        vb::PictureFile file = *vb::CheckPicture(path);
        file.failed = [&failures](const vb::Error& err) { failures.push_back(err.number); };
        image->setPicture(file);
    }
    w.Image2->Move(qRound(vb::twX(100)), 0);
    install.writePicture("data/100014.mxy", {30, 20}, Qt::blue);
    install.writeBytes("data/100015.mxy", "no picture");

    w.Show();
    const QImage shot = w.grab().toImage();
    vb::DoEvents();
    EXPECT_EQ(w.Image1->Width(), qRound(vb::twX(30)));
    EXPECT_EQ(w.Image1->Height(), qRound(vb::twY(20)));
    EXPECT_EQ(pixel(w, {25, 15}), QColor(Qt::blue)) << "drawn whole, not clipped to the old size";
    EXPECT_EQ(failures, std::vector<int>{481});
    EXPECT_EQ(shot.pixelColor(102, 2), w.BackColor());
}

// The window's picture under an opaque picture that covers it is never decoded; once part of it
// shows, it is.
TEST_F(HeldPictures, AWindowPictureWhollyCoveredIsNotDecoded)
{
    const QString under = install.writePicture("data/100012.mxy", {40, 30}, Qt::red);
    const QString over = install.writePicture("data/100013.mxy", {40, 30}, Qt::blue);
    auto& w = vb::Forms::get<Window>();
    w.setPicture(*vb::CheckPicture(under));
    w.Image1->setPicture(vb::LoadPicture(over));
    const quint64 before = vb::picturesDecoded();
    w.Show();
    vb::DoEvents();
    EXPECT_EQ(pixel(w, {5, 5}), QColor(Qt::blue));
    EXPECT_EQ(vb::picturesDecoded(), before);

    w.Image1->Move(qRound(vb::twX(10)), 0);
    EXPECT_EQ(pixel(w, {5, 5}), QColor(Qt::red));
    EXPECT_EQ(pixel(w, {15, 5}), QColor(Qt::blue));
    EXPECT_EQ(vb::picturesDecoded(), before + 1);
}

} // namespace
