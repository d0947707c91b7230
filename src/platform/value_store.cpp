#include "platform/value_store.h"

#include "platform/files.h"

#include <QDir>
#include <QRegularExpression>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace platform {
namespace {

QString& overridePath()
{
    static QString path;
    return path;
}

// A key that holds no value yet still exists: INI groups only exist through their entries, so
// an empty key carries this marker.
const QString KeyMarker = QStringLiteral(".key");

// "Software\\mivo\\" -> "Software/mivo"; empty parts (doubled or trailing separators) dropped.
QString groupOf(const QString& keyPath)
{
    QString p = keyPath;
    p.replace(u'\\', u'/');
    return p.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

bool ensureFolder()
{
    return QDir().mkpath(QFileInfo(ValueStore::filePath()).absolutePath());
}

// The store's file is the INI form that Qt's settings class reads and writes (a section per
// first part of a key path, "@ByteArray(...)" values with C-like escapes, keys with "%XX"
// escapes), so that the stores written before keep reading the same. It is read and written
// here, whole, through the one whole-file rewrite: a failed save keeps the old file.
struct Entry {
    QString key; // the whole key path, "Software/mivo/ProPath07"
    QByteArray value;
};
using Entries = std::vector<Entry>;

bool isHexDigit(char32_t c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int hexValue(char32_t c) { return c <= '9' ? int(c - '0') : c <= 'F' ? int(c - 'A' + 10) : int(c - 'a' + 10); }

void escapeKey(const QString& key, QByteArray& out)
{
    static const char hex[] = "0123456789ABCDEF";
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == u'/') {
            out += '\\';
        } else if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' || c == u'.') {
            out += char(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += hex[c / 16];
            out += hex[c % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(c >> shift) & 0xF];
        }
    }
}

QString unescapeKey(const QString& text)
{
    QString key;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\') {
            key += u'/';
        } else if (c == u'%' && i + 5 < text.size() && text[i + 1] == u'U' &&
                   std::all_of(text.begin() + i + 2, text.begin() + i + 6, [](QChar h) { return isHexDigit(h.unicode()); })) {
            char16_t v = 0;
            for (qsizetype k = i + 2; k < i + 6; ++k)
                v = char16_t(v * 16 + hexValue(text[k].unicode()));
            key += QChar(v);
            i += 5;
        } else if (c == u'%' && i + 2 < text.size() && isHexDigit(text[i + 1].unicode()) && isHexDigit(text[i + 2].unicode())) {
            key += QChar(char16_t(hexValue(text[i + 1].unicode()) * 16 + hexValue(text[i + 2].unicode())));
            i += 2;
        } else {
            key += c;
        }
    }
    return key;
}

// A value as the settings class writes a byte array: "@ByteArray(" and the bytes as Latin-1,
// control and non-ASCII bytes escaped ("\xHH"; a hex digit right after such an escape escaped
// too, so that it does not join it), quoted when it holds a separator or starts or ends with a
// space.
void escapeValue(const QByteArray& bytes, QByteArray& out)
{
    const QByteArray text = "@ByteArray(" + bytes + ')';
    const qsizetype start = out.size();
    bool quotes = false;
    bool escapeNextIfDigit = false;
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == ';' || c == ',' || c == '=')
            quotes = true;
        if (escapeNextIfDigit && isHexDigit(c)) {
            out += "\\x" + QByteArray::number(c, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (c) {
        case '\0': out += "\\0"; escapeNextIfDigit = true; break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\': out += '\\'; out += char(c); break;
        default:
            if (c <= 0x1F || c >= 0x7F) {
                out += "\\x" + QByteArray::number(c, 16);
                escapeNextIfDigit = true;
            } else {
                out += char(c);
            }
        }
    }
    if (quotes || out.at(start) == ' ' || out.back() == ' ') {
        out.insert(start, '"');
        out += '"';
    }
}

