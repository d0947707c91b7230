#include "cover/frm_fengmian.h"

#include "cover/frm_about.h"
#include "cover/cover_files.h"
#include "cover/cover_rules.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session/input_method_choice.h"
#include "session/record_files.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"
#include "startup/face_picture.h"
#include "startup/start_values.h"

namespace {

const QString LoadTag = QStringLiteral("fmload");
const QString BuildTag = QStringLiteral("fengmaincsh");

// The maker's own addresses, for installations whose configuration asks for them (entry 26
// beginning "2099"): web site, second web site, two messenger contacts.
const QString BuiltInAddresses[] = {
    QStringLiteral("https://www.example.com/"),
    QStringLiteral("https://www.example.org/"),
    QStringLiteral("mailto:service@example.com"),
    QStringLiteral("mailto:support@example.com"),
};

} // namespace

FrmFengmian& frmFengmian() { return vb::Forms::get<FrmFengmian>(); }

FrmFengmian::FrmFengmian()
{
    setBorderStyle(0);
    picShouYe = new vb::Image(this);
    PicTOP = new vb::PictureBox(this);
    PicTOP->setBorderStyle(0);
    LblCaption = new vb::Label(PicTOP);
    LblCaption->setBackStyle(0);
    LblCaption->setAutoSize(true);
    LblCaption->setForeColor(Qt::white);
    lblMove = new vb::Label(PicTOP);
    lblMove->setBackStyle(0);
    for (vb::PictureBox** p : {&PicTiKu, &PicKaCH, &PicBiaoZhi, &PicCuoTi, &PicHelp}) {
        *p = new vb::PictureBox(this);
        (*p)->setBorderStyle(0);
        (*p)->setVisible(false);
    }
    PicAd = new vb::PictureBox(this);
    PicAd->setBorderStyle(0);
    PicAd->setBackColor(Qt::white);
    LblAD = new vb::Label(PicAd);
    LblAD->setBackStyle(0);
    LblAD->setAutoSize(true);
    LblAD->setFontName(QStringLiteral("宋体"));

    for (int i : {0, 1, 2, 3, 17, 18, 19, 20, 21}) {
        vb::Label* l = LblInfo.create(i, this);
        l->setBackStyle(0);
        l->setAutoSize(i <= 3);
    }

    // Units panel: the pictures first, so that the buttons lie above them.
    PicUnitLeft = new vb::Image(PicTiKu);
    ImgUnitGezi = new vb::Image(PicTiKu);
    ImgUnitD = new vb::Image(PicTiKu);
    ImgUnitC = new vb::Image(PicTiKu);
    for (vb::Image* bar : {ImgUnitD, ImgUnitC})
        bar->setStretch(true);
    imgPicIII = new vb::Image(PicTiKu);
    for (int i = 0; i <= 4; ++i) {
        vb::Label* l = LblUnitDQCAP.create(i, PicTiKu);
        l->setBackStyle(0);
        l->setAutoSize(true);
    }
    LblUnitDQCAP(0).setCaption(QStringLiteral("学习进度信息"));

    PicHelpLeft = new vb::Image(PicHelp);
    WebHelpCON = new vb::WebView(PicHelp);
    LlbHelpCAP = new vb::Label(PicHelp);
    LlbHelpCAP->setBackStyle(0);
    LlbHelpCAP->setAutoSize(true);
    LlbHelpCAP->setFontName(QStringLiteral("宋体"));
    LlbHelpCAP->setFontBold(true);

    makeListPanels();

    // Each button in the surface it belongs to.
    const auto containerOf = [this](int i) -> vb::Container* {
        if (i >= 13 && i <= 19)
            return PicTOP;
        if (i == 20 || (i >= 37 && i <= 39) || (i >= 47 && i <= 69))
            return PicTiKu;
        if (i == 21 || (i >= 28 && i <= 31) || i >= 70)
            return PicKaCH;
        if (i == 22 || i == 23 || i == 40 || i == 41)
            return PicBiaoZhi;
        if (i == 24 || i == 25 || i == 42 || i == 43)
            return PicCuoTi;
        if (i >= 32 && i <= 36)
            return PicHelp;
        return this;
    };
    for (int i = 0; i <= 99; ++i) {
        mivoButton* b = ClickBotn.create(i, containerOf(i));
        if (i == 9 || i == 10 || i == 26 || i == 27)
            b->setVisible(false); // no command
    }
    // The top bar and the panels cover the home page's buttons; the announcement lies on top.
    for (vb::Control* c : std::initializer_list<vb::Control*>{PicTiKu, PicKaCH, PicBiaoZhi, PicCuoTi, PicHelp, PicTOP, PicAd})
        c->ZOrder(0);
    ClickBotn.Click = [this](int i) { ClickBotn_Click(i); };
    LblInfo.Click = [this](int i) { LblInfo_Click(i); };
    LblAD->Click = [this] { LblAD_Click(); };
    lblMove->MouseDown = [this](int b, int, double, double) { dragMouseDown(b); };
    picShouYe->MouseDown = [this](int b, int, double, double) { dragMouseDown(b); };

    createPapersPanel();

    TimFH = new platform::Timer(this, 100);
    TimFH->onTimer = [this] { TimFH_Timer(); };
}

