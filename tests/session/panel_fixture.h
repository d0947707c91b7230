#pragma once
// A small practice session for the question panel: the simulated window's installation with a
// question file, a step file of one-step questions, the panel's faces and a record folder.

#include "simwindow/sim_window_fixture.h"

#include "controls/frm_qvmsgbox.h"
#include "controls/mivo_button.h"
#include "cover/frm_fengmian.h"
#include "platform/vb_msgbox.h"
#include "session/frm_picture.h"
#include "session/frm_tm.h"

#include <QFile>

class PanelTest : public SimWindowTest {
protected:
    void SetUp() override
    {
        SimWindowTest::SetUp();
        SessionState& s = S();
        s.QuestionFilePath = s.DataDir + QStringLiteral("288869.mxy");
        s.ModuleName = QStringLiteral("电子表格");
        s.SessionKind = 20;
        s.RunLogPath = inst.path(QStringLiteral("ksdata/run.txt"));
        inst.mkdir(QStringLiteral("ksdata"));
        for (const char* f : {"l01030", "l01031", "l01032"})
            picture(QString::fromLatin1(f), {120, 30});
        vb::setMsgBoxResponder([this](const QString& prompt, int buttons, const QString& title) {
            boxes << prompt;
            boxTitles << title;
            lastButtons = buttons;
            return answer;
        });
    }
    void TearDown() override
    {
        vb::setMsgBoxResponder(nullptr);
        vb::setModalResponder(nullptr);
        vb::setEndResponder(nullptr);
        SimWindowTest::TearDown();
    }

    // A session of `texts.size()` one-step questions with these question texts.
    void questions(const QStringList& texts) const
    {
        std::vector<std::vector<QString>> steps;
        QStringList lines;
        for (const QString& t : texts) {
            steps.push_back({Step(QStringLiteral("0001"))});
            lines << QStringLiteral("000001") + t;
        }
        session(steps);
        inst.writeLines(QStringLiteral("data/288869.mxy"), lines);
    }

    // The exam of a fixed paper: 40 one-step questions "题1".."题40" with the ids firstId + 1 ..
    // firstId + 40, begun at nine.
    void fixedPaperExam(int firstId) const
    {
        QStringList texts;
        for (int i = 1; i <= 40; ++i)
            texts << QStringLiteral("题%1").arg(i);
        questions(texts);
        SessionState& s = S();
        s.SessionKind = 0;
        s.SetIndex = 4;
        s.PaperNo = 4;
        s.QuestionCount = 40;
        s.DisplayMode = 3;
        s.PanelMayClose = 0;
        s.ExamStartTime = QStringLiteral("2026-12-10 09:00:00");
        for (int i = 1; i <= 40; ++i)
            s.QuestionId[static_cast<std::size_t>(i)] = firstId + i;
    }

    // The panel loaded (it shows the current question) and shown, the window laid out and the
    // panel's buttons set for the display mode.
    FrmTm& panel() const
    {
        FrmTm& p = frmTm();
        p.Show();
        platform::Clock::advance(500);
        return p;
    }

    // Closes the cover from the window system and answers the question it asks with the box's
    // button `button` (1 confirm, 0 cancel); true when the program ended.
    bool closeCoverAnswering(int button)
    {
        bool ended = false;
        vb::setEndResponder([&ended] { ended = true; });
        QStringList asked;
        vb::setModalResponder([&](vb::Form& f) {
            if (auto* box = qobject_cast<FrmQVMSGBOX*>(&f)) {
                asked << box->LblTitle->Caption() + u'|' + box->LblPrompt->Caption().trimmed();
                tsupport::click(box->LblClick(button));
            } else {
                vb::Unload(f);
            }
        });
        frmFengmian().close();
        vb::setModalResponder(nullptr);
        vb::setEndResponder(nullptr);
        EXPECT_EQ(asked, QStringList{QStringLiteral("退出系统|您确实要退出学习软件吗？")});
        return ended;
    }

    QString runLog() const
    {
        QFile f(S().RunLogPath);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    QStringList boxes;
    QStringList boxTitles;
    int lastButtons = 0;
    int answer = vb::vbOK;
};
