#include "startup/frm_start.h"

#include "cover/cover_faces.h"
#include "cover/frm_fengmian.h"
#include "platform/instance_lock.h"
#include "platform/os_info.h"
#include "platform/vb_msgbox.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session_state/session_state.h"
#include "startup/config_table.h"
#include "startup/error_report.h"
#include "startup/face_picture.h"
#include "startup/start_values.h"

#include <QDateTime>
#include <memory>

namespace {

const QString Tag = QStringLiteral("startload");

// Takes the installation's single-instance lock for the rest of the run. False only when another
// running program holds it: a folder that cannot be locked tells nothing, and the start goes on.
bool claimSingleInstance()
{
    static std::unique_ptr<platform::InstanceLock> lock;
    if (!lock || lock->folder() != S().AppPath)
        lock = std::make_unique<platform::InstanceLock>(S().AppPath);
    return lock->acquire() != platform::InstanceLock::Result::HeldByAnother;
}

} // namespace

FrmStart& frmStart() { return vb::Forms::get<FrmStart>(); }

FrmStart::FrmStart()
{
    setBorderStyle(0);
    Label1 = new vb::Label(this);
    Label1->setForeColor(vb::RGB(255, 255, 255));
    Label1->setBackStyle(0);
    Label1->setAutoSize(true);
    Label1->setCaption(QStringLiteral("正在启动软件，请稍候..."));
    Timer1 = new platform::Timer(this, 100);
    Timer1->onTimer = [this] { Timer1_Timer(); };
}

void FrmStart::Form_Load()
{
    if (!claimSingleInstance()) {
        vb::MsgBox(QStringLiteral("考试练习系统已在运行。如果你没有找到，请关闭其它窗口和程序，或者注销或重启。"),
                   vb::vbOKOnly + vb::vbInformation, QStringLiteral("系统提示"));
        // The old End: nothing else of the start runs and no window stays.
        vb::Unload(*this);
        return;
    }

    readInfo();
    recoverInterruptedSaves(S().AppPath, S().DataDir);
    // From here on the faces' folder is known: the cover's faces are decoded off this thread
    // while the splash is set up and waits.
    cover::prefetchCoverFaces();
    setScaleFromScreen();
    const int width = scaledX(6000);
    const int height = scaledY(3000);
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    setPicture(reportedFace(QStringLiteral("l20059"), Tag));

    Label1->setTop(scaledY(2160));
    Label1->setCaption(QStringLiteral("正在启动") + S().ModuleTitle + QStringLiteral("，请稍候..."));
    Label1->setFontSize(11 * S().ScaleX);
    // Centred by the width the label has taken for its new text and size.
    Label1->setLeft(qRound((Width() - Label1->Width()) / 2.0));

    // SetIndex, DemoRunning and CandidateName.
    setStartSessionValues();
    setIcon(reportedFace(QStringLiteral("l62011"), Tag));
    setCaption(QStringLiteral("vidavozedudevavuzivuv"));
    // Only now: the reports of the steps before carry no version.
    S().OsVersion = platform::osVersion();

    StartPending = true;
    Timer1->setEnabled(true);
}

// The splash hands over to the cover a moment after it shows; closed first, it would take the
// hand-over with it.
void FrmStart::Form_QueryUnload(int& cancel, int) { cancel = 1; }

void FrmStart::Timer1_Timer()
{
    if (!StartPending)
        return;
    StartPending = false;
    Timer1->setEnabled(false);
    UpdataExe();
}

void FrmStart::UpdataExe()
{
    frmFengmian().Show();
    // The faces the cover did not ask for are not kept.
    vb::dropDecodedAhead();
    // Fixed once: a run that goes past midnight keeps one log.
    S().RunLogPath = runLogPathFor(S().AppPath, QDateTime::currentDateTime());
    vb::Unload(*this);
}