namespace {

template <class Load>
auto reportedLoad(Load load, const QString& name, const QString& tag)
{
    vb::Error err;
    auto loaded = load(facePath(name), &err);
    if (!loaded)
        reportFailure(tag, err.number, err.text);
    return loaded;
}

} // namespace

std::optional<QPixmap> FrmFengmian::face(const QString& name, const QString& tag)
{
    return reportedLoad(vb::LoadPicture, name, tag);
}

std::optional<vb::PictureFile> FrmFengmian::faceFile(const QString& name, const QString& tag)
{
    auto file = reportedLoad(vb::CheckPicture, name, tag);
    if (file)
        file->failed = [tag](const vb::Error& err) { reportFailure(tag, err.number, err.text); };
    return file;
}

void FrmFengmian::Form_Load()
{
    setScaleFromScreen();
    const int width = scaledX(12000), height = scaledY(9000);
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    if (auto p = face(QStringLiteral("l62011"), LoadTag))
        setIcon(p);
    // The window's picture lies under the home picture.
    if (auto p = faceFile(QStringLiteral("l20060"), LoadTag))
        setPicture(*p);
    picShouYe->Move(0, 0);
    if (auto p = face(QStringLiteral("l20051"), LoadTag))
        picShouYe->setPicture(p);
    PicTOP->Move(0, 0, scaledX(12000), scaledY(1650));
    if (auto p = faceFile(QStringLiteral("l20052"), LoadTag))
        PicTOP->setPicture(*p);
    PicTOP->setVisible(false);
    lblMove->Move(0, 0, scaledX(10455), scaledY(675));
    PicTiKu->Move(0, scaledY(1650), scaledX(12000), scaledY(6900));
    const auto panelFace = faceFile(QStringLiteral("l20053"), LoadTag);
    for (vb::PictureBox* p : {PicTiKu, PicKaCH, PicBiaoZhi, PicCuoTi, PicHelp}) {
        p->Move(PicTiKu->Left(), PicTiKu->Top(), PicTiKu->Width(), PicTiKu->Height());
        if (panelFace)
            p->setPicture(*panelFace);
        p->setVisible(false);
    }

    // The announcement: text with "◎" as line break, its colour, its link.
    const auto lines = platform::readLines(cover::recordFile(QStringLiteral("170100")));
    if (!lines)
        reportFailure(LoadTag, runerr::FileNotFound);
    const cover::Announcement ad = cover::parseAnnouncement(lines.value_or(QStringList()));
    if (ad.link)
        AnnouncementLink = *ad.link;
    PicAd->Move(scaledX(3000), scaledY(8100));
    LblAD->Move(0, 0);
    LblAD->setMousePointer(vb::vbCustom);
    vb::Error err;
    if (auto c = vb::LoadCursor(facePath(QStringLiteral("9l0015")), &err))
        LblAD->setMouseIcon(c);
    else
        reportFailure(LoadTag, err.number, err.text);
    LblAD->setFontSize(10 * S().ScaleX);
    LblAD->setCaption(ad.text);
    LblAD->setForeColor(ad.colour);
    PicAd->Move(PicAd->Left(), PicAd->Top(), LblAD->Width(), LblAD->Height());
    PicAd->setVisible(false);

    FengMainCsh();
}

void FrmFengmian::FengMainCsh()
{
    buildHeader();
    buildTableAndButtons();
    buildUnitsPanel();
    buildPapersPanel();
    buildListPanels();
    buildHelpPanel();
}

