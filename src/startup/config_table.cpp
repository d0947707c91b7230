#include "startup/config_table.h"

#include "platform/files.h"
#include "platform/value_store.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"
#include "startup/six_digit_text.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <array>
#include <cmath>

namespace {

const QString Tag = QStringLiteral("readInfo");
constexpr int LastEntry = 40;

// Entries 0 to 38 before any file is read (39 and 40 stay empty). The links and numbers are
// placeholders that a module's configuration files replace.
const std::array<QString, 39> BuiltIn = {
    QStringLiteral("Talvesk"),                // 0 brand name
    QStringLiteral("http://localhost/"),      // 1 home page
    QStringLiteral("http://localhost/home2"), // 2 second home page
    QStringLiteral("http://localhost/chat1"), // 3 customer service
    QStringLiteral("http://localhost/chat2"), // 4 second customer service
    QStringLiteral("http://localhost/pay"),   // 5 payment page
    QStringLiteral("http://localhost/shop"),  // 6 shop
    QStringLiteral("Harvelin"),               // 7 company name
    QStringLiteral("Corvel1"),                // 8 candidate name
    QStringLiteral("vidavozedudevavuzivuv"),  // 9 system title
    QStringLiteral("000-00000000"),           // 10 customer-service telephone
    QStringLiteral("10000"),                  // 11 customer-service messenger number
    QStringLiteral("mivo"),                   // 12 announcement folder on the update server
    QStringLiteral("http://localhost/"),      // 13 upgrade page
    QString(),                                // 14
    QStringLiteral("mivo"),                   // 15 key name of the first-run values
    QStringLiteral("localhost"),              // 16 web address shown on the cover page
    QString(),                                // 17
    QString(),                                // 18
    QString(),                                // 19
    QStringLiteral("localhost"),              // 20 payment host
    QStringLiteral("localhost"),              // 21 shop host
    QStringLiteral("Corvel职称"),             // 22
    QStringLiteral("全国"),                   // 23
    QStringLiteral("00000000000"),            // 24 mobile telephone
    QStringLiteral("10000"),                  // 25 mobile messenger number
    QStringLiteral("2015"),                   // 26 link source switch
    QString(),                                // 27
    QStringLiteral("B"),                      // 28
    QStringLiteral("&H666666"),               // 29 information text colour
    QStringLiteral("240"),                    // 30 information label lefts
    QStringLiteral("5040"),                   // 31
    QStringLiteral("7440"),                   // 32
    QStringLiteral("9930"),                   // 33
    QStringLiteral("2"),                      // 34 home layout switch
    QStringLiteral("Talvesk统一"),            // 35
    QString(),                                // 36
    QString(),                                // 37
    QString(),                                // 38
};

void report(std::int32_t number) { reportFailure(Tag, number); }

// Line k of the file (from 0) becomes entry firstEntry + k.
void readConfigFile(const QString& path, int firstEntry)
{
    const auto lines = platform::readLines(path);
    if (!lines) {
        report(runerr::FileNotFound);
        return;
    }
    auto& sysInfo = S().sysInfo;
    for (qsizetype k = 0; k < lines->size(); ++k) {
        const qsizetype entry = firstEntry + k;
        if (entry > LastEntry) {
            report(runerr::SubscriptOutOfRange);
            continue;
        }
        const SixDigitText decoded = SixDigitText::decode(lines->at(k));
        for (qsizetype i = 0; i < decoded.invalidGroups.size(); ++i)
            report(runerr::InvalidCall);
        sysInfo[entry] = decoded.text;
    }
}

void writeFirstRunValues()
{
    auto& s = S();
    const QString flagPath = platform::resolvePath(s.DataDir + QStringLiteral("288892.mxy"));
    const QFileInfo flag(flagPath);
    if (!flag.exists()) {
        report(runerr::FileNotFound);
        return;
    }
    if (!flag.isReadable()) {
        report(runerr::PathFileAccess);
        return;
    }
    // An empty file has no first line, and only a line of exactly "0" means a first run.
    const auto first = platform::readLineAt(flagPath, 1);
    if (!first || *first != u"0")
        return;

    const QString suffix = (u'0' + QString::number(s.ModuleNo)).right(2);
    const QString key = QStringLiteral("Software\\") + s.sysInfo[15];
    const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    // Nothing reads these values back, and the flag is rewritten whatever became of them; a
    // write that failed is reported, naming the store, as a failed save of a record is.
    QVariant path = s.AppPath + QString(72, u'*');
    std::int32_t count = 0;
    const std::int32_t pathStatus = SetRegValue(CurrentUserRoot, key, QStringLiteral("ProPath") + suffix, regtype::String, path, count);
    QVariant name = exeName + QString(36, u'*');
    const std::int32_t nameStatus = SetRegValue(CurrentUserRoot, key, QStringLiteral("ProName") + suffix, regtype::String, name, count);
    for (const std::int32_t status : {pathStatus, nameStatus})
        if (status != 0)
            reportFailure(Tag, runerr::PathFileAccess, runerr::text(runerr::PathFileAccess) + u' ' + platform::ValueStore::filePath());
    if (!platform::saveText(flagPath, QStringLiteral("1\r\n")))
        report(runerr::PathFileAccess);
}

// The module's data folder, one folder directly inside the installation. Any other name (empty,
// ".", "..", one with a separator) would reach beside the installation or the installation
// folder itself, whose other folders the toolkit reads plugins from: it names a folder that
// cannot exist instead, so the module's files count as missing and nothing there is read or
// rewritten.
QString dataDirFor(const QString& name)
{
    if (!isPlainFolderName(name))
        return QStringLiteral("/dev/null/");
    return installPath(name) + u'/';
}

} // namespace

std::optional<int> moduleNumberOf(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    qsizetype end = i;
    if (end < text.size() && (text[end] == u'-' || text[end] == u'+'))
        ++end;
    while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128)
        ++end;
    if (end < text.size() && text[end] == u'.') {
        ++end;
        while (end < text.size() && text[end].isDigit() && text[end].unicode() < 128)
            ++end;
    }
    bool ok = false;
    const double v = text.mid(i, end - i).toDouble(&ok);
    if (!ok)
        return 0;
    const double r = std::nearbyint(v); // the default rounding mode: halves to even
    if (r < -32768 || r > 32767)
        return std::nullopt;
    return static_cast<int>(r);
}

void readInfo()
{
    auto& s = S();
    auto& sysInfo = s.sysInfo;
    for (int e = 0; e <= LastEntry; ++e)
        sysInfo[e] = e < static_cast<int>(BuiltIn.size()) ? BuiltIn[e] : QString();

    readConfigFile(installPath(u"ver.txt"), 1);

    // The module's own values come from ver.txt (or the built-in entries), whatever the module
    // file says later.
    if (const auto no = moduleNumberOf(sysInfo[4]))
        s.ModuleNo = *no;
    else
        report(runerr::Overflow);
    s.ModuleName = codes::trimSpaces(sysInfo[1]);
    s.ModuleTitle = codes::trimSpaces(sysInfo[2]);
    s.DataDir = dataDirFor(codes::trimSpaces(sysInfo[3]));
    for (int u = 0; u <= 20; ++u)
        s.UnitTable[u][0] = codes::trimSpaces(sysInfo[5 + u]);

    readConfigFile(s.DataDir + QStringLiteral("288901.mxy"), 0);

    for (QString& entry : sysInfo)
        entry = codes::trimSpaces(entry);
    s.ApplicationTitle = sysInfo[0] + sysInfo[9] + QStringLiteral("——") + s.ModuleName + QStringLiteral("模块");

    writeFirstRunValues();
}
