#pragma once
// Fixtures of the start-up tests: an installation folder of their own, a store of named values
// of their own, and a run log to read the reports back from.

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/value_store.h"
#include "session_state/session_state.h"
#include "support/text_files.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <utility>
#include <vector>

namespace startuptest {

// A text in the six-digit encoding: each GBK character's code plus `offset` as six digits.
inline QString sixDigit(const QString& text, int offset = 200000)
{
    const QByteArray gbk = platform::toGbk(text);
    QString out;
    for (qsizetype i = 0; i < gbk.size(); ++i) {
        int code = static_cast<unsigned char>(gbk[i]);
        if (code >= 0x81 && i + 1 < gbk.size())
            code = code * 256 + static_cast<unsigned char>(gbk[++i]);
        out += QStringLiteral("%1").arg(code + offset, 6, 10, QLatin1Char('0'));
    }
    return out;
}

using tsupport::fileBytes;
using tsupport::writeLines;

// One report as the run log shows it.
struct LoggedReport {
    QString tagAndText;
    int number = 0;
};

// The reports in a run log, in order (entries that are not reports are left out).
inline std::vector<LoggedReport> loggedReports(const QString& logPath)
{
    std::vector<LoggedReport> out;
    const auto lines = platform::readLines(logPath);
    if (!lines)
        return out;
    static const QRegularExpression versionLine(QStringLiteral("^系统版本:.*,(-?\\d+)$"));
    for (qsizetype i = 0; i + 1 < lines->size(); ++i) {
        if (!lines->at(i).startsWith(QStringLiteral("软件运行提示:")))
            continue;
        const auto m = versionLine.match(lines->at(i + 1));
        out.push_back({lines->at(i).mid(7), m.hasMatch() ? m.captured(1).toInt() : -99999});
    }
    return out;
}

// A fresh session on a temporary installation folder (AppPath without a trailing separator), a value
// store in a file of its own, the run log in the installation's ksdata folder, and no report
// endpoint.
class InstallationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.isValid());
        ASSERT_TRUE(storeDir.isValid());
        QStandardPaths::setTestModeEnabled(true);
        platform::ValueStore::setFilePathOverride(storeDir.filePath(QStringLiteral("registry.ini")));
        qunsetenv("TALVESK_REPORT_URL");
        resetSession();
        S().AppPath = app.path();
        QDir(app.path()).mkpath(QStringLiteral("ksdata"));
        S().RunLogPath = logPath();
    }
    void TearDown() override
    {
        platform::ValueStore::setFilePathOverride({});
        qunsetenv("TALVESK_REPORT_URL");
        resetSession();
    }

    QString appFile(const QString& name) const { return app.filePath(name); }
    QString logPath() const { return app.filePath(QStringLiteral("ksdata/run.txt")); }
    std::vector<LoggedReport> reports() const { return loggedReports(logPath()); }

    QTemporaryDir app;
    QTemporaryDir storeDir;
};

} // namespace startuptest
