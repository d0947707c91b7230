#include "update/frm_updata.h"

#include "controls/mivo_button.h"
#include "platform/download.h"
#include "platform/files.h"
#include "platform/vb_msgbox.h"
#include "platform/vb_units.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"
#include "startup/face_picture.h"
#include "update/update_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include <algorithm>

namespace {

const QString LoadTag = QStringLiteral("upload");
const QString RunTag = QStringLiteral("tkup");
const QString LatestText = QStringLiteral("最新题库版本是：");

QString installationFile(const QString& relative)
{
    return platform::resolvePathForWrite(update::joinPath(S().AppPath, relative));
}

// Stores what `url` serves at `path`. A link there is replaced by the file, never written
// through, as by every whole-file save.
bool fetchTo(const QUrl& url, const QString& path, const std::function<bool(const QByteArray&)>& accept, qint64 maxMs)
{
    return platform::downloadToFile(url, path, update::fileMaxBytes(), accept, maxMs);
}

// A failure of the run, with the file it concerns.
void reportNamed(std::int32_t number, const QString& file)
{
    reportFailure(RunTag, number, runerr::text(number) + QStringLiteral(": ") + file);
}

} // namespace

FrmUpdata& frmUpdata() { return vb::Forms::get<FrmUpdata>(); }

FrmUpdata::FrmUpdata()
{
    setBorderStyle(0);
    ImgLogo1 = new vb::Image(this);
    Label4 = new vb::Label(this);
    Label4->setBackStyle(0);
    Label4->setAutoSize(true);
    Label4->setForeColor(vb::RGB(255, 255, 255));
    Label3 = new vb::Label(this);
    Label3->setBackStyle(0);
    Label3->setAutoSize(true);
    LblVer = new vb::Label(this);
    LblVer->setBackStyle(0);
    LblVer->setAutoSize(true);
    Label1 = new vb::Label(this);
    Label1->setBackStyle(0);
    Label1->setAutoSize(true);
    Label2 = new vb::Label(this);
    Label2->setBackStyle(0);
    Label2->setAutoSize(true);
    Label2->setForeColor(vb::RGB(255, 0, 0));
    // Made after the logo and the title, so the whole strip drags.
    lblMove = new vb::Label(this);
    lblMove->setBackStyle(0);
    lblMove->MouseDown = [this](int b, int s, double x, double y) { lblMove_MouseDown(b, s, x, y); };
    Command1 = new mivoButton(this);
    Command1->Click = [this] { Command1_Click(); };
    Timer1 = new platform::Timer(this, 100);
    Timer1->onTimer = [this] { Timer1_Timer(); };
    AppExeName = update::executableFileName(QFileInfo(QCoreApplication::applicationFilePath()).fileName());
}

void FrmUpdata::Form_Load()
{
    const auto& s = S();
    setTopmost(true);

    const int width = scaledX(5550);
    const int height = scaledY(3750);
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    setIcon(reportedFace(QStringLiteral("l62011"), LoadTag));
    setCaption(QStringLiteral("vidavozedudevavuzivuv"));
    setPicture(reportedFace(QStringLiteral("l20069"), LoadTag));
    ImgLogo1->Move(scaledX(120), scaledY(90));
    ImgLogo1->setPicture(reportedFace(QStringLiteral("l20067"), LoadTag));
    lblMove->Move(0, 0, scaledX(5580), scaledY(540));

    Label3->Move(scaledX(360), scaledY(960));
    Label3->setFontSize(9 * s.ScaleX);
    Label1->Move(Label3->Left(), scaledY(1440));
    Label1->setFontSize(9 * s.ScaleX);
    LblVer->Move(scaledX(1800), Label3->Top());
    LblVer->setFontSize(9 * s.ScaleX);
    Label2->Move(Label3->Left(), scaledY(1920));
    Label2->setFontSize(14 * s.ScaleX);
    Label4->Move(scaledX(600), scaledY(150));
    Label4->setFontSize(10 * s.ScaleX);
    Label4->setCaption(QStringLiteral("新版本检测——") + s.ModuleTitle);

    Command1->Move(scaledX(3480), scaledY(2880), scaledX(1350), scaledY(450));
    Command1->setPicture(reportedFace(QStringLiteral("l20001"), LoadTag));

    Label3->setCaption(QStringLiteral("当前题库版本是："));
    LblVer->setCaption(s.BankVersion);
    Label1->setCaption(LatestText + s.BankVersion);
    Label2->setCaption(QStringLiteral("已是最新版本，无需升级。"));

    Hide();
    Timer1->setEnabled(true);

    // The cover page reads the announcement the next time it loads; a failed download leaves
    // the one it has.
    const QString endpoint = update::updateEndpoint();
    if (!endpoint.isEmpty())
        platform::downloadToFile(update::announcementUrl(endpoint, s.sysInfo[12]), installationFile(QStringLiteral("ksdata/170100.mxy")),
                                 update::listMaxBytes());
}