// The text of a value: quoted parts and bare parts with their escapes, the bare parts' outer
// spaces dropped, a ";" outside quotes starting a comment.
QString unescapeValue(const QString& text)
{
    QString out;
    bool inQuotes = false;
    qsizetype keptSpaces = 0; // bare spaces at the end of `out`, dropped when nothing follows
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && !inQuotes && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    while (i < n) {
        const QChar c = text[i];
        if (c == u'"') {
            inQuotes = !inQuotes;
            keptSpaces = 0;
            ++i;
        } else if (c == u'\\' && i + 1 < n) {
            const char16_t e = text[i + 1].unicode();
            i += 2;
            keptSpaces = 0;
            switch (e) {
            case u'a': out += u'\a'; break;
            case u'b': out += u'\b'; break;
            case u'f': out += u'\f'; break;
            case u'n': out += u'\n'; break;
            case u'r': out += u'\r'; break;
            case u't': out += u'\t'; break;
            case u'v': out += u'\v'; break;
            case u'x': {
                uint v = 0;
                while (i < n && isHexDigit(text[i].unicode()))
                    v = (v * 16 + uint(hexValue(text[i++].unicode()))) & 0xFFFF;
                out += QChar(char16_t(v));
                break;
            }
            default:
                if (e >= u'0' && e <= u'7') {
                    uint v = e - u'0';
                    while (i < n && text[i] >= u'0' && text[i] <= u'7')
                        v = (v * 8 + (text[i++].unicode() - u'0')) & 0xFFFF;
                    out += QChar(char16_t(v));
                } else {
                    out += QChar(e);
                }
            }
        } else if (!inQuotes && c == u';') {
            break;
        } else {
            if (!inQuotes && (c == u' ' || c == u'\t'))
                ++keptSpaces;
            else
                keptSpaces = 0;
            out += c;
            ++i;
        }
    }
    out.chop(keptSpaces);
    return out;
}

// The bytes a value stands for, as the settings class gives them to a reader of byte arrays.
QByteArray valueBytes(const QString& text)
{
    if (text.startsWith(QStringLiteral("@ByteArray(")) && text.endsWith(u')'))
        return text.mid(11, text.size() - 12).toLatin1();
    if (text.startsWith(QStringLiteral("@String(")) && text.endsWith(u')'))
        return text.mid(8, text.size() - 9).toUtf8();
    if (text.startsWith(QStringLiteral("@@")))
        return text.mid(1).toUtf8();
    return text.toUtf8();
}

Entries::iterator findEntry(Entries& entries, const QString& key)
{
    return std::find_if(entries.begin(), entries.end(), [&key](const Entry& e) { return e.key == key; });
}

Entries parse(const QByteArray& bytes)
{
    Entries entries;
    QString section;
    const QStringList lines = QString::fromUtf8(bytes).split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString line = lines[i];
        // A line ending in a backslash goes on in the next.
        while (line.endsWith(u'\\') && !line.endsWith(QStringLiteral("\\\\")) && i + 1 < lines.size())
            line = line.chopped(1) + lines[++i];
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
            continue;
        if (t.startsWith(u'[')) {
            const qsizetype close = t.indexOf(u']');
            const QString name = t.mid(1, close < 0 ? -1 : close - 1).trimmed();
            section = name.compare(QStringLiteral("general"), Qt::CaseInsensitive) == 0 ? QString()
                      : name == QStringLiteral("%General")                                ? QStringLiteral("General")
                                                                                          : unescapeKey(name);
            continue;
        }
        const qsizetype eq = t.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = groupOf(section.isEmpty() ? unescapeKey(t.left(eq).trimmed()) : section + u'/' + unescapeKey(t.left(eq).trimmed()));
        if (key.isEmpty())
            continue;
        const QByteArray value = valueBytes(unescapeValue(t.mid(eq + 1)));
        if (const auto it = findEntry(entries, key); it != entries.end())
            it->value = value;
        else
            entries.push_back({key, value});
    }
    return entries;
}

