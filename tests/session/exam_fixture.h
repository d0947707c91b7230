#pragma once
// A small installation for the exam windows: a data folder with the faces they load, a record
// folder, a 96-dpi screen of 1024 x 768, the session of a fixed paper and message boxes that a
// test answers.

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/vb.h"
#include "session_state/session_state.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <functional>

struct AskedBox {
    QString prompt;
    int buttons = 0;
    QString title;
};

class ExamWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        tsupport::standardScreen();
        resetSession();
        SessionState& s = S();
        s.AppPath = install.root();
        s.DataDir = install.mkdir(QStringLiteral("data")) + u'/';
        install.mkdir(QStringLiteral("ksdata"));
        s.sysInfo[0] = QStringLiteral("Talvesk");
        s.ModuleName = QStringLiteral("电子表格");
        s.CandidateName = QStringLiteral("考生甲");
        s.ApplicationTitle = QStringLiteral("TalveskSys——电子表格模块");
        for (const char* name : {"l62011", "9l0056", "9l0057", "9l0058", "l20071", "l20072"})
            install.writePicture(QStringLiteral("data/%1.mxy").arg(QLatin1String(name)), {40, 30}, Qt::darkCyan);
        for (const char* name : {"l01035", "l01036", "l01037", "l01041", "l01042"})
            install.writePicture(QStringLiteral("data/%1.mxy").arg(QLatin1String(name)), {120, 30}, Qt::gray);
        // The result buttons' faces: right green, wrong red.
        install.writePicture(QStringLiteral("data/l01033.mxy"), {120, 30}, Qt::green);
        install.writePicture(QStringLiteral("data/l01034.mxy"), {120, 30}, Qt::red);
        vb::setMsgBoxResponder([this](const QString& prompt, int buttons, const QString& title) {
            boxes.push_back({prompt, buttons, title});
            return answer;
        });
    }
    void TearDown() override
    {
        vb::setMsgBoxResponder({});
        vb::setModalResponder({});
        vb::Forms::unloadAll();
        vb::setTwipsPerPixelOverride(0, 0);
        vb::setScreenSizeOverride(0, 0);
        resetSession();
    }

    QString rec(const QString& number) const { return install.path(QStringLiteral("ksdata/") + number + QStringLiteral(".mxy")); }
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    tsupport::TempInstall install;
    std::vector<AskedBox> boxes;
    int answer = vb::vbNo;
};
