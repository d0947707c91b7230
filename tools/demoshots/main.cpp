// Plays the demonstration of one question of the sample installation and saves a picture of the
// window before every arrival of the pointer, so that a person can look at each step as the
// demonstration lays it out. Not part of the program.
//
//   talvesk-demoshots <installation folder> <output folder> [question, default 5]
//
// A second after each aim the pointer arrives; the run ends when the demonstration closes.

#include "demo/demo_player.h"
#include "demo/frm_yanshi.h"
#include "platform/files.h"
#include "platform/vb_form.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace {

// The session of the installation's list file pair (kind 0, set 19), as the cover page would
// prepare it: the question lines give each question's number of steps.
bool prepareSession(const QString& root, int question)
{
    SessionState& s = S();
    s.AppPath = root;
    s.DataDir = installPath(u"data/");
    s.TextTablePath = s.DataDir + QStringLiteral("288890.mxy");
    s.SessionKind = 0;
    s.SetIndex = 19;
    int first = 1;
    for (int q = 1; q <= MaxQuestions; ++q) {
        const std::optional<QString> line = platform::readLineAt(s.DataDir + QStringLiteral("288869.mxy"), q);
        if (!line || line->isEmpty())
            break;
        const auto qi = static_cast<std::size_t>(q);
        s.QuestionFirstLine[qi] = first;
        s.QuestionStepCount[qi] = codes::numField(*line, 5, 2);
        first += s.QuestionStepCount[qi];
        s.QuestionCount = q;
        if (q == question)
            s.QuestionLine = *line;
    }
    s.CurrentQuestion = question;
    s.DemoRunning = -1;
    return question >= 1 && question <= s.QuestionCount;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: talvesk-demoshots <installation folder> <output folder> [question]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);
    if (!prepareSession(QString::fromLocal8Bit(argv[1]), argc > 3 ? std::atoi(argv[3]) : 5)) {
        std::fprintf(stderr, "no such question in the installation\n");
        return 1;
    }

    FrmYanShi& w = vb::Forms::get<FrmYanShi>();
    w.Show();
    int shot = 0;
    QTimer tick;
    tick.setInterval(1000);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (!vb::Forms::isLoaded<FrmYanShi>() || !S().DemoRunning) {
            tick.stop();
            QApplication::quit();
            return;
        }
        const QString name = QStringLiteral("%1/step%2-%3.png").arg(out).arg(w.st.StepNo, 2, 10, QChar(u'0')).arg(++shot);
        w.screen()->grabWindow(0).save(name);
        std::printf("%s\n", qPrintable(name));
        w.player().arrive();
        // The last step closes the window within half a second: its picture now.
        if (vb::Forms::isLoaded<FrmYanShi>() && w.TimEnd->Enabled()) {
            w.repaint();
            QApplication::processEvents();
            w.screen()->grabWindow(0).save(QStringLiteral("%1/step%2-end.png").arg(out).arg(w.st.StepNo, 2, 10, QChar(u'0')));
        }
    });
    tick.start();
    return app.exec();
}
