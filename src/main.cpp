#include "platform/process_signals.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"
#include "platform/vb_msgbox.h"
#include "session_state/session_state.h"
#include "startup/frm_start.h"

#include <QApplication>

int main(int argc, char** argv)
{
    platform::setStartupSignals();
    if (const auto laidOut = vb::WebView::runLayoutProcess(argc, argv))
        return *laidOut;
    QApplication app(argc, argv);
    // The installation folder is the executable's, and the updater writes into it: the toolkit
    // must not take plugins from it. Its configuration comes from the copy built in, which the
    // toolkit reads before any qt.conf there.
    QCoreApplication::removeLibraryPath(QCoreApplication::applicationDirPath());
    S().AppPath = QCoreApplication::applicationDirPath();

    FrmStart& start = frmStart();
    if (!start.isLoaded()) {
        // A second instance: the splash refused to start and unloaded itself.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return 0;
    }
    vb::setDefaultMsgBoxTitle(S().ApplicationTitle);
    start.Show();
    // The program ends when its last window is unloaded.
    return app.exec();
}
