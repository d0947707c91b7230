// The program's start as talvesk makes it, on the installation named by argv[1]; prints "shown"
// and ends at once when the cover page first paints.
#include "cover/frm_fengmian.h"
#include "platform/vb_form.h"
#include "platform/vb_msgbox.h"
#include "session_state/session_state.h"
#include "startup/frm_start.h"

#include <QApplication>
#include <cstdio>
#include <unistd.h>

namespace {
class FirstPaint : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && qobject_cast<FrmFengmian*>(o)) {
            std::fputs("shown\n", stdout);
            std::fflush(stdout);
            _exit(0);
        }
        return false;
    }
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaint probe;
    app.installEventFilter(&probe);
    S().AppPath = QString::fromLocal8Bit(argc > 1 ? argv[1] : ".") + u'/';
    FrmStart& start = frmStart();
    if (!start.isLoaded())
        return 1;
    vb::setDefaultMsgBoxTitle(S().ApplicationTitle);
    start.Show();
    return app.exec();
}
