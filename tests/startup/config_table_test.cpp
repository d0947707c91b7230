#include "startup/config_table.h"

#include "platform/value_store.h"
#include "startup/error_report.h"
#include "startup_fixture.h"

#include <QCoreApplication>
#include <QFileInfo>

using platform::ValueStore;
using startuptest::fileBytes;
using startuptest::sixDigit;
using startuptest::writeLines;

namespace {

QStringList encoded(const QStringList& texts)
{
    QStringList out;
    for (const QString& t : texts)
        out << sixDigit(t);
    return out;
}

class ReadInfoTest : public startuptest::InstallationTest {
protected:
    void writeVer(const QStringList& texts) { writeLines(appFile(QStringLiteral("ver.txt")), encoded(texts)); }
    // The module file and the first-run flag go into the data folder "data".
    void writeModule(const QStringList& texts) { writeLines(appFile(QStringLiteral("data/288901.mxy")), encoded(texts)); }
    QString flagPath() const { return app.filePath(QStringLiteral("data/288892.mxy")); }
    void writeFlag(const QByteArray& bytes)
    {
        QDir().mkpath(app.filePath(QStringLiteral("data")));
        QFile f(flagPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // ver.txt naming the module "Excel", its display name, the data folder "data" and a number.
    void writeStandardVer(const QString& moduleNo = QStringLiteral("7"))
    {
        writeVer({QStringLiteral(" Excel "), QStringLiteral("电子表格"), QStringLiteral("data"), moduleNo});
    }
    static QString exeName() { return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName(); }
    int reportCount(int number) const
    {
        int n = 0;
        for (const auto& r : reports())
            n += r.tagAndText.startsWith(QStringLiteral("readInfo")) && r.number == number;
        return n;
    }
};

} // namespace

TEST_F(ReadInfoTest, ModuleValuesComeFromVerTxtAndTheRestFromTheFinalTable)
{
    writeStandardVer();
    QStringList module;
    for (int k = 0; k < 10; ++k)
        module << QStringLiteral("模块%1").arg(k);
    module[0] = QStringLiteral("Brand ");
    module[9] = QStringLiteral(" 系统");
    writeModule(module);
    writeFlag("1\r\n");

    readInfo();

    const auto& s = S();
    EXPECT_EQ(s.ModuleName, QStringLiteral("Excel"));
    EXPECT_EQ(s.ModuleTitle, QStringLiteral("电子表格"));
    EXPECT_EQ(s.DataDir, app.path() + QStringLiteral("/data/"));
    EXPECT_EQ(s.ModuleNo, 7);
    // Unit titles are entries 5 onward after ver.txt: its 4 lines leave the built-ins.
    EXPECT_EQ(s.UnitTable[3][0], QStringLiteral("Corvel1"));
    EXPECT_EQ(s.UnitTable[0][0], QStringLiteral("http://localhost/pay"));
    // The module file's line 1 is entry 0, line 10 entry 9; entries past it keep their values.
    EXPECT_EQ(s.sysInfo[0], QStringLiteral("Brand"));
    EXPECT_EQ(s.sysInfo[1], QStringLiteral("模块1"));
    EXPECT_EQ(s.sysInfo[9], QStringLiteral("系统"));
    EXPECT_EQ(s.sysInfo[10], QStringLiteral("000-00000000"));
    EXPECT_EQ(s.sysInfo[22], QStringLiteral("Corvel职称"));
    EXPECT_EQ(s.sysInfo[40], QString());
    EXPECT_EQ(s.ApplicationTitle, QStringLiteral("Brand系统——Excel模块"));
    EXPECT_TRUE(reports().empty());
}

TEST_F(ReadInfoTest, LongVerTxtKeepsItsEntriesPastTheModuleFile)
{
    QStringList ver{QStringLiteral("Excel"), QStringLiteral("电子表格"), QStringLiteral("data"), QStringLiteral("3")};
    for (int k = 5; k <= 12; ++k)
        ver << QStringLiteral("第%1行").arg(k);
    writeVer(ver);
    writeModule(QStringList(10, QStringLiteral("m")));
    writeFlag("1");

    readInfo();

    EXPECT_EQ(S().UnitTable[0][0], QStringLiteral("第5行"));
    EXPECT_EQ(S().UnitTable[7][0], QStringLiteral("第12行"));
    EXPECT_EQ(S().sysInfo[9], QStringLiteral("m"));
    EXPECT_EQ(S().sysInfo[10], QStringLiteral("第10行"));
    EXPECT_EQ(S().UnitTable[5][0], QStringLiteral("第10行")); // the module file never changes unit titles
}

TEST_F(ReadInfoTest, WithoutAnyFileTheLoadGoesOnFromTheBuiltInEntries)
{
    readInfo();

    const auto& s = S();
    EXPECT_EQ(s.ModuleName, QStringLiteral("http://localhost/"));
    // The built-in entry 3 is a link, no folder name: no data folder is read.
    EXPECT_FALSE(s.DataDir.startsWith(app.path()));
    EXPECT_EQ(s.sysInfo[15], QStringLiteral("mivo"));
    EXPECT_EQ(s.ApplicationTitle, QStringLiteral("Talveskvidavozedudevavuzivuv——http://localhost/模块"));
    // ver.txt, the module file and the first-run flag: each reported once as missing.
    EXPECT_EQ(reportCount(runerr::FileNotFound), 3);
    EXPECT_EQ(reports().size(), 3u);
}

TEST_F(ReadInfoTest, LinesPastTheLastEntryAreReportedAndSkipped)
{
    QStringList ver{QStringLiteral("Excel"), QStringLiteral("t"), QStringLiteral("data"), QStringLiteral("1")};
    while (ver.size() < 42)
        ver << QStringLiteral("v%1").arg(ver.size() + 1);
    writeVer(ver); // lines 41 and 42 have no entry
    QStringList module;
    while (module.size() < 43)
        module << QStringLiteral("m%1").arg(module.size());
    writeModule(module); // lines 42 and 43 have no entry
    writeFlag("1");

    readInfo();

    EXPECT_EQ(S().sysInfo[40], QStringLiteral("m40"));
    EXPECT_EQ(reportCount(runerr::SubscriptOutOfRange), 4);
    EXPECT_EQ(reports().size(), 4u);
}

TEST_F(ReadInfoTest, InvalidGroupsAreReportedAndTheLineStillDecodes)
{
    writeLines(appFile(QStringLiteral("ver.txt")),
               {sixDigit(QStringLiteral("Ex")) + QStringLiteral("500000") + sixDigit(QStringLiteral("cel")) + QStringLiteral("2000"),
                sixDigit(QStringLiteral("t")), sixDigit(QStringLiteral("data")), sixDigit(QStringLiteral("1"))});
    writeModule({QStringLiteral("Brand")});
    writeFlag("1");

    readInfo();

    EXPECT_EQ(S().ModuleName, QStringLiteral("Excel"));
    EXPECT_EQ(reportCount(runerr::InvalidCall), 2);
}

TEST_F(ReadInfoTest, FirstRunWritesBothValuesAndMarksTheRunDone)
{
    writeStandardVer();
    writeModule({QStringLiteral("Brand")});
    writeFlag("0\r\n");

    readInfo();

    const QString key = QStringLiteral("Software\\mivo");
    // The folder's path without a separator, then the stars.
    EXPECT_EQ(ValueStore::value(key, QStringLiteral("ProPath07")), platform::toGbk(app.path() + QString(72, u'*')));
    EXPECT_EQ(ValueStore::value(key, QStringLiteral("ProName07")), platform::toGbk(exeName() + QString(36, u'*')));
    EXPECT_EQ(fileBytes(flagPath()), QByteArray("1\r\n"));
    EXPECT_TRUE(reports().empty());

    // The next start is no first run: the values stay as they are and nothing is rewritten.
    ASSERT_TRUE(ValueStore::setValue(key, QStringLiteral("ProPath07"), "kept"));
    readInfo();
    EXPECT_EQ(ValueStore::value(key, QStringLiteral("ProPath07")), QByteArray("kept"));
}

TEST_F(ReadInfoTest, ValueNamesTakeTheLastTwoDigitsOfTheRoundedModuleNumber)
{
    const struct {
        const char* moduleNo;
        int value;
        const char* suffix;
    } cases[] = {{"7", 7, "07"}, {"12", 12, "12"}, {"123", 123, "23"}, {"6.5", 6, "06"}, {"7.5", 8, "08"}, {"x", 0, "00"}};
    for (const auto& c : cases) {
        writeStandardVer(QString::fromLatin1(c.moduleNo));
        writeModule({QStringLiteral("Brand")});
        writeFlag("0");
        readInfo();
        EXPECT_EQ(S().ModuleNo, c.value) << c.moduleNo;
        EXPECT_TRUE(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("ProPath") + QLatin1String(c.suffix)))
            << c.moduleNo;
        EXPECT_TRUE(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("ProName") + QLatin1String(c.suffix)))
            << c.moduleNo;
    }
}

