#include "output.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringEncoder>
#include <cstdio>

namespace samplegen {

namespace {

// GB18030 agrees with GBK on every two-byte code; its four-byte codes (second byte a digit)
// are the characters GBK lacks.
bool isFourByteStart(const QByteArray& bytes, qsizetype i)
{
    return i + 1 < bytes.size() && bytes[i + 1] >= '0' && bytes[i + 1] <= '9';
}

} // namespace

std::optional<QByteArray> toGbk(const QString& text)
{
    QStringEncoder encoder("GB18030");
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80)
            continue;
        if (isFourByteStart(bytes, i) || i + 1 >= bytes.size())
            return std::nullopt;
        ++i;
    }
    return bytes;
}

std::optional<QString> toSixDigit(const QString& text)
{
    const std::optional<QByteArray> bytes = toGbk(text);
    if (!bytes)
        return std::nullopt;
    QString out;
    for (qsizetype i = 0; i < bytes->size(); ++i) {
        int code = static_cast<unsigned char>((*bytes)[i]);
        if (code >= 0x80) {
            code = code * 256 + static_cast<unsigned char>((*bytes)[i + 1]);
            ++i;
        }
        out += QString::number(200000 + code);
    }
    return out;
}

Output::Output(QString root) : root_(std::move(root)) {}

QString Output::path(const QString& relative) const
{
    return QDir(root_).filePath(relative);
}

bool Output::exists(const QString& relative) const
{
    return QFileInfo::exists(path(relative));
}

void Output::fail(const QString& message)
{
    std::fprintf(stderr, "talvesk-samplegen: %s\n", qPrintable(message));
    ++failures_;
}

bool Output::makeDir(const QString& relative)
{
    if (QDir(root_).mkpath(relative))
        return true;
    fail(QStringLiteral("cannot create the folder %1").arg(path(relative)));
    return false;
}

bool Output::writeBytes(const QString& relative, const QByteArray& bytes)
{
    const QString target = path(relative);
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) {
        fail(QStringLiteral("cannot create the folder of %1").arg(target));
        return false;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        fail(QStringLiteral("cannot write %1: %2").arg(target, file.errorString()));
        return false;
    }
    return true;
}

bool Output::writeGbkLines(const QString& relative, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        const std::optional<QByteArray> encoded = toGbk(line);
        if (!encoded) {
            fail(QStringLiteral("%1: a character outside GBK in \"%2\"").arg(relative, line));
            return false;
        }
        bytes += *encoded + "\r\n";
    }
    return writeBytes(relative, bytes);
}

bool Output::writeSixDigitLines(const QString& relative, const QStringList& lines)
{
    QStringList encodedLines;
    for (const QString& line : lines) {
        const std::optional<QString> encoded = toSixDigit(line);
        if (!encoded) {
            fail(QStringLiteral("%1: a character outside GBK in \"%2\"").arg(relative, line));
            return false;
        }
        encodedLines << *encoded;
    }
    // The six-digit text is plain ASCII, so the GBK writer passes it through unchanged.
    return writeGbkLines(relative, encodedLines);
}

bool Output::writePicture(const QString& relative, const QImage& image)
{
    const QString key = relative.toLower();
    if (pictures_.contains(key)) {
        fail(QStringLiteral("two pictures are named %1").arg(relative));
        return false;
    }
    pictures_.insert(key);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "PNG")) {
        fail(QStringLiteral("cannot encode the picture %1").arg(relative));
        return false;
    }
    return writeBytes(relative, png);
}

std::optional<QStringList> readSourceLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final line end makes no extra entry
    return lines;
}

} // namespace samplegen
