// The program's start as talvesk makes it, on the installation named by argv[1].
//
// Without a second argument it prints "shown" and ends at once when the cover page first
// paints. With "rss-cover" it prints "rss <kB>" (its resident memory) one second after that
// paint; with "rss-practice" it opens the units panel and starts the selected unit's practice
// as the candidate's two clicks do, and prints its resident memory one second after the
// simulated window first paints.
#include "cover/frm_fengmian.h"
#include "platform/vb_form.h"
#include "platform/vb_msgbox.h"
#include "resident.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/frm_start.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

enum class Mode { Shown, CoverMemory, PracticeMemory };

class FirstPaint : public QObject {
public:
    explicit FirstPaint(Mode mode) : mode_(mode) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::Paint || done_ || !o->isWidgetType())
            return false;
        // The window's first paint: of the window or of any control in it (controls that cover
        // the window leave it nothing to paint itself).
        QWidget* window = static_cast<QWidget*>(o)->window();
        if (qobject_cast<FrmFengmian*>(window)) {
            if (mode_ == Mode::Shown) {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                _exit(0);
            }
            if (mode_ == Mode::CoverMemory) {
                reportLater();
            } else if (!practiceAsked_) {
                practiceAsked_ = true;
                // After this paint, as a click would come.
                QTimer::singleShot(0, [] {
                    frmFengmian().ClickBotn_Click(16);
                    frmFengmian().ClickBotn_Click(20);
                });
            }
        } else if (mode_ == Mode::PracticeMemory && qobject_cast<FrmMain*>(window)) {
            reportLater();
        }
        return false;
    }

private:
    void reportLater()
    {
        done_ = true;
        QTimer::singleShot(1000, [] {
            std::printf("rss %ld\n", probes::residentKiB());
            std::fflush(stdout);
            _exit(0);
        });
    }

    Mode mode_;
    bool done_ = false;
    bool practiceAsked_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QByteArray mode = argc > 2 ? QByteArray(argv[2]) : QByteArray();
    FirstPaint probe(mode == "rss-cover" ? Mode::CoverMemory : mode == "rss-practice" ? Mode::PracticeMemory : Mode::Shown);
    app.installEventFilter(&probe);
    S().AppPath = QString::fromLocal8Bit(argc > 1 ? argv[1] : ".") + u'/';
    FrmStart& start = frmStart();
    if (!start.isLoaded())
        return 1;
    vb::setDefaultMsgBoxTitle(S().ApplicationTitle);
    start.Show();
    return app.exec();
}
