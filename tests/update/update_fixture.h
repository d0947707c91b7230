#pragma once
// Fixtures of the updater tests: an installation of their own with its data folder "data", the
// record folder "ksdata" and the picture folder "examdata"; a loopback endpoint; the program's
// start, end and message boxes answered by the test.

#include <gtest/gtest.h>

#include "startup/startup_fixture.h"
#include "support/events.h"
#include "support/http_server.h"

#include "platform/clock.h"
#include "platform/download.h"
#include "platform/files.h"
#include "platform/http.h"
#include "platform/vb_form.h"
#include "platform/vb_msgbox.h"
#include "platform/vb_units.h"
#include "session_state/session_state.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <map>
#include <memory>
#include <vector>

namespace updatetest {

struct MsgBoxCall {
    QString prompt;
    int buttons = -1;
    QString title;
};

inline QByteArray gbk(const QString& text) { return platform::toGbk(text); }

// Lines joined with CR LF line ends, in GBK.
inline QByteArray gbkLines(const QStringList& lines) { return gbk(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")); }

class UpdateTest : public startuptest::InstallationTest {
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        auto& s = S();
        s.DataDir = s.AppPath + QStringLiteral("/data/");
        s.ModuleName = QStringLiteral("Excel");
        s.ModuleTitle = QStringLiteral("电子表格");
        s.ApplicationTitle = QStringLiteral("职称计算机考试——Excel模块");
        s.sysInfo[12] = QStringLiteral("ex7");
        s.BankVersion = QStringLiteral("201501010000");
        s.UpdateWindowShown = 1;
        QDir(app.path()).mkpath(QStringLiteral("data"));
        QDir(app.path()).mkpath(QStringLiteral("examdata"));
        tsupport::standardScreen();
        platform::setDownloadIdleTimeoutMs(300);
        vb::setMsgBoxResponder([this](const QString& prompt, int buttons, const QString& title) {
            msgBoxes.push_back({prompt, buttons, title});
            return prompt.startsWith(QStringLiteral("题库有新文件")) ? answer : vb::vbOK;
        });
        vb::setEndResponder([this] { ++ends; });
        platform::setProgramStarter([this](const QString& path) {
            started << path;
            return true;
        });
    }
    void TearDown() override
    {
        hold.reset();
        vb::Forms::unloadAll();
        vb::setMsgBoxResponder({});
        vb::setEndResponder({});
        platform::setProgramStarter({});
        platform::setFakeNetwork({});
        platform::setDownloadIdleTimeoutMs(0);
        platform::setDownloadMinimumRate(0, 0);
        qunsetenv("TALVESK_UPDATE_FILE_MAX_BYTES");
        qunsetenv("TALVESK_UPDATE_LIST_MAX_BYTES");
        qunsetenv("TALVESK_UPDATE_RUN_MAX_FILES");
        qunsetenv("TALVESK_UPDATE_RUN_MAX_MS");
        vb::setTwipsPerPixelOverride(0, 0);
        vb::setScreenSizeOverride(0, 0);
        qunsetenv("TALVESK_UPDATE_URL");
        InstallationTest::TearDown();
    }

    // The endpoint is the loopback server; a wait on the clock does not run out while it serves.
    void useServer()
    {
        // The hold of a server used before goes first: it asks after that server.
        hold.reset();
        server = std::make_unique<testsupport::LoopbackHttpServer>();
        // Only what a test serves is there.
        server->answer(404, "<html>not found</html>");
        hold = std::make_unique<testsupport::ClockHoldWhileServing>(*server);
        qputenv("TALVESK_UPDATE_URL", server->baseUrl().toUtf8());
    }
    QString listPath() const { return QStringLiteral("/up/pelor/Excel/data/288895.txt"); }

    QString file(const QString& relative) const { return app.filePath(relative); }
    QByteArray bytes(const QString& relative) const { return startuptest::fileBytes(file(relative)); }
    void write(const QString& relative, const QByteArray& content, const QDateTime& modified = {}) const
    {
        QDir().mkpath(QFileInfo(file(relative)).absolutePath());
        QFile f(file(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.flush();
        if (modified.isValid()) {
            ASSERT_TRUE(f.setFileTime(modified, QFileDevice::FileModificationTime));
        }
    }
    // Every file of the installation with its contents (the run log left out).
    std::map<std::string, std::string> filesOnDisk() const
    {
        std::map<std::string, std::string> files;
        QDirIterator it(app.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path != logPath())
                files[QDir(app.path()).relativeFilePath(path).toStdString()] = startuptest::fileBytes(path).toStdString();
        }
        return files;
    }
    // The request paths the server saw, without the list's.
    QStringList fileRequests() const
    {
        QStringList out;
        for (const QString& t : server->targets())
            if (t != listPath())
                out << t;
        return out;
    }

    std::unique_ptr<testsupport::LoopbackHttpServer> server;
    std::unique_ptr<testsupport::ClockHoldWhileServing> hold;
    std::vector<MsgBoxCall> msgBoxes;
    int answer = vb::vbNo;
    int ends = 0;
    QStringList started;
};

} // namespace updatetest