void FrmFengmian::buildHeader()
{
    SessionState& s = S();
    const auto version = platform::readLines(cover::dataFile(QStringLiteral("288895")));
    if (!version)
        reportFailure(BuildTag, runerr::FileNotFound);
    const QString versionLine = version ? version->value(0) : QString();
    s.BankVersion = codes::trimSpaces(versionLine);

    LblInfo(1).setCaption(QStringLiteral("官方网站：") + s.sysInfo[16]);
    LblInfo(2).setCaption(QStringLiteral("客服电话：") + s.sysInfo[10]);
    LblInfo(3).setCaption(QStringLiteral("客服QQ：") + s.sysInfo[11]);

    // The input-method option is the candidate's own; a missing file means off.
    s.ImeHelperOn = session::readImeOption() ? -1 : 0;

    setCaption(QStringLiteral("vidavozedudevavuzivuv"));
    LblCaption->Move(scaledX(240), scaledY(120));
    LblCaption->setFontSize(10 * s.ScaleX);
    LblInfo(0).setCaption(QStringLiteral("题库版本：V") + versionLine);
    LblCaption->setCaption(s.ModuleTitle);

    vb::Error err;
    const auto pointer = vb::LoadCursor(facePath(QStringLiteral("9l0015")), &err);
    if (!pointer)
        reportFailure(BuildTag, err.number, err.text);
    for (int i = 0; i <= 99; ++i) {
        ClickBotn(i).setMousePointer(vb::vbCustom);
        if (pointer)
            ClickBotn(i).setMouseIcon(pointer);
    }
    ClickBotn(0).setVisible(false);
    ClickBotn(1).setVisible(false);
    ClickBotn(8).setVisible(true);

    const QColor infoColour = cover::colourOf(s.sysInfo[29]);
    for (int i = 0; i <= 3; ++i) {
        vb::Label& l = LblInfo(i);
        l.setTop(scaledY(8670));
        l.setFontSize(9 * s.ScaleX);
        l.setForeColor(infoColour);
        l.setLeft(scaledX(static_cast<double>(codes::numVal(s.sysInfo[30 + i]))));
    }
}

void FrmFengmian::buildTableAndButtons()
{
    SessionState& s = S();
    const auto table = platform::readLines(cover::dataFile(QStringLiteral("288891")));
    if (!table)
        reportFailure(BuildTag, runerr::FileNotFound);
    const cover::PaperTableHead head = cover::readPaperTable(table.value_or(QStringList()));
    s.PaperCount = head.paperCount;
    s.UnitCount = head.unitCount;
    unitQuestions_ = head.unitQuestions;

    const auto papers = records::readRecordLinesChecked(cover::recordFile(QStringLiteral("288891")), BuildTag);
    RandomPaperCount = cover::randomPaperCount(papers.value_or(QStringList()));

    for (int i = 0; i <= 48; ++i)
        if (auto p = faceFile(QStringLiteral("l200") + cover::twoDigits(i), BuildTag))
            ClickBotn(i).setPicture(*p);

    ClickBotn(2).Move(Width() - scaledX(825), scaledY(90), scaledX(330), scaledY(330));
    ClickBotn(3).Move(Width() - scaledX(420), ClickBotn(2).Top(), ClickBotn(2).Width(), ClickBotn(2).Height());
    ClickBotn(13).Move(ClickBotn(2).Left(), ClickBotn(2).Top(), ClickBotn(2).Width(), ClickBotn(2).Height());
    ClickBotn(14).Move(ClickBotn(3).Left(), ClickBotn(2).Top(), ClickBotn(2).Width(), ClickBotn(2).Height());
    for (int i : {0, 1, 44, 45, 46})
        ClickBotn(i).setVisible(false);

    if (codes::trimSpaces(s.sysInfo[34]) == QStringLiteral("2")) {
        for (int i = 4; i <= 7; ++i)
            ClickBotn(i).Move(ClickBotn(i).Left(), scaledY(3000), scaledX(2250), scaledY(2250));
        ClickBotn(4).setLeft(scaledX(2400));
        ClickBotn(5).setLeft(scaledX(6900));
        ClickBotn(6).setVisible(false);
        ClickBotn(7).setVisible(false);
        for (int i = 17; i <= 21; ++i) {
            LblInfo(i).Move(scaledX(1440 + 1590 * ((i + 1) % 2)), scaledY(6840 + 600 * ((i - 17) / 2)), scaledX(1380), scaledY(300));
            LblInfo(i).setCaption(QString());
            LblInfo(i).setVisible(true);
        }
        LblInfo(21).Move(scaledX(480), scaledY(6570), scaledX(2820));
    } else {
        for (int i = 4; i <= 7; ++i) {
            ClickBotn(i).Move(scaledX(750 + 2700 * (i - 4)), scaledY(3840), scaledX(2250), scaledY(2400));
            ClickBotn(i).setVisible(true);
        }
        for (int i = 17; i <= 21; ++i)
            LblInfo(i).setVisible(false);
    }

    ClickBotn(8).Move(scaledX(7800), scaledY(7320), scaledX(540), scaledY(825));
    for (int i : {11, 12})
        ClickBotn(i).Move(scaledX(7800 + 960 * (i - 9)), scaledY(7320), scaledX(540), scaledY(825));
    for (int i = 15; i <= 19; ++i)
        ClickBotn(i).Move(scaledX(225 + 1305 * (i - 15)), scaledY(435), scaledX(1230), scaledY(1200));

    ClickBotn(20).Move(scaledX(9000), scaledY(5880), scaledX(1800), scaledY(600));
    ClickBotn(21).Move(scaledX(9750), scaledY(5850), scaledX(1800), scaledY(600));
    ClickBotn(22).Move(scaledX(8880), scaledY(2310), scaledX(1800), scaledY(600));
    ClickBotn(23).Move(scaledX(6240), scaledY(3300), scaledX(1200), scaledY(375));
    ClickBotn(24).Move(ClickBotn(22).Left(), ClickBotn(22).Top(), scaledX(1800), scaledY(600));
    ClickBotn(25).Move(ClickBotn(23).Left(), ClickBotn(23).Top(), scaledX(1200), scaledY(375));
}