QByteArray format(const Entries& entries)
{
    // A section per first part of the key paths, in the order they first come.
    std::vector<std::pair<QString, std::vector<const Entry*>>> sections;
    for (const Entry& e : entries) {
        const qsizetype slash = e.key.indexOf(u'/');
        const QString name = slash < 0 ? QString() : e.key.left(slash);
        auto it = std::find_if(sections.begin(), sections.end(), [&](const auto& s) { return s.first == name; });
        if (it == sections.end())
            it = sections.insert(sections.end(), {name, {}});
        it->second.push_back(&e);
    }
    QByteArray out;
    for (const auto& [name, members] : sections) {
        if (!out.isEmpty())
            out += '\n';
        QByteArray head;
        escapeKey(name, head);
        out += head.isEmpty() ? QByteArray("[General]") : head.compare("general", Qt::CaseInsensitive) == 0 ? QByteArray("[%General]") : '[' + head + ']';
        out += '\n';
        for (const Entry* e : members) {
            escapeKey(name.isEmpty() ? e->key : e->key.mid(name.size() + 1), out);
            out += '=';
            escapeValue(e->value, out);
            out += '\n';
        }
    }
    return out;
}

// The stored entries; nothing when the file exists and cannot be read, so that no save starts
// from less than it holds.
std::optional<Entries> load()
{
    const QString path = ValueStore::filePath();
    if (!QFileInfo::exists(path))
        return Entries{};
    const std::optional<QByteArray> bytes = readBytes(path);
    if (!bytes)
        return std::nullopt;
    return parse(*bytes);
}

bool store(const Entries& entries) { return ensureFolder() && saveBytes(ValueStore::filePath(), format(entries)); }

bool hasGroup(const Entries& entries, const QString& group)
{
    const QString prefix = group + u'/';
    return std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.key.startsWith(prefix); });
}

} // namespace

QString ValueStore::filePath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/talvesk/registry.ini");
}

void ValueStore::setFilePathOverride(const QString& path) { overridePath() = path; }

bool ValueStore::createKey(const QString& keyPath)
{
    const QString group = groupOf(keyPath);
    if (group.isEmpty())
        return false;
    std::optional<Entries> entries = load();
    if (!entries)
        return false;
    if (hasGroup(*entries, group))
        return true;
    // The deepest key holds the marker; the keys above it exist through it.
    entries->push_back({group + u'/' + KeyMarker, QByteArray()});
    return store(*entries);
}

bool ValueStore::keyExists(const QString& keyPath)
{
    const QString group = groupOf(keyPath);
    const std::optional<Entries> entries = group.isEmpty() ? std::nullopt : load();
    return entries && hasGroup(*entries, group);
}

bool ValueStore::setValue(const QString& keyPath, const QString& name, const QByteArray& data)
{
    const QString group = groupOf(keyPath);
    if (group.isEmpty() || name.isEmpty())
        return false;
    std::optional<Entries> entries = load();
    if (!entries)
        return false;
    const QString key = groupOf(group + u'/' + name);
    const auto it = findEntry(*entries, key);
    // Found, the value was read from the file: the file holds it already.
    if (it != entries->end() && it->value == data)
        return true;
    if (it != entries->end())
        it->value = data;
    else
        entries->push_back({key, data});
    return store(*entries);
}

std::optional<QByteArray> ValueStore::value(const QString& keyPath, const QString& name)
{
    const QString group = groupOf(keyPath);
    if (group.isEmpty() || name.isEmpty())
        return std::nullopt;
    std::optional<Entries> entries = load();
    if (!entries)
        return std::nullopt;
    const auto it = findEntry(*entries, groupOf(group + u'/' + name));
    if (it == entries->end())
        return std::nullopt;
    return it->value;
}

} // namespace platform
