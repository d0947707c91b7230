#include "platform/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cstring>

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

namespace {

// Matches each name part of `path` against the folder it lies in, the case ignored, as far as
// the parts exist; the first part that does not exist and the rest keep their own spelling.
// Returns the path found and whether every part exists.
std::pair<QString, bool> matchParts(const QString& path)
{
    const QString clean = QDir::cleanPath(QDir::fromNativeSeparators(path));
    const QStringList parts = clean.split(u'/');
    const bool absolute = clean.startsWith(u'/');
    QString cur = absolute ? QStringLiteral("/") : QStringLiteral(".");
    auto join = [](const QString& folder, const QString& name) { return folder == u'/' ? folder + name : folder + u'/' + name; };
    bool whole = true;
    for (int i = absolute ? 1 : 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty())
            continue;
        const QString exact = join(cur, part);
        if (!whole || QFileInfo::exists(exact)) {
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
        whole = !found.isEmpty();
        cur = join(cur, whole ? found : part);
    }
    if (!absolute && cur.startsWith(QStringLiteral("./")))
        cur = cur.mid(2);
    return {cur, whole};
}

} // namespace

QString resolvePath(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    const auto [found, whole] = matchParts(path);
    return whole ? found : path;
}

QString resolvePathForWrite(const QString& path)
{
    if (path.isEmpty() || QFileInfo::exists(path))
        return path;
    return matchParts(path).first;
}

QStringList gbkLines(const QByteArray& bytes)
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

std::optional<QStringList> readLines(const QString& path)
{
    QFile f(resolvePath(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return gbkLines(f.readAll());
}

std::optional<QString> readLineAt(const QString& path, int n)
{
    QFile f(resolvePath(path));
    if (path.isEmpty() || !f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The step file is read up to its wanted line at every step: the line ends are found in the
    // raw bytes (CR and LF never occur inside a GBK character) and only that line is decoded.
    QByteArray owned;
    const char* data = nullptr;
    qsizetype size = f.size();
    if (size > 0) {
        if (uchar* mapped = f.map(0, size)) {
            data = reinterpret_cast<const char*>(mapped);
        } else {
            owned = f.readAll();
            data = owned.constData();
            size = owned.size();
        }
    }
    qsizetype lastStart = -1;
    qsizetype lastEnd = -1;
    int count = 0;
    qsizetype start = 0;
    while (start < size) {
        const auto* lf = static_cast<const char*>(std::memchr(data + start, '\n', static_cast<size_t>(size - start)));
        const qsizetype next = lf ? lf - data + 1 : size;
        // Every CR before the LF belongs to its line end; a lone CR inside ends a line too.
        qsizetype end = lf ? lf - data : size;
        while (end > start && data[end - 1] == '\r')
            --end;
        qsizetype from = start;
        for (;;) {
            const auto* cr = static_cast<const char*>(std::memchr(data + from, '\r', static_cast<size_t>(end - from)));
            const qsizetype to = cr ? cr - data : end;
            lastStart = from;
            lastEnd = to;
            if (++count == n)
                return fromGbk(QByteArray::fromRawData(data + from, to - from));
            if (!cr)
                break;
            from = to + 1;
        }
        start = next;
    }
    if (lastStart < 0)
        return std::nullopt;
    return fromGbk(QByteArray::fromRawData(data + lastStart, lastEnd - lastStart));
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

namespace {
std::function<bool(const QString&)>& commitHook()
{
    static std::function<bool(const QString&)> hook;
    return hook;
}
} // namespace

void setSaveCommitHook(std::function<bool(const QString& path)> hook) { commitHook() = std::move(hook); }

bool saveText(const QString& path, const QString& text) { return saveBytes(path, toGbk(text)); }

bool saveBytes(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    if (const auto& hook = commitHook(); hook && !hook(path)) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace platform
