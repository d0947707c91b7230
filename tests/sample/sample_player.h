#pragma once
// The sample units played on the simulated window: the bank of a unit as the session, and the
// actions that each step record expects, given through real mouse and key events.

#include "sample_install.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/vb.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <array>

namespace tsample {

using platform::Clock;
using tsupport::click;

constexpr int L = vb::vbLeftButton;
constexpr int R = vb::vbRightButton;

inline QString field(const QString& rec, int col, int width) { return rec.mid(col - 1, width); }
inline int number(const QString& rec, int col, int width) { return field(rec, col, width).toInt(); }

struct BankQuestion {
    QString id;
    int firstLine;
    int steps;
};

class SamplePlayer : public ::testing::TestWithParam<int> {
protected:
    tsupport::TempInstall inst;
    QStringList texts;
    vb::Menu* contextChoice = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(inst.isValid());
        ASSERT_TRUE(tsample::copyInstallation(inst));
        tsupport::standardScreen();
        resetSession();
        SessionState& s = S();
        s.ScaleX = 1.0;
        s.ScaleY = 1.0;
        s.AppPath = inst.root() + u'/';
        s.DataDir = inst.path(QStringLiteral("data")) + u'/';
        s.TextTablePath = s.DataDir + QStringLiteral("288890.mxy");
        s.DisplayMode = 2;
        texts = platform::readLines(s.TextTablePath).value_or(QStringList());
        vb::setPopupResponder([this](vb::Menu&) { return contextChoice; });
    }

    void TearDown() override
    {
        vb::setPopupResponder(nullptr);
        vb::Forms::unloadAll();
        Clock::advance(1);
        resetSession();
        vb::setTwipsPerPixelOverride(0, 0);
        vb::setScreenSizeOverride(0, 0);
    }

    // The unit's bank as the session, as the whole unit's practice plays it: every question in
    // the order of its file.
    std::vector<BankQuestion> loadUnit(int unit)
    {
        SessionState& s = S();
        s.SessionKind = 20;
        s.SetIndex = unit;
        const QString nn = QString::number(unit);
        s.StepFilePath = s.DataDir + QStringLiteral("28882") + nn + QStringLiteral(".mxy");
        const auto lines = platform::readLines(s.DataDir + QStringLiteral("28887") + nn + QStringLiteral(".mxy"));
        std::vector<BankQuestion> out;
        if (!lines)
            return out;
        int first = 1;
        for (const QString& line : *lines) {
            const int steps = number(line, 5, 2);
            out.push_back({line.left(4), first, steps});
            const auto q = out.size();
            s.QuestionFirstLine[q] = first;
            s.QuestionStepCount[q] = steps;
            s.QuestionId[q] = line.left(4).toInt();
            first += steps;
        }
        s.QuestionCount = static_cast<int>(out.size());
        return out;
    }

    QString text(int line) const { return line >= 1 && line <= texts.size() ? texts[line - 1].mid(3) : QString(); }

    // The first accepted answer of a typing step ("|" parts the alternatives).
    QString answer(const QString& rec, bool whole) const
    {
        const QString a = text(number(rec, 109, 3));
        return whole ? a : a.section(u'|', 0, 0);
    }

    // Types as a candidate does, without a click: into the window's keyboard focus, which the
    // step has given to the editor it shows.
    static void typeInto(FrmMain& w, const QString& t) { tsupport::typeText(w, t); }

    void pictureDrag(FrmMain& w, int code)
    {
        const QString rec = S().StepRecord;
        const int px = number(rec, 167, 5);
        const int py = number(rec, 172, 5);
        tsupport::press(*w.Image5, L, 0, 30, 30);
        const double x0 = w.Image5->Left() + 30;
        const double y0 = w.Image5->Top() + 30;
        // The picture follows half of each movement: move on in small steps until it is past.
        for (int k = 1; k <= 400; ++k) {
            const bool right = code == 8002;
            tsupport::move(w, L, 0, right ? x0 + 30 * k : x0, right ? y0 : y0 + 30 * k);
            if ((right && w.Image5->Left() >= px) || (!right && w.Image5->Top() >= py))
                break;
        }
        tsupport::release(w, L, 0, w.Image5->Left() + 30, w.Image5->Top() + 30);
    }

    void menuChoice(FrmMain& w, const QString& rec)
    {
        // A pane's choice stands at 86, where it names the pane as well.
        const int pane = field(rec, 86, 1) == u"H" ? number(rec, 87, 2) : 0;
        const QString target = pane ? field(rec, 86, 10) : field(rec, 125, 10);
        const int element = number(target, 2, 2);
        const int item = number(target, 4, 2);
        const int sub = number(target, 6, 2);
        if (pane == 33 || pane == 34) {
            // A palette that the step opens itself takes clicks once laid out.
            Clock::advance(100);
            click(w.Lbl1J(item));
            return;
        }
        if (item == 0) {
            click(w.LblZHU(element));
            return;
        }
        if (pane) {
            // A click on the pane opens its list and passes nothing: the step waits for the item.
            const int before = S().CurrentStep;
            click(w.LblZHU(pane), L, 0, 150.0, 120.0); // the pane's spot reaches past its picture
            ASSERT_EQ(S().CurrentStep, before) << "a bare click on pane " << pane << " passed the step";
            ASSERT_TRUE(w.Pic1J->Visible()) << "pane " << pane << " opened no list";
        } else {
            click(w.LblZHU(element));
        }
        if (sub == 0) {
            click(w.Lbl1J(item));
            return;
        }
        click(w.Lbl1J(item));
        tsupport::move(w.Lbl2J(sub));
        click(w.Lbl2J(sub));
    }

