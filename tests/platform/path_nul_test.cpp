// A path holding U+0000 never reaches the system, where it would end at the NUL: "qt.conf", U+0000,
// "/x.mxy" would read or rewrite the installation's "qt.conf". Every file service refuses it, on a
// real file system.

#include "support/events.h"
#include "support/http_server.h"
#include "support/text_files.h"

#include "platform/download.h"
#include "platform/files.h"
#include "platform/vb_picture.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <functional>

TEST(PathNul, APathHoldingNulWritesNothing)
{
    tsupport::TempInstall install;
    testsupport::LoopbackHttpServer server;
    server.route(QStringLiteral("/f.rar"), 200, "served\r\n");
    const QString existing = install.writeBytes(QStringLiteral("qt.conf"), "[Paths]\r\n");
    const QStringList before = QDir(install.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    const QString nul(QChar(u'\0'));
    const std::vector<std::pair<const char*, std::function<bool(const QString&)>>> writes = {
        {"saveText", [](const QString& p) { return platform::saveText(p, QStringLiteral("text\r\n")); }},
        {"saveBytes", [](const QString& p) { return platform::saveBytes(p, "bytes\r\n"); }},
        {"saveFiles", [](const QString& p) { return platform::saveFiles({{p, "files\r\n"}}); }},
        {"saveGroup, removed", [](const QString& p) { return platform::saveGroup({{p, std::nullopt}}) != platform::GroupSave::NotSaved; }},
        {"saveGroup of two", [&install](const QString& p) {
             const std::vector<platform::GroupFile> group{{install.path(QStringLiteral("other.mxy")), QByteArray("other\r\n")}, {p, std::nullopt}};
             return platform::saveGroup(group) != platform::GroupSave::NotSaved;
         }},
        {"temporaryBeside", [](const QString& p) { return !platform::temporaryBeside(p).isEmpty(); }},
        {"appendText", [](const QString& p) { return platform::appendText(p, QStringLiteral("log\r\n")); }},
        {"FileRewrite", [](const QString& p) {
             platform::FileRewrite r(p);
             return r.open() && r.write("rewrite\r\n") > 0 && r.commit();
         }},
        {"downloadToFile", [&server](const QString& p) {
             return platform::downloadToFile(QUrl(server.baseUrl() + QStringLiteral("/f.rar")), p, 1 << 20);
         }},
    };
    for (const QString& path : {existing + nul + QStringLiteral("/x.mxy"), install.path(QStringLiteral("fresh")) + nul + QStringLiteral("/x.mxy"),
                                existing + nul}) {
        for (const auto& [what, write] : writes) {
            EXPECT_FALSE(write(path)) << what;
            EXPECT_EQ(tsupport::fileBytes(existing), "[Paths]\r\n") << what;
            EXPECT_EQ(QDir(install.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before) << what;
        }
    }
}

TEST(PathNul, APathHoldingNulReadsNothing)
{
    tsupport::TempInstall install;
    const QString text = install.writeLines(QStringLiteral("data/288891.mxy"), {QStringLiteral("01")});
    const QString face = install.writePicture(QStringLiteral("data/l20051.mxy"), {4, 3});
    const QString nul(QChar(u'\0'));
    for (const QString& tail : {nul, nul + QStringLiteral("/x.mxy")}) {
        EXPECT_EQ(platform::readBytes(text + tail), std::nullopt);
        EXPECT_EQ(platform::readLines(text + tail), std::nullopt);
        EXPECT_EQ(platform::readLineAt(text + tail, 1), std::nullopt);
        EXPECT_EQ(platform::lineCount(text + tail), std::nullopt);
        EXPECT_EQ(platform::fileVersion(text + tail), std::nullopt);
        vb::Error err;
        EXPECT_FALSE(vb::LoadPicture(face + tail, &err));
        EXPECT_EQ(err.number, vb::errFileNotFound);
        EXPECT_FALSE(vb::CheckPicture(face + tail, &err));
        EXPECT_EQ(err.number, vb::errFileNotFound);
    }
}