// A value store that cannot be written is reported, naming its file, once for each value; the
// flag still marks the first run done.
TEST_F(ReadInfoTest, AFirstRunWhoseValuesCannotBeStoredIsReported)
{
    writeStandardVer();
    writeModule({QStringLiteral("Brand")});
    writeFlag("0\r\n");
    // The store's folder would be a file.
    writeLines(storeDir.filePath(QStringLiteral("blocker")), {QStringLiteral("x")});
    ValueStore::setFilePathOverride(storeDir.filePath(QStringLiteral("blocker/registry.ini")));

    readInfo();

    int told = 0;
    for (const auto& r : reports())
        told += r.number == runerr::PathFileAccess && r.tagAndText.endsWith(ValueStore::filePath());
    EXPECT_EQ(told, 2);
    EXPECT_EQ(fileBytes(flagPath()), QByteArray("1\r\n"));
}

TEST_F(ReadInfoTest, OnlyAFirstLineOfExactlyZeroIsAFirstRun)
{
    for (const QByteArray& flag : {QByteArray("0 \r\n"), QByteArray("00\r\n"), QByteArray(" 0"), QByteArray("1\r\n0\r\n"), QByteArray()}) {
        writeStandardVer();
        writeModule({QStringLiteral("Brand")});
        writeFlag(flag);
        readInfo();
        EXPECT_FALSE(ValueStore::keyExists(QStringLiteral("Software\\mivo"))) << flag.constData();
        EXPECT_EQ(fileBytes(flagPath()), flag);
    }
    EXPECT_TRUE(reports().empty());
}