void FrmUpdata::Timer1_Timer()
{
    if (S().UpdateWindowShown != 0)
        Show();
    else
        Hide();
    Timer1->setEnabled(false);
    TKUP();
}

void FrmUpdata::Command1_Click() { vb::Unload(*this); }

void FrmUpdata::Form_Unload(int& cancel)
{
    if (fetching_)
        cancel = 1;
}

void FrmUpdata::lblMove_MouseDown(int button, int, double, double)
{
    if (button == vb::vbLeftButton)
        beginDrag();
}

void FrmUpdata::showNoList()
{
    // Saying "up to date" when nothing could be asked would be a failure shown as success.
    Label1->setCaption(LatestText);
    Label2->setCaption(QStringLiteral("网络状况不好，请重试！"));
}

void FrmUpdata::TKUP()
{
    const auto& s = S();
    const QString endpoint = update::updateEndpoint();
    if (endpoint.isEmpty()) {
        showNoList();
        return;
    }
    const update::RunPlace place{s.AppPath, update::dataFolderName(s.AppPath, s.DataDir), endpoint, s.ModuleName, AppExeName,
                                 QUrl(endpoint).scheme().compare(QStringLiteral("https"), Qt::CaseInsensitive) == 0};
    const QUrl list = update::listUrl(endpoint, s.ModuleName, place.dataFolder);

    // Closing the window while the list is on its way ends the run there: the window is gone
    // once the wait returns, and nothing of it may be touched.
    QPointer<FrmUpdata> self(this);
    const auto closed = [self] { return !self || !self->isLoaded(); };
    const QString answer = getHtmlStr(QString::fromUtf8(list.toEncoded()), 2, closed, update::listMaxBytes());
    if (closed())
        return;
    const auto stamp = update::listStamp(answer);
    if (!stamp) {
        showNoList();
        return;
    }
    if (!(*stamp > s.BankVersion))
        return;

    // The copy on disk is what the run works from: it takes the place of the old one only when
    // it came whole and is the list whose stamp was compared.
    const QString localList = installationFile(QStringLiteral("ksdata/288895.mxy"));
    QByteArray listBytes;
    {
        // The record folder comes with the installation; one removed from outside is made again,
        // as the records' own writes do, and one that cannot be made is said, not blamed on the
        // network.
        QDir().mkpath(QFileInfo(localList).absolutePath());
        // Named as the saves name their temporaries: one left by a run cut off goes at the next
        // start.
        const QString arriving = platform::temporaryBeside(localList);
        if (arriving.isEmpty()) {
            reportNamed(runerr::PathFileAccess, localList);
            Label2->setCaption(QStringLiteral("记录文件夹无法写入，不能升级。"));
            return;
        }
        if (platform::downloadToFile(list, arriving, update::listMaxBytes())) {
            if (auto bytes = platform::readBytes(arriving))
                listBytes = std::move(*bytes);
            else
                reportNamed(runerr::FileNotFound, arriving);
        }
        QFile::remove(arriving);
    }
    // The copy's transfer draws the window and answers the window system as the list's did: a
    // close meanwhile ends the run there too.
    if (closed())
        return;
    const QStringList lines = platform::gbkLines(listBytes);
    if (lines.isEmpty() || update::listStamp(lines.first()) != stamp) {
        showNoList();
        return;
    }
    if (!platform::saveBytes(localList, listBytes))
        reportNamed(runerr::PathFileAccess, localList);

    Hide();
    const int reply = vb::MsgBox(QStringLiteral("题库有新文件，是否要进行升级？"), vb::vbYesNo + vb::vbQuestion, QStringLiteral("升级软件"));
    if (closed() || reply != vb::vbYes)
        return;

    // From here the window stays until the run has said what it did; it shows which file it
    // fetches. (A guard, not a plain flag: the window may be gone by the time the run ends.)
    struct Fetching {
        QPointer<FrmUpdata> w;
        explicit Fetching(FrmUpdata* f) : w(f) { w->fetching_ = true; }
        ~Fetching()
        {
            if (w)
                w->fetching_ = false;
        }
    };
    const Fetching fetching(this);
    if (s.UpdateWindowShown != 0)
        Show();

    const std::vector<update::EntryPlan> plans = update::planRun(lines, place);
    // Every entry whose file is older than the list says is due, fetched or not: the version
    // moves only when every one of them arrived.
    const int due = static_cast<int>(std::count_if(plans.begin(), plans.end(), [](const update::EntryPlan& p) { return p.due; }));
    // The whole run is bounded as each transfer is: past its share of files or of time it stops
    // where it is.
    const std::int64_t deadline = platform::Clock::nowMs() + update::runMaxMs();
    const int maxFiles = update::runMaxFiles();
    bool stopped = false;
    int fetches = 0;
    int reached = 0;
    int done = 0;
    QString exeCopy;
    update::FailureTally refusals([](const QString& detail) { reportNamed(runerr::PathFileAccess, detail); });
    // Over a connection anyone may have altered, a body that is a program is refused whatever
    // its name says.
    bool programRefused = false;
    const std::function<bool(const QByteArray&)> acceptContent = [&](const QByteArray& head) {
        programRefused = !place.secure && update::isProgramContent(head);
        return !programRefused;
    };
    for (const auto& plan : plans) {
        if (plan.due)
            ++reached;
        if (plan.kind == update::EntryPlan::Refused) {
            refusals.add(update::FailureTally::RefusedPlace, plan.name);
            continue;
        }
        if (plan.kind == update::EntryPlan::UpToDate)
            continue;
        const std::int64_t left = deadline - platform::Clock::nowMs();
        if (fetches == maxFiles || left <= 0) {
            stopped = true;
            break;
        }
        ++fetches;
        Label2->setCaption(update::progressText(reached, due, plan.name));
        QDir().mkpath(QFileInfo(plan.localPath).absolutePath());
        programRefused = false;
        const bool stored = fetchTo(plan.url, plan.localPath, acceptContent, left);
        // Nothing of the window may be touched once it has gone (the program is ending).
        if (!self)
            return;
        if (programRefused) {
            refusals.add(update::FailureTally::RefusedContent, plan.name);
            continue;
        }
        if (!stored)
            continue;
        ++done;
        if (plan.exeCopy)
            exeCopy = plan.localPath;
    }
    refusals.flush();

    // The external updater learns of the new program only through the hand-over file; without
    // it the copy is fetched again by the next run, which a kept version offers.
    bool handedOver = true;
    if (!exeCopy.isEmpty()) {
        const QString handOff = installationFile(QStringLiteral("uprun.dll"));
        handedOver = platform::saveText(handOff, exeCopy + QStringLiteral("\r\n"));
        if (!handedOver)
            reportNamed(runerr::PathFileAccess, handOff);
    }
    // The bank version moves only when every due file arrived, so the next run fetches what is
    // still missing.
    bool versionSaved = true;
    if (!stopped && done == due && handedOver) {
        const QString version = platform::resolvePathForWrite(update::joinPath(s.DataDir, QStringLiteral("288895.mxy")));
        versionSaved = platform::saveBytes(version, listBytes);
        if (!versionSaved)
            reportNamed(runerr::PathFileAccess, version);
    }

    QString told = QStringLiteral("已更新%1/%2文件").arg(done).arg(due);
    if (!handedOver)
        told += QStringLiteral("，但新程序未能交给升级程序，请稍后重试。");
    else if (!versionSaved)
        told += QStringLiteral("，但题库版本未能保存，请稍后重试。");
    else
        told += QStringLiteral("。请重新打开软件！");
    vb::MsgBox(told, vb::vbOKOnly, s.ApplicationTitle);
    if (!exeCopy.isEmpty() && handedOver) {
        const QString updater = installationFile(QStringLiteral("qvitpk.rar"));
        if (!platform::startProgram(updater))
            reportNamed(runerr::FileNotFound, updater);
    }
    vb::End();
}
