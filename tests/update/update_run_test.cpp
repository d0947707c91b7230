// The rules of the update list without any window: entries, folders, local and server names,
// refused names, stamps and addresses.

#include "update_fixture.h"

#include "update/update_run.h"

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
        QStringLiteral("M209912312359readme.txt"),
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
        {"readme.txt", "/inst/readme.txt", "http://127.0.0.1:81/up/pelor/Excel/readme.rar"},
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
                               stamped(QStringLiteral("M"), QStringLiteral("lib\\x.dll")), stamped(QStringLiteral("M"), QStringLiteral("libx.so")),
                               stamped(QStringLiteral("M"), QStringLiteral("setup.exe")), stamped(QStringLiteral("D"), QStringLiteral("288899"))};
    const auto open = planRun(lines, placeIn(QStringLiteral("/inst")));
    const auto secure = planRun(lines, placeIn(QStringLiteral("/inst"), true));
    ASSERT_EQ(open.size(), 6u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(open[i].kind, EntryPlan::Refused) << i;
        EXPECT_EQ(secure[i].kind, EntryPlan::Fetch) << i;
    }
    EXPECT_EQ(open[5].kind, EntryPlan::Fetch);
    // The program's own executable: its copy goes beside it.
    EXPECT_TRUE(secure[0].exeCopy);
    EXPECT_EQ(secure[0].localPath, QStringLiteral("/inst/TALVESK.EXE_bak"));
    EXPECT_FALSE(secure[4].exeCopy);
}

TEST(UpdateList, ExecutableNameAndTheDataFolder)
{
    EXPECT_EQ(executableFileName(QStringLiteral("talvesk")), QStringLiteral("talvesk.exe"));
    EXPECT_EQ(executableFileName(QStringLiteral("talvesk.exe")), QStringLiteral("talvesk.exe"));
    EXPECT_EQ(executableFileName(QStringLiteral("talvesk.EXE")), QStringLiteral("talvesk.EXE"));
    for (const char* app : {"/inst/", "/inst"})
        EXPECT_EQ(dataFolderName(QString::fromLatin1(app), QStringLiteral("/inst/data/")), QStringLiteral("data")) << app;
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