void FrmFengmian::buildHelpPanel()
{
    PicHelpLeft->Move(PicUnitLeft->Left(), PicUnitLeft->Top());
    PicHelpLeft->setPicture(PicUnitLeft->Picture());
    for (int i = 32; i <= 36; ++i)
        ClickBotn(i).Move(scaledX(15), scaledY(15 + 750 * (i - 32)), scaledX(2700), scaledY(750));
    WebHelpCON->Move(scaledX(2880), scaledY(870), scaledX(9090), scaledY(5880));
    WebHelpCON->setNotices(QStringLiteral("此帮助页不存在或无法打开。"), QStringLiteral("此帮助页过大或过于复杂，未显示。"));
    WebHelpCON->LinkFollowed = [this] { WebHelpCON_LinkFollowed(); };
    LlbHelpCAP->setCaption(QString());
    LlbHelpCAP->setAlignment(2);
    LlbHelpCAP->Move(scaledX(6960), scaledY(240));
    LlbHelpCAP->setFontSize(20 * S().ScaleX);
    ClickBotn_Click(32);
}

void FrmFengmian::LblAD_Click()
{
    // The announcement is downloaded: only a web or mail link is opened from it.
    if (cover::isSafeAnnouncementLink(AnnouncementLink))
        platform::openAddress(codes::trimSpaces(AnnouncementLink));
    else if (!codes::trimSpaces(AnnouncementLink).isEmpty())
        WriteRunLog(S().RunLogPath, QStringLiteral("公告链接未打开：") + AnnouncementLink);
}

void FrmFengmian::LblInfo_Click(int index)
{
    int address = 0;
    switch (index) {
    case 1: case 17: address = 1; break;
    case 18: address = 2; break;
    case 3: case 20: address = 3; break;
    case 19: address = 4; break;
    case 0: case 21:
        frmAbout().Show(vb::vbModal);
        return;
    default: return; // 2: nothing
    }
    const SessionState& s = S();
    if (codes::trimSpaces(s.sysInfo[26]).left(4) == QStringLiteral("2099"))
        platform::openAddress(BuiltInAddresses[address - 1]);
    else
        platform::openAddress(s.sysInfo[static_cast<std::size_t>(address)]);
}

void FrmFengmian::dragMouseDown(int button)
{
    if (button == vb::vbLeftButton)
        beginDrag();
}

void FrmFengmian::TimFH_Timer()
{
    ClickBotn_Click(S().ReturnPage);
    TimFH->setEnabled(false);
}
