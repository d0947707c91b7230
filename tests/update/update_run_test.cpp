// The rules of the update list without any window: entries, folders, local and server names,
// refused names, stamps and addresses.

#include "update_fixture.h"

#include "startup/config_table.h"
#include "update/update_run.h"

#include <QTemporaryDir>

using namespace update;
using updatetest::UpdateTest;

namespace {

RunPlace placeIn(const QString& appPath, bool secure = false)
{
    return RunPlace{appPath, QStringLiteral("data"), QStringLiteral("http://127.0.0.1:81"), QStringLiteral("Excel"),
                    QStringLiteral("talvesk.exe"), secure};
}

QString stamped(const QString& letter, const QString& name) { return letter + QStringLiteral("209912312359") + name; }

} // namespace

TEST(UpdateList, StampOnlyOfAnAnswerThatBeginsWith20)
{
    const struct {
        const char* answer;
        std::optional<QString> stamp;
    } cases[] = {
        {"201601021530\r\nD2016...", QStringLiteral("201601021530")},
        {"error-timeout", std::nullopt},
        {"<html>", std::nullopt},
        {" 201601021530", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(listStamp(QString::fromUtf8(c.answer)), c.stamp) << c.answer;
}

TEST(UpdateList, EntriesFoldersAndNames)
{
    const QString app = QStringLiteral("/inst");
    const QStringList lines = {
        QStringLiteral("201601021530"),
        QStringLiteral("D20160102153012345"),      // 18 characters: ignored
        QStringLiteral("  D201601021530123456  "), // 19 once trimmed: taken
        QStringLiteral("20xxxxxxxxxxxxxxxxxxxxxxx"),
        QStringLiteral("E209912312359sub\\abc.mxy"),
        QStringLiteral("d209912312359keeps.mxy"),
        QStringLiteral("D209912312359288899"),
        QStringLiteral("K209912312359page.html"),
        QStringLiteral("E209912312359图\\甲.mxy"),
        QStringLiteral("M209912312359sMenu.sys"),
    };
    const auto plans = planRun(lines, placeIn(app));
    const struct {
        const char* name;
        const char* local;
        const char* url;
    } expected[] = {
        {"123456", "/inst/data/123456.mxy", "http://127.0.0.1:81/up/pelor/Excel/data/123456.rar"},
        {"sub\\abc.mxy", "/inst/examdata/sub/abc.mxy", "http://127.0.0.1:81/up/pelor/Excel/examdata/sub/abc.rar"},
        {"keeps.mxy", "/inst/examdata/keeps.mxy", "http://127.0.0.1:81/up/pelor/Excel/examdata/keeps.rar"},
        {"288899", "/inst/data/288899.mxy", "http://127.0.0.1:81/up/pelor/Excel/data/288899.rar"},
        {"page.html", "/inst/ksdata/page.html", "http://127.0.0.1:81/up/pelor/Excel/ksdata/page..rar"},
        {"图\\甲.mxy", "/inst/examdata/图/甲.mxy", "http://127.0.0.1:81/up/pelor/Excel/examdata/%CD%BC/%BC%D7.rar"},
        {"sMenu.sys", "/inst/sMenu.sys", "http://127.0.0.1:81/up/pelor/Excel/sMenu.rar"},
    };
    ASSERT_EQ(plans.size(), std::size(expected));
    for (std::size_t i = 0; i < plans.size(); ++i) {
        EXPECT_EQ(plans[i].kind, EntryPlan::Fetch) << i;
        EXPECT_EQ(plans[i].name, QString::fromUtf8(expected[i].name)) << i;
        EXPECT_EQ(plans[i].localPath, QString::fromUtf8(expected[i].local)) << i;
        EXPECT_EQ(QString::fromUtf8(plans[i].url.toEncoded()), QString::fromUtf8(expected[i].url)) << i;
    }
}

TEST(UpdateList, NamesThatLeaveTheirFolderOrNoFileSystemHoldsAreRefused)
{
    const struct {
        QString name;
        bool safe;
    } cases[] = {
        {QStringLiteral("..\\x.mxy"), false},  {QStringLiteral("\\x.mxy"), false},   {QStringLiteral("/x.mxy"), false},
        {QStringLiteral("C:\\x.mxy"), false},  {QStringLiteral("a\\\\b.mxy"), false}, {QStringLiteral("a/./b.mxy"), false},
        {QStringLiteral("a\\..\\..\\b"), false}, {QStringLiteral("a?b.mxy"), false},  {QStringLiteral("a<b>.mxy"), false},
        {QStringLiteral("a\"b|c*.mxy"), false}, {QStringLiteral("a\tb.mxy"), false}, {QStringLiteral("sub\\"), false},
        {QStringLiteral("😀face.mxy"), false},  {QStringLiteral("a\uFFFDb.mxy"), false},
        {QStringLiteral("sub\\abc.mxy"), true}, {QStringLiteral("sub/abc.mxy"), true}, {QStringLiteral("图\\甲.mxy"), true},
        {QStringLiteral("..name.mxy"), true},   {QStringLiteral("288899"), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isSafeName(c.name), c.safe) << c.name.toStdString();

    const auto plans = planRun({stamped(QStringLiteral("E"), QStringLiteral("..\\x.mxy")), stamped(QStringLiteral("E"), QStringLiteral("C:\\x.mxy")),
                                stamped(QStringLiteral("E"), QStringLiteral("ok\\x.mxy"))},
                               placeIn(QStringLiteral("/inst")));
    ASSERT_EQ(plans.size(), 3u);
    EXPECT_EQ(plans[0].kind, EntryPlan::Refused);
    EXPECT_TRUE(plans[0].localPath.isEmpty());
    EXPECT_EQ(plans[1].kind, EntryPlan::Refused);
    EXPECT_EQ(plans[2].kind, EntryPlan::Fetch);
}

TEST(UpdateList, CodeIsFetchedOnlyFromAnHttpsEndpoint)
{
    const QStringList lines = {stamped(QStringLiteral("M"), QStringLiteral("TALVESK.EXE")), stamped(QStringLiteral("M"), QStringLiteral("qvitpk.rar")),
                               stamped(QStringLiteral("D"), QStringLiteral("lib\\x.dll")), stamped(QStringLiteral("E"), QStringLiteral("libx.so")),
                               stamped(QStringLiteral("K"), QStringLiteral("setup.exe")), stamped(QStringLiteral("E"), QStringLiteral("libx.so.1")),
                               stamped(QStringLiteral("D"), QStringLiteral("sub\\libx.SO.1.2")), stamped(QStringLiteral("D"), QStringLiteral("libx.so.1.2.3")),
                               stamped(QStringLiteral("D"), QStringLiteral("288899")), stamped(QStringLiteral("D"), QStringLiteral("x.so.mxy")),
                               stamped(QStringLiteral("D"), QStringLiteral("x.so.a"))};
    const auto open = planRun(lines, placeIn(QStringLiteral("/inst")));
    const auto secure = planRun(lines, placeIn(QStringLiteral("/inst"), true));
    ASSERT_EQ(open.size(), 11u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(open[i].kind, EntryPlan::Refused) << i;
        EXPECT_EQ(secure[i].kind, EntryPlan::Fetch) << i;
    }
    for (std::size_t i = 8; i < open.size(); ++i)
        EXPECT_EQ(open[i].kind, EntryPlan::Fetch) << i;
    // The program's own executable: its copy goes beside it.
    EXPECT_TRUE(secure[0].exeCopy);
    EXPECT_EQ(secure[0].localPath, QStringLiteral("/inst/TALVESK.EXE_bak"));
    EXPECT_FALSE(secure[4].exeCopy);
}

TEST(UpdateList, FilesAreTakenOnlyInTheBanksFoldersAndAsTheInstallationsOwnFiles)
{
    // Judged by where the file would land, whatever the letter and the case: the toolkit looks
    // for plugins in any other folder of the installation and reads a qt.conf at its top, and
    // the bank version, the list's copy and the hand-over file are the run's own.
    const struct {
        const char* line;
        bool overHttp, overHttps;
    } cases[] = {
        {"D209912312359sub\\abc.mxy", true, true},
        {"M209912312359DATA\\abc.mxy", true, true},
        {"M209912312359Examdata\\a\\b.mxy", true, true},
        {"K209912312359170100", true, true},
        {"M209912312359ver.txt", true, true},
        {"M209912312359SMENU.SYS", true, true},
        {"M209912312359ico07.CUR", true, true},
        {"M209912312359Ico12.cur", true, true},
        {"M209912312359talvesk.exe", false, true},
        {"M209912312359QVITPK.rar", false, true},
        {"M209912312359imageformats\\libqevil.so.1", false, false},
        {"M209912312359imageformats\\evilplug.mxy", false, false},
        {"M209912312359platforms\\libqxcb.so", false, false},
        {"M209912312359sub\\data\\x.mxy", false, false},
        {"M209912312359qt.conf", false, false},
        {"M209912312359QT6.CONF", false, false},
        {"M209912312359readme.txt", false, false},
        {"M209912312359ico7.cur", false, false},
        {"M209912312359ico123.cur", false, false},
        {"D209912312359288895", false, false},
        {"D209912312359288895.MXY", false, false},
        {"M209912312359data\\288895.mxy", false, false},
        {"K209912312359288895", false, false},
        {"M209912312359KSDATA\\288895.mxy", false, false},
        {"M209912312359uprun.dll", false, false},
        {"E209912312359288895", true, true},
        {"K209912312359sub\\288895.mxy", true, true},
    };
    for (const bool secure : {false, true}) {
        for (const auto& c : cases) {
            const auto plans = planRun({QString::fromUtf8(c.line)}, placeIn(QStringLiteral("/inst"), secure));
            ASSERT_EQ(plans.size(), 1u) << c.line;
            EXPECT_EQ(plans[0].kind == EntryPlan::Fetch, secure ? c.overHttps : c.overHttp) << c.line << (secure ? " https" : " http");
        }
    }
}

TEST(UpdateList, ProgramsAreKnownByTheirContent)
{
    const auto pe = [](quint32 offset, const QByteArray& at, qsizetype size) {
        QByteArray bytes(size, '\0');
        bytes.replace(0, 2, "MZ");
        for (int i = 0; i < 4; ++i)
            bytes[0x3C + i] = char((offset >> (8 * i)) & 0xFF);
        if (offset + at.size() <= quint32(size))
            bytes.replace(offset, at.size(), at);
        return bytes;
    };
    const struct {
        const char* what;
        QByteArray head;
        bool program;
    } cases[] = {
        {"ELF", QByteArray("\x7F" "ELF\x02\x01\x01", 7), true},
        {"script", "#!/bin/sh\necho", true},
        {"PE", pe(0x80, QByteArray("PE\0\0", 4), 0x200), true},
        {"PE header beyond the head", pe(0x10000, {}, 0x200), true},
        {"MZ without PE", pe(0x80, "NE", 0x200), false},
        {"short MZ", "MZ", false},
        {"PNG", "\x89PNG\r\n\x1a\n", false},
        {"text", "201601021530\r\n", false},
        {"empty", "", false},
        {"ELF later", " \x7F" "ELF", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isProgramContent(c.head), c.program) << c.what;
}

TEST(UpdateList, ExecutableNameAndTheDataFolder)
{
    EXPECT_EQ(executableFileName(QStringLiteral("talvesk")), QStringLiteral("talvesk.exe"));
    EXPECT_EQ(executableFileName(QStringLiteral("talvesk.exe")), QStringLiteral("talvesk.exe"));
    EXPECT_EQ(executableFileName(QStringLiteral("talvesk.EXE")), QStringLiteral("talvesk.EXE"));
    for (const char* app : {"/inst/", "/inst"})
        EXPECT_EQ(dataFolderName(QString::fromLatin1(app), QStringLiteral("/inst/data/")), QStringLiteral("data")) << app;
    // A data directory that is not one folder directly inside the installation has no name.
    for (const char* dir : {"/dev/null/", "/inst/", "/inst//", "/inst/./", "/inst/a/b/", "/instx/data/", "/other/inst/data/"})
        EXPECT_EQ(dataFolderName(QStringLiteral("/inst"), QString::fromLatin1(dir)), QString()) << dir;
    for (const char* folder : {"/inst", "/inst/", "C:\\inst\\"})
        EXPECT_EQ(joinPath(QString::fromLatin1(folder), QStringLiteral("ksdata\\170100.mxy")),
                  QString::fromLatin1(folder).remove(QRegularExpression(QStringLiteral("[\\\\/]$"))) + QStringLiteral("/ksdata/170100.mxy"))
            << folder;
    EXPECT_EQ(QString::fromUtf8(announcementUrl(QStringLiteral("https://up.example/"), QStringLiteral("ex7")).toEncoded()),
              QStringLiteral("https://up.example/up/ad/ex7/170100.rar"));
}

TEST_F(UpdateTest, StampOfALocalFileIsItsModifiedMinute)
{
    const QDateTime t(QDate(2016, 1, 2), QTime(15, 30, 59));
    write(QStringLiteral("data/one.mxy"), "x", t);
    EXPECT_EQ(fileStamp(file(QStringLiteral("data/one.mxy"))), QStringLiteral("201601021530"));
    EXPECT_EQ(fileStamp(file(QStringLiteral("data/none.mxy"))), MissingFileStamp);

    // Equal minute: up to date; a minute older, or missing: fetched. An existing file in other
    // case is the one compared and replaced.
    write(QStringLiteral("data/ABC.MXY"), "x", t.addSecs(-60));
    const QStringList lines = {QStringLiteral("D201601021530one.mxy"), QStringLiteral("D201601021530abc.mxy"),
                               QStringLiteral("D201601021530new.mxy")};
    const auto plans = planRun(lines, placeIn(app.path()));
    ASSERT_EQ(plans.size(), 3u);
    EXPECT_EQ(plans[0].kind, EntryPlan::UpToDate);
    EXPECT_EQ(plans[1].kind, EntryPlan::Fetch);
    EXPECT_EQ(plans[1].localPath, file(QStringLiteral("data/ABC.MXY")));
    EXPECT_EQ(plans[2].kind, EntryPlan::Fetch);
}

// Names that differ only in case are one file, and one folder, also before either exists.
TEST_F(UpdateTest, NamesThatDifferOnlyInCaseAreOneFile)
{
    const QStringList lines = {QStringLiteral("D201601021530newcase.mxy"), QStringLiteral("D201601021530NEWCASE.mxy"),
                               QStringLiteral("E201601021530New\\a.mxy"), QStringLiteral("E201601021530NEW\\b.mxy"),
                               QStringLiteral("E201601021530new\\A.MXY")};
    const auto plans = planRun(lines, placeIn(app.path()));
    ASSERT_EQ(plans.size(), 5u);
    EXPECT_EQ(plans[0].localPath, file(QStringLiteral("data/newcase.mxy")));
    EXPECT_EQ(plans[1].localPath, plans[0].localPath);
    EXPECT_EQ(plans[2].localPath, file(QStringLiteral("examdata/New/a.mxy")));
    EXPECT_EQ(plans[3].localPath, file(QStringLiteral("examdata/New/b.mxy")));
    EXPECT_EQ(plans[4].localPath, plans[2].localPath);
    for (const auto& p : plans)
        EXPECT_TRUE(p.kind == EntryPlan::Fetch && p.due) << p.name.toStdString();
}

// The data folder's name comes from ver.txt, which a run may fetch over http like any top-level
// file of the installation. No name it holds lets the run write into the installation folder
// itself, a folder the toolkit reads plugins from, its configuration or the run's bookkeeping:
// the configuration load refuses what is not one plain folder name, the place rule the rest.
TEST_F(UpdateTest, NoDataFolderNameOpensTheInstallationFolderOrAPluginFolder)
{
    QStringList lines;
    for (const char* letter : {"D", "M"})
        for (const char* name : {"platforms\\x.mxy", "styles\\x.mxy", "IMAGEFORMATS\\x.mxy", "qt.conf", "ksdata\\288895"})
            lines << stamped(QString::fromLatin1(letter), QString::fromLatin1(name));
    lines << stamped(QStringLiteral("D"), QStringLiteral("abc.mxy"));
    const struct {
        const char* folder;
        bool refusedAtLoad;
    } cases[] = {{"", true}, {".", true}, {"a/b", true}, {"a\\b", true}, {"..", true},
                 {"platforms", false}, {"Styles", false}, {"imageformats", false}, {"data", false}};
    for (const auto& c : cases) {
        tsupport::writeLines(file(QStringLiteral("ver.txt")), {startuptest::sixDigit(QStringLiteral("Excel")), startuptest::sixDigit(QStringLiteral("t")),
                                                               startuptest::sixDigit(QString::fromUtf8(c.folder)), startuptest::sixDigit(QStringLiteral("7"))});
        readInfo();
        EXPECT_EQ(!S().DataDir.startsWith(app.path()), c.refusedAtLoad) << c.folder;
        for (const bool secure : {false, true}) {
            RunPlace place = placeIn(app.path(), secure);
            place.dataFolder = dataFolderName(S().AppPath, S().DataDir);
            const auto plans = planRun(lines, place);
            ASSERT_EQ(plans.size(), std::size_t(lines.size())) << c.folder;
            // Only a data folder of its own takes the bank's files, and those stay inside it.
            const bool ownFolder = std::string(c.folder) == "data";
            for (std::size_t i = 0; i < plans.size(); ++i)
                EXPECT_EQ(plans[i].kind == EntryPlan::Fetch, ownFolder && lines[qsizetype(i)].startsWith(u'D')) << c.folder << " " << lines[qsizetype(i)].toStdString();
        }
    }
}

// A place is judged where a write lands: a link on the way that leaves the installation, or
// leads to a place the run does not write, is refused; one that stays among the bank's folders
// is followed.
TEST_F(UpdateTest, LinksOnTheWayAreJudgedWhereTheyLead)
{
    QTemporaryDir outside;
    ASSERT_TRUE(outside.isValid());
    QDir(app.path()).mkpath(QStringLiteral("platforms"));
    QDir(app.path()).mkpath(QStringLiteral("examdata/pics"));
    const struct {
        const char* link;
        QString to;
        bool fetched;
    } cases[] = {
        {"data/out", outside.path(), false},
        {"data/plug", app.filePath(QStringLiteral("platforms")), false},
        {"data/top", app.path(), false},
        {"data/nowhere", outside.filePath(QStringLiteral("missing")), false},
        {"data/pics", app.filePath(QStringLiteral("examdata/pics")), true},
        {"examdata/up", app.filePath(QStringLiteral("data")), true},
    };
    for (const auto& c : cases)
        ASSERT_TRUE(QFile::link(c.to, file(QString::fromLatin1(c.link)))) << c.link;
    for (const auto& c : cases) {
        const QString rel = QString::fromLatin1(c.link).section(u'/', 1);
        const QString letter = QString::fromLatin1(c.link).startsWith(QStringLiteral("data")) ? QStringLiteral("D") : QStringLiteral("E");
        const auto plans = planRun({stamped(letter, rel + QStringLiteral("\\x.mxy")), stamped(letter, rel + QStringLiteral("\\new\\y.mxy"))},
                                   placeIn(app.path()));
        ASSERT_EQ(plans.size(), 2u);
        for (const auto& plan : plans)
            EXPECT_EQ(plan.kind == EntryPlan::Fetch, c.fetched) << c.link << " " << plan.name.toStdString();
    }
    // A record folder that is a link out of the installation takes nothing either.
    ASSERT_TRUE(QDir(file(QStringLiteral("ksdata"))).removeRecursively());
    ASSERT_TRUE(QFile::link(outside.path(), file(QStringLiteral("ksdata"))));
    const auto plans = planRun({stamped(QStringLiteral("K"), QStringLiteral("170100"))}, placeIn(app.path()));
    EXPECT_EQ(plans[0].kind, EntryPlan::Refused);
    EXPECT_TRUE(QDir(outside.path()).isEmpty());
}
