#pragma once
// Writing the installation: GBK text files with CR LF line ends, the six-digit text of the
// configuration files, pictures (PNG under the installation's ".mxy" names) and raw bytes.
// Every failure is printed and counted, so that one bad file does not hide the others and the
// build still fails at the end.

#include <QByteArray>
#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

namespace samplegen {

// GBK bytes of a text, or nothing when a character has no GBK code (the installations are
// read in GBK, so such a character could never reach the program intact).
std::optional<QByteArray> toGbk(const QString& text);

// The six-digit form of a text: every character's GBK code (the byte, or lead * 256 + trail)
// plus 200000, written as six decimal digits.
std::optional<QString> toSixDigit(const QString& text);

class Output {
public:
    explicit Output(QString root);

    QString path(const QString& relative) const;
    bool exists(const QString& relative) const;

    bool makeDir(const QString& relative);
    bool writeBytes(const QString& relative, const QByteArray& bytes);
    // Lines in GBK, each ended by CR LF.
    bool writeGbkLines(const QString& relative, const QStringList& lines);
    // Lines in the six-digit text, each ended by CR LF.
    bool writeSixDigitLines(const QString& relative, const QStringList& lines);
    // A picture as PNG; the name keeps whatever extension the installation uses. Two pictures
    // under one name in a run fail: the second would silently replace the first.
    bool writePicture(const QString& relative, const QImage& image);

    void fail(const QString& message);
    int failures() const { return failures_; }

private:
    QString root_;
    int failures_ = 0;
    QSet<QString> pictures_; // lower case: the program finds names without regard to case
};

// Lines of a UTF-8 source file under sample/ (LF or CR LF ends), or nothing when unreadable.
std::optional<QStringList> readSourceLines(const QString& path);

} // namespace samplegen