TEST_F(ReadInfoTest, MissingFlagIsReportedAndWritesNothing)
{
    writeStandardVer();
    writeModule({QStringLiteral("Brand")});

    readInfo();

    EXPECT_FALSE(ValueStore::keyExists(QStringLiteral("Software\\mivo")));
    EXPECT_FALSE(QFile::exists(flagPath()));
    EXPECT_EQ(reportCount(runerr::FileNotFound), 1);
}

TEST_F(ReadInfoTest, FileNamesAreFoundWhateverTheirCase)
{
    writeLines(appFile(QStringLiteral("VER.TXT")), encoded({QStringLiteral("Excel"), QStringLiteral("t"), QStringLiteral("Data"), QStringLiteral("2")}));
    writeLines(appFile(QStringLiteral("DATA/288901.MXY")), encoded({QStringLiteral("Brand")}));
    writeLines(appFile(QStringLiteral("DATA/288892.MXY")), {QStringLiteral("0")});

    readInfo();

    EXPECT_EQ(S().ModuleName, QStringLiteral("Excel"));
    EXPECT_EQ(S().sysInfo[0], QStringLiteral("Brand"));
    EXPECT_EQ(fileBytes(appFile(QStringLiteral("DATA/288892.MXY"))), QByteArray("1\r\n"));
    EXPECT_TRUE(ValueStore::value(QStringLiteral("Software\\mivo"), QStringLiteral("ProPath02")));
}

TEST(ModuleNumber, RoundsHalvesToEvenAndRefusesWhatDoesNotFit)
{
    const struct {
        const char* text;
        std::optional<int> value;
    } cases[] = {
        {"7", 7},          {" 12abc", 12}, {"7.5", 8},   {"6.5", 6},           {"-2.5", -2}, {"0.49", 0},
        {"abc", 0},        {"", 0},        {"-", 0},     {"32767", 32767},     {"32767.5", std::nullopt},
        {"-32768", -32768}, {"40000", std::nullopt}, {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(moduleNumberOf(QString::fromLatin1(c.text)), c.value) << c.text;
}

// A data folder that is not one folder directly inside the installation is refused: nothing
// beside the installation, nor the installation folder itself, is read or rewritten as the data
// folder, and the module's files count as missing. A name holding a control character is none
// either: with U+0000 (the group "200000") every path through it would end at the name before it,
// the installation's own "qt.conf".
TEST_F(ReadInfoTest, ADataFolderOutsideTheInstallationIsRefused)
{
    QTemporaryDir beside;
    ASSERT_TRUE(beside.isValid());
    writeLines(beside.filePath(QStringLiteral("288901.mxy")), encoded({QStringLiteral("Outside")}));
    writeLines(beside.filePath(QStringLiteral("288892.mxy")), {QStringLiteral("0")});
    const QString up = QStringLiteral("..") + u'/' + QFileInfo(beside.path()).fileName();
    writeLines(appFile(QStringLiteral("288901.mxy")), encoded({QStringLiteral("Top")}));
    writeLines(appFile(QStringLiteral("288892.mxy")), {QStringLiteral("0")});
    for (const QString& name : {up, QStringLiteral("data/../") + up, QStringLiteral("..\\x"), QStringLiteral(".."), QString(), QStringLiteral("."),
                                QStringLiteral("a/b"), QStringLiteral("sub\\data"), QStringLiteral("./"), QStringLiteral("data/"),
                                QStringLiteral("qt.conf") + QChar(u'\0'), QStringLiteral("da\tta"), QStringLiteral("data\x7f"), QStringLiteral("da\x1bta")}) {
        writeVer({QStringLiteral("Excel"), QStringLiteral("t"), name, QStringLiteral("7")});
        readInfo();
        EXPECT_FALSE(S().DataDir.startsWith(app.path())) << name.toStdString();
        EXPECT_EQ(S().sysInfo[0], QStringLiteral("Talvesk")) << name.toStdString();
        EXPECT_EQ(fileBytes(beside.filePath(QStringLiteral("288892.mxy"))), QByteArray("0\r\n"));
        EXPECT_EQ(fileBytes(appFile(QStringLiteral("288892.mxy"))), QByteArray("0\r\n"));
        EXPECT_FALSE(ValueStore::keyExists(QStringLiteral("Software\\mivo")));
    }
    for (const QString& name : {QStringLiteral("data"), QStringLiteral("a..b"), QStringLiteral("..x"), QStringLiteral(".data")}) {
        writeVer({QStringLiteral("Excel"), QStringLiteral("t"), name, QStringLiteral("7")});
        readInfo();
        EXPECT_EQ(S().DataDir, app.path() + u'/' + name + u'/') << name.toStdString();
    }
}
