#pragma once
// A temporary installation for the cover page and the session builder: a data folder with
// small unit banks and tables written by the tests, a record folder, and the run log.

#include "platform/files.h"
#include "session_state/session_state.h"
#include "support/text_files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace covertest {

using tsupport::fileBytes;
using tsupport::writeLines;

inline QStringList fileLines(const QString& path) { return platform::readLines(path).value_or(QStringList()); }

// A question line: four carried characters, the number of steps, the text.
inline QString questionLine(const QString& carried, int steps, const QString& text)
{
    return carried + QStringLiteral("%1").arg(steps, 2, 10, QChar(u'0')) + text;
}

// Forty ids of a paper over units unit, unit + 1, unit + 2, fifteen questions each from `from` on.
inline QString paper(int unit, int from)
{
    QString ids;
    for (int k = 0; k < 40; ++k)
        ids += QStringLiteral("%1%2").arg(unit + k / 15, 2, 10, QChar('0')).arg(from + k % 15, 2, 10, QChar('0'));
    return ids;
}

class InstallationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(app.isValid());
        resetSession();
        S().AppPath = app.path();
        S().DataDir = app.filePath(QStringLiteral("excel")) + u'/';
        QDir(app.path()).mkpath(QStringLiteral("excel"));
        QDir(app.path()).mkpath(QStringLiteral("ksdata"));
        S().RunLogPath = app.filePath(QStringLiteral("ksdata/run.txt"));
    }
    void TearDown() override { resetSession(); }

    QString data(const QString& name) const { return app.filePath(QStringLiteral("excel/") + name + QStringLiteral(".mxy")); }
    QString record(const QString& name) const { return app.filePath(QStringLiteral("ksdata/") + name + QStringLiteral(".mxy")); }
    QString log() const { return QString::fromUtf8(fileBytes(S().RunLogPath)); }

    // Unit u's bank: question k (1-based) has counts[k-1] steps named "u<u>q<k>s<s>".
    void writeBank(int unit, const std::vector<int>& counts)
    {
        QStringList questions, steps;
        for (std::size_t k = 0; k < counts.size(); ++k) {
            const QString id = QStringLiteral("%1%2").arg(unit, 2, 10, QChar(u'0')).arg(k + 1, 2, 10, QChar(u'0'));
            questions << questionLine(QStringLiteral("c") + id.right(3), counts[k], QStringLiteral("题目") + id);
            for (int s = 1; s <= counts[k]; ++s)
                steps << QStringLiteral("u%1q%2s%3").arg(unit).arg(k + 1).arg(s);
        }
        writeLines(data(QStringLiteral("2888%1").arg(70 + unit)), questions);
        writeLines(data(QStringLiteral("2888%1").arg(20 + unit)), steps);
    }

    // Ten fixed papers over three units of fifteen one-step questions.
    void writePapersAndUnits()
    {
        QStringList table = {QStringLiteral("1003"), QStringLiteral("151515")};
        for (int p = 0; p < 10; ++p)
            table << paper(0, 1);
        writeLines(data(QStringLiteral("288891")), table);
        for (int u = 0; u < 3; ++u)
            writeBank(u, std::vector<int>(15, 1));
    }

    QTemporaryDir app;
};

} // namespace covertest
