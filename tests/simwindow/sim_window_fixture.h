#pragma once
// A small session for the simulated window: a temporary installation with a data folder, a
// step file written from the test's records, the session variables that the panel and the
// session builder would fill, and the window shown on the manual clock.

#include "platform/clock.h"
#include "platform/vb.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "support/events.h"
#include "support/step_line.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QStringList>
#include <vector>

// A step record built field by field on a record that asks for nothing: pictures kept (step 1:
// the default background, empty overlays), no targets, the hint unchanged, no editor.
class Step {
public:
    explicit Step(const QString& code)
        : line_(stepLine({{8, code},
                          {12, QStringLiteral("888888")},
                          {28, QStringLiteral("000000")},
                          {44, QStringLiteral("000000")},
                          {60, QStringLiteral("000000")},
                          {66, QString(20, u'0')},
                          {106, QStringLiteral("000000")},
                          {112, QString(10, u'0')},
                          {122, QStringLiteral("000")},
                          {145, QStringLiteral("000000")},
                          {161, QStringLiteral("000000")},
                          {187, QString(10, u'0')},
                          {207, QStringLiteral("000000")}}))
    {
    }
    // Writes text at a column (1-based).
    Step& at(int col, const QString& text)
    {
        line_.replace(col - 1, text.size(), text);
        return *this;
    }
    static QString num(int value, int width) { return QStringLiteral("%1").arg(value, width, 10, QChar(u'0')); }

    Step& back(const QString& picture) { return at(12, picture); }
    // Overlay k = 1..5 at a place with a picture and a jump field (Image5 has none).
    Step& image(int k, int left, int top, const QString& picture, const QString& jump = QStringLiteral("0"))
    {
        static constexpr int cols[6] = {0, 18, 34, 50, 135, 151};
        const int c = cols[k];
        if (k == 5)
            return at(c, num(left, 5)).at(c + 5, num(top, 5)).at(161, picture);
        return at(c, num(left, 5)).at(c + 5, jump).at(c + 6, num(top, 4)).at(c + 10, picture);
    }
    Step& image6(int left, int top, const QString& picture)
    {
        return at(197, num(left, 5)).at(203, num(top, 4)).at(207, picture);
    }
    Step& target1(int left, int top, int width, int height, const QString& jump = QStringLiteral("0"))
    {
        return at(66, num(left, 5)).at(71, jump).at(72, num(top, 4)).at(76, num(width, 5)).at(81, num(height, 5));
    }
    Step& target2(int left, int top, int width, int height, const QString& jump = QStringLiteral("0"))
    {
        return at(177, num(left, 5)).at(182, jump).at(183, num(top, 4)).at(187, num(width, 5)).at(192, num(height, 5));
    }
    Step& editor(int left, int top, int width, int height)
    {
        return at(86, num(left, 5)).at(91, QStringLiteral("0")).at(92, num(top, 4)).at(96, num(width, 5)).at(101, num(height, 5));
    }
    Step& texts(int editorLine, int answerLine)
    {
        return at(106, num(editorLine, 3)).at(109, num(answerLine, 3));
    }
    Step& hint(int left, int top, int line) { return at(112, num(left, 5)).at(117, num(top, 5)).at(122, num(line, 3)); }
    Step& zones(const QString& spec1, const QString& spec2 = QStringLiteral("  "))
    {
        return at(4, spec1).at(6, spec2);
    }
    operator QString() const { return line_; }
    const QString& line() const { return line_; }

private:
    QString line_;
};

class SimWindowTest : public ::testing::Test {
protected:
    tsupport::TempInstall inst;

    void SetUp() override
    {
        ASSERT_TRUE(inst.isValid());
        tsupport::standardScreen();
        resetSession();
        SessionState& s = S();
        s.ScaleX = 1.0;
        s.ScaleY = 1.0;
        s.AppPath = inst.root();
        s.DataDir = inst.mkdir(QStringLiteral("data")) + u'/';
        s.StepFilePath = s.DataDir + QStringLiteral("288819.mxy");
        s.TextTablePath = s.DataDir + QStringLiteral("288890.mxy");
        s.DisplayMode = 2;
        picture(QStringLiteral("310010"), {800, 600}, QColor(0, 128, 0));
    }

    void TearDown() override
    {
        vb::setPopupResponder(nullptr);
        vb::Forms::unloadAll();
        platform::Clock::advance(1);
        resetSession();
        vb::setTwipsPerPixelOverride(0, 0);
        vb::setScreenSizeOverride(0, 0);
    }

    // A step picture of the data folder.
    QString picture(const QString& code, QSize size = {4, 4}, const QColor& colour = Qt::red) const
    {
        return inst.writePicture(QStringLiteral("data/") + code + QStringLiteral(".mxy"), size, colour);
    }

    // The text table: line n of the list is text line n (the three leading characters added).
    void textTable(const QStringList& texts) const
    {
        QStringList lines;
        for (int i = 0; i < texts.size(); ++i)
            lines << Step::num(i + 1, 3) + texts[i];
        inst.writeLines(QStringLiteral("data/288890.mxy"), lines);
    }

    // The session's step file and question table from the records of each question.
    void session(const std::vector<std::vector<QString>>& questions) const
    {
        SessionState& s = S();
        QStringList lines;
        int first = 1;
        int q = 0;
        for (const auto& steps : questions) {
            ++q;
            s.QuestionFirstLine[static_cast<std::size_t>(q)] = first;
            s.QuestionStepCount[static_cast<std::size_t>(q)] = static_cast<int>(steps.size());
            s.QuestionId[static_cast<std::size_t>(q)] = q;
            for (const QString& rec : steps)
                lines << rec;
            first += static_cast<int>(steps.size());
        }
        s.QuestionCount = q;
        inst.writeLines(QStringLiteral("data/288819.mxy"), lines);
    }

    // The panel shows question q at `step`; the window lays it out 100 ms later.
    FrmMain& show(int q = 1, int step = 1) const
    {
        FrmMain& w = frmMain();
        S().CurrentQuestion = q;
        S().SavedStep[static_cast<std::size_t>(q)] = step;
        frmTm().DqExam();
        platform::Clock::advance(100);
        return w;
    }

    static int step() { return S().CurrentStep; }
};

// The pointer comes from the window's bare corner onto a control (a move to where the pointer
// already is raises nothing).
inline void hover(vb::Control& c, int buttons = 0)
{
    tsupport::moveTo(frmMain(), 30, 8900);
    tsupport::move(c, buttons);
}

// The colour of a window's pixel at a point given in twips.
inline QColor pixelAt(QWidget& w, int xTw, int yTw)
{
    return w.grab().toImage().pixelColor(xTw / 15, yTw / 15);
}
