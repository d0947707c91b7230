// The program's start as talvesk makes it, on the installation named by argv[1].
//
// Without a second argument it prints "shown" and ends at once when the cover page is on the
// screen (probes::FirstFrame). With "rss-cover" it prints "rss <kB>" (its resident memory) one
// second after that; with "rss-practice" it opens the units panel and starts the selected unit's
// practice as the candidate's two clicks do, and prints its resident memory one second after the
// simulated window is on the screen. With "trace" it prints, before "shown", the milliseconds
// since main() at which each phase of the start ended, one "phase <name> <ms>" line each, the
// first ("exec") the time from the process's start to main(), to the kernel's clock tick.
#include "cover/frm_fengmian.h"
#include "first_frame.h"
#include "platform/vb_form.h"
#include "platform/vb_msgbox.h"
#include "resident.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/frm_start.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <optional>
#include <unistd.h>

namespace {

enum class Mode { Shown, Trace, CoverMemory, PracticeMemory };

QElapsedTimer sinceMain;

void phase(const char* name)
{
    std::printf("phase %s %.1f\n", name, static_cast<double>(sinceMain.nsecsElapsed()) / 1e6);
    // Out at once: a child that a library forks would write what is left in the buffer again.
    std::fflush(stdout);
}

// Milliseconds from the process's start (its exec, to the kernel's tick) to now.
double sinceExec()
{
    QFile f(QStringLiteral("/proc/self/stat"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    // The fields after the command's name, which ends with the last ")": the start time is 22nd.
    const QByteArray stat = f.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double startedMs = fields.value(19).toDouble() * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 - startedMs;
}

void reportMemoryLater()
{
    QTimer::singleShot(1000, [] {
        std::printf("rss %ld\n", probes::residentKiB());
        std::fflush(stdout);
        _exit(0);
    });
}

// The phases of the start that show as events: the splash on the screen, the cover's window
// made (the splash's tick has come), the cover loaded and shown, its first paint.
class Phases : public QObject {
public:
    Phases() { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (!o->isWidgetType())
            return false;
        QWidget* window = static_cast<QWidget*>(o)->window();
        if (qobject_cast<FrmFengmian*>(window)) {
            if (!made_) {
                made_ = true;
                phase("tick");
            }
            if (e->type() == QEvent::Show && o == window && !shown_) {
                shown_ = true;
                phase("cover-load");
            }
            if (e->type() == QEvent::Paint && !painted_) {
                painted_ = true;
                phase("cover-paint");
            }
        } else if (qobject_cast<FrmStart*>(window) && e->type() == QEvent::Paint && !splash_) {
            splash_ = true;
            phase("splash-paint");
        }
        return false;
    }

private:
    bool splash_ = false, made_ = false, shown_ = false, painted_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    sinceMain.start();
    const double execToMain = sinceExec();
    QApplication app(argc, argv);
    const QByteArray arg = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    const Mode mode = arg == "rss-cover"      ? Mode::CoverMemory
                      : arg == "rss-practice" ? Mode::PracticeMemory
                      : arg == "trace"        ? Mode::Trace
                                              : Mode::Shown;
    std::optional<Phases> phases;
    if (mode == Mode::Trace) {
        std::printf("phase exec %.1f\n", -execToMain);
        phase("qt-start");
        phases.emplace();
    }
    const auto isCover = [](QWidget* w) { return qobject_cast<FrmFengmian*>(w) != nullptr; };
    probes::FirstFrame cover(isCover, [mode](QWidget*) {
        if (mode == Mode::CoverMemory) {
            QMetaObject::invokeMethod(qApp, &reportMemoryLater);
        } else if (mode == Mode::PracticeMemory) {
            // As the candidate's clicks come, once the cover is there.
            QMetaObject::invokeMethod(qApp, [] {
                frmFengmian().ClickBotn_Click(16);
                frmFengmian().ClickBotn_Click(20);
            });
        } else {
            if (mode == Mode::Trace)
                phase("map");
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            _exit(0);
        }
    });
    std::optional<probes::FirstFrame> practice;
    if (mode == Mode::PracticeMemory)
        practice.emplace([](QWidget* w) { return qobject_cast<FrmMain*>(w) != nullptr; },
                         [](QWidget*) { QMetaObject::invokeMethod(qApp, &reportMemoryLater); });
    S().AppPath = QString::fromLocal8Bit(argc > 1 ? argv[1] : ".") + u'/';
    FrmStart& start = frmStart();
    if (!start.isLoaded())
        return 1;
    vb::setDefaultMsgBoxTitle(S().ApplicationTitle);
    if (mode == Mode::Trace)
        phase("configuration");
    start.Show();
    if (mode == Mode::Trace)
        phase("splash-show");
    return app.exec();
}
