#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

QByteArray toGbk(const QString& text)
{
    QStringEncoder enc("GB18030");
    return enc.encode(text);
}

QString fromGbk(const QByteArray& bytes)
{
    QStringDecoder dec("GB18030");
    return dec.decode(bytes);
}

QString resolvePath(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    QStringList parts = clean.split(u'/');
    QString cur;
    int start = 0;
    if (clean.startsWith(u'/')) {
        cur = QStringLiteral("/");
        start = 1;
    } else {
        cur = QStringLiteral(".");
    }
    for (int i = start; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty())
            continue;
        const QString exact = cur == u'/' ? cur + part : cur + u'/' + part;
        if (QFileInfo::exists(exact)) {
            cur = exact;
            continue;
        }
        const QStringList names = QDir(cur).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        QString found;
        for (const QString& n : names)
            if (n.compare(part, Qt::CaseInsensitive) == 0) {
                found = n;
                break;
            }
        if (found.isEmpty())
            return path;
        cur = cur == u'/' ? cur + found : cur + u'/' + found;
    }
    if (!clean.startsWith(u'/') && cur.startsWith(QStringLiteral("./")))
        cur = cur.mid(2);
    return cur;
}

namespace {

// Splits GBK bytes into lines; a final line end does not make an extra empty line.
QStringList splitLines(const QByteArray& bytes)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines << fromGbk(bytes.mid(start, i - start));
            if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines << fromGbk(bytes.mid(start));
    return lines;
}

} // namespace

std::optional<QStringList> readLines(const QString& path)
{
    QFile f(resolvePath(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return splitLines(f.readAll());
}

std::optional<QString> readLineAt(const QString& path, int n)
{
    QFile f(resolvePath(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::optional<QString> last;
    int count = 0;
    while (!f.atEnd()) {
        QByteArray raw = f.readLine();
        // readLine splits at LF only; a lone CR inside the text is a line end too.
        while (raw.endsWith('\n') || raw.endsWith('\r'))
            raw.chop(1);
        const QStringList parts = raw.contains('\r') ? splitLines(raw) : QStringList{fromGbk(raw)};
        for (const QString& line : parts) {
            last = line;
            if (++count == n)
                return last;
        }
    }
    return last;
}

bool appendText(const QString& path, const QString& text)
{
    if (path.isEmpty())
        return false;
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray bytes = toGbk(text);
    return f.write(bytes) == bytes.size();
}

bool saveText(const QString& path, const QString& text)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = toGbk(text);
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace platform