    void contextMenu(FrmMain& w, int code, vb::Control& on)
    {
        const std::array<vb::ControlArray<vb::Menu>*, 9> groups{&w.sMivoSub1, &w.sMivoInde1, &w.sMivoSub2,
                                                                &w.sMivoInde2, &w.sMivoSub3, &w.sMivoInde3,
                                                                &w.sMivoSub4, &w.sMivoSub5, &w.sMivoInde4};
        contextChoice = &(*groups[static_cast<std::size_t>(code / 10 % 10 - 1)])(code % 10);
        click(on, R);
        contextChoice = nullptr;
    }

    // One action: the one that the current step record asks for.
    void act(FrmMain& w)
    {
        const QString rec = S().StepRecord;
        const QString code = field(rec, 8, 4);
        if (field(rec, 130, 1) == u"X" && field(rec, 132, 1) != field(rec, 133, 1))
            click(w.LblXXK(number(rec, 133, 1)));
        if (code.startsWith(u'L')) {
            auto* list = qobject_cast<QListWidget*>(w.LstLA->widget());
            ASSERT_TRUE(list);
            const QRect r = list->visualItemRect(list->item(number(rec, 109, 3)));
            click(*w.LstLA, L, 0, r.center().x() * 15.0, r.center().y() * 15.0);
            return;
        }
        if (code.startsWith(u'K')) {
            click(*w.LblADDmyXZ);
            click(w.LblADD(code.mid(2, 2).toInt()));
            return;
        }
        const int c = code.toInt();
        if (c == 1) {
            click(*w.Label1);
        } else if (c == 2) {
            tsupport::dblClick(*w.Label1);
        } else if (c == 3) {
            if (field(rec, 86, 1) == u"R")
                contextMenu(w, number(rec, 87, 4), *w.Label1);
            else
                click(*w.Label1, R);
        } else if (c == 20 || c == 25) {
            typeInto(w, answer(rec, false));
        } else if (c == 21) {
            typeInto(w, answer(rec, true));
        } else if (c == 27) {
            typeInto(w, answer(rec, false));
        } else if (c == 22 || c == 24 || c == 28) {
            typeInto(w, answer(rec, false));
            tsupport::keyToFocus(w, vb::vbKeyReturn);
        } else if (c == 26) {
            typeInto(w, answer(rec, false));
            click(*w.Label1);
        } else if (c == 23) {
            const QString part = text(number(rec, 122, 3));
            tsupport::press(*w.Text1);
            w.Text1->setSelStart(static_cast<int>(w.Text1->Text().indexOf(part)));
            w.Text1->setSelLength(static_cast<int>(part.size()));
            tsupport::release(*w.Text1);
        } else if (c == 30) {
            tsupport::moveTo(w, 30, 8900);
            tsupport::move(*w.Label1);
        } else if (c >= 40 && c <= 59) {
            const int shift = c % 10;
            const double x = w.Label1->Left() + w.Label1->Width() / 2.0;
            const double y = w.Label1->Top() + w.Label1->Height() / 2.0;
            tsupport::press(*w.Label4, L, shift);
            tsupport::move(w, L, shift, x, y);
            tsupport::release(w, L, shift, x, y);
        } else if (c > 3400 && c < 3500 && w.Label1->Width() <= 1) {
            contextMenu(w, c, w.LblZHU(60));
        } else if (c >= 3000 && c < 6000) {
            contextMenu(w, c, *w.Label1);
        } else if (c >= 6000 && c < 7000) {
            const int kk = c % 100;
            tsupport::key(w, kk == 12 ? 112 : kk, c / 100 % 10);
        } else if (c == 7000) {
            menuChoice(w, rec);
        } else if (c == 8888) {
            Clock::advance(1000);
        } else if (c > 8000 && c < 8010) {
            pictureDrag(w, c);
        } else if (c >= 9000 && c < 9999) {
            click(*w.Label1, c % 100, c % 1000 / 100);
        } else {
            FAIL() << "no action for the code " << code.toStdString();
        }
    }

    // Plays question q of the session from its first step with the actions its records ask
    // for, until its end; fails where a step does not pass or the question does not end.
    void playQuestion(FrmMain& w, int q, int steps)
    {
        const auto k = static_cast<std::size_t>(q);
        S().CurrentQuestion = q;
        S().SavedStep[k] = 1;
        frmTm().DqExam();
        Clock::advance(100);
        ASSERT_EQ(S().CurrentQuestion, q);
        for (int actions = 0; field(S().StepRecord, 8, 4) != u"9999"; ++actions) {
            ASSERT_LT(actions, steps) << "the question does not end";
            const int before = S().CurrentStep;
            const QString rec = S().StepRecord;
            act(w);
            ASSERT_NE(S().CurrentStep, before) << "step " << before << " did not pass: " << rec.toStdString();
        }
    }
};

} // namespace tsample
