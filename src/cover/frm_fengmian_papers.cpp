// The papers panel of the cover: the cards of the 30 paper slots, its four tabs, the start of a
// paper, the new random paper, and the two links of a card (review of the slot's wrong
// questions, deletion of a stored random paper).

#include "cover/frm_fengmian.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/cover_rules.h"
#include "cover/paper_rules.h"
#include "cover/random_papers.h"
#include "cover/session_builder.h"
#include "platform/vb_picture.h"
#include "session/exam_rules.h"
#include "session/record_files.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"
#include "startup/face_picture.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace {

const QString BuildTag = QStringLiteral("fengmaincsh");
const QString CommandTag = QStringLiteral("clickbotn");

const QColor Grey(102, 102, 102);
const QColor Blue(12, 127, 233);

vb::Label* cardLabel(vb::Container* panel, const QColor& colour)
{
    auto* l = new vb::Label(panel);
    l->setBackStyle(0);
    l->setAutoSize(true);
    l->setForeColor(colour);
    return l;
}

// Seeded from the clock at every generation, so that each new paper differs.
papers::Uniform clockSeededRandom()
{
    return [gen = QRandomGenerator(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()))]() mutable {
        return gen.generateDouble();
    };
}

} // namespace

void FrmFengmian::createPapersPanel()
{
    PicKaCHLeft = new vb::Image(PicKaCH);
    for (int s = 0; s < papers::SlotCount; ++s) {
        ImgShiJuan.create(s, PicKaCH);
        vb::Label* title = LblShiJuanBiao.adopt(s, cardLabel(PicKaCH, Blue));
        title->setFontName(QStringLiteral("宋体"));
        title->setFontBold(true);
        LblShiJuanTime.adopt(s, cardLabel(PicKaCH, Grey));
        LblShiJuanSSSS.adopt(s, cardLabel(PicKaCH, Grey))->setCaption(QStringLiteral("最好成绩：    分"));
        vb::Label* score = LblShiJuanScore.adopt(s, cardLabel(PicKaCH, Blue));
        score->setFontName(QStringLiteral("宋体"));
        score->setFontBold(true);
        LblShiJuanCCC.adopt(s, cardLabel(PicKaCH, QColor(224, 0, 0)))->setCaption(QStringLiteral("错题复习"));
        LblShiJuanCuoTi.adopt(s, cardLabel(PicKaCH, Grey));
        LblShiJuanDel.adopt(s, cardLabel(PicKaCH, Blue));
    }
    ImgSuiJi = new vb::Image(PicKaCH);
    LblNoHis = cardLabel(PicKaCH, QColor(64, 64, 64));
    LblNoHis->setCaption(QStringLiteral("您还没有练习过随机试卷！"));
    LblShiJuanCCC.Click = [this](int s) { LblShiJuanCCC_Click(s); };
    LblShiJuanDel.Click = [this](int s) { LblShiJuanDel_Click(s); };
}

void FrmFengmian::buildPapersPanel()
{
    SessionState& s = S();
    PicKaCHLeft->Move(PicUnitLeft->Left(), PicUnitLeft->Top());
    PicKaCHLeft->setPicture(PicUnitLeft->Picture());
    for (int i = 28; i <= 31; ++i)
        ClickBotn(i).Move(scaledX(15), scaledY(15 + 750 * (i - 28)), scaledX(2700), scaledY(750));
    SprintLastSlot = papers::sprintLastSlot(s.PaperCount);
    PaperHistory = records::readScoreHistory(s.AppPath, BuildTag).value_or(records::readScoreEntries({}));

    const auto card = faceFile(QStringLiteral("l20065"), BuildTag);
    vb::Error err;
    const auto pointer = vb::LoadCursor(facePath(QStringLiteral("9l0015")), &err);
    if (!pointer)
        reportFailure(BuildTag, err.number, err.text);
    for (int j = 0; j < papers::SlotCount; ++j) {
        const QPoint at = papers::cardOrigin(j, SprintLastSlot);
        const int left = scaledX(at.x()), top = scaledY(at.y());
        vb::Image& img = ImgShiJuan(j);
        img.Move(left, top, scaledX(4410), scaledY(1200));
        if (card)
            img.setPicture(*card);
        img.setVisible(j <= SprintLastSlot);
        LblShiJuanBiao(j).setCaption(papers::slotTitle(j, SprintLastSlot));
        LblShiJuanBiao(j).setForeColor(papers::slotTitleColour(j, SprintLastSlot));
        LblShiJuanDel(j).setCaption(j >= papers::FirstRandomSlot ? QStringLiteral("删除试卷") : QString());
        for (vb::ControlArray<vb::Label>* a : {&LblShiJuanTime, &LblShiJuanSSSS, &LblShiJuanScore, &LblShiJuanCCC, &LblShiJuanCuoTi, &LblShiJuanDel})
            (*a)(j).setFontSize(9 * s.ScaleX);
        LblShiJuanBiao(j).setFontSize(10 * s.ScaleX);
        for (vb::ControlArray<vb::Label>* a : {&LblShiJuanCCC, &LblShiJuanDel}) {
            (*a)(j).setMousePointer(vb::vbCustom);
            if (pointer)
                (*a)(j).setMouseIcon(pointer);
        }
        LblShiJuanScore(j).setAlignment(2);
        LblShiJuanBiao(j).Move(left + scaledX(120), top + scaledY(210));
        LblShiJuanTime(j).Move(left + scaledX(120), top + scaledY(555));
        LblShiJuanSSSS(j).Move(left + scaledX(120), top + scaledY(870));
        LblShiJuanScore(j).setTop(top + scaledY(870));
        LblShiJuanCCC(j).Move(left + scaledX(1800), top + scaledY(870));
        LblShiJuanCuoTi(j).Move(left + scaledX(2520), top + scaledY(870));
        LblShiJuanDel(j).Move(left + scaledX(1800), top + scaledY(225));
        ClickBotn(70 + j).Move(left + scaledX(3000), top + scaledY(630), scaledX(1275), scaledY(450));

        const auto k = static_cast<std::size_t>(3 * j);
        LblShiJuanCuoTi(j).setCaption(QStringLiteral("(%1)").arg(
            papers::wrongCount(records::readListLine(records::paperWrongListPath(s.AppPath, j), BuildTag))));
        LblShiJuanTime(j).setCaption(papers::timeCaption(PaperHistory[k]));
        LblShiJuanScore(j).setCaption(PaperHistory[k + 1]);
        // The score stands centred over the frame's blanks, whatever its length and the font's.
        vb::Label& frame = LblShiJuanSSSS(j);
        const QString caption = frame.Caption();
        const int blanksStart = frame.TextWidth(caption.left(caption.indexOf(u' ')));
        const int blanksWidth = frame.TextWidth(caption.left(caption.lastIndexOf(u' ') + 1)) - blanksStart;
        LblShiJuanScore(j).setLeft(frame.Left() + blanksStart + (blanksWidth - LblShiJuanScore(j).Width()) / 2);
    }
    ImgSuiJi->Move(scaledX(2730), scaledY(90));
    if (auto p = faceFile(QStringLiteral("l20066"), BuildTag))
        ImgSuiJi->setPicture(*p);
    ImgSuiJi->setVisible(false);
    ClickBotn(21).setVisible(false);
    LblNoHis->Move(scaledX(4680), scaledY(2160));
    LblNoHis->setFontSize(20 * s.ScaleX);
    LblNoHis->setVisible(false);
    ClickBotn_Click(28);
}

void FrmFengmian::showPaperTab(int tab)
{
    LblNoHis->setVisible(false);
    for (int i = 28; i <= 31; ++i)
        ClickBotn(i).setEnabled(true);
    ClickBotn(tab).setEnabled(false);
    const papers::TabView view = papers::tabView(tab, SprintLastSlot, S().PaperCount, RandomPaperCount);
    const auto startFace = view.startFace.isEmpty() ? std::nullopt : face(view.startFace, CommandTag);
    for (int j = 0; j < papers::SlotCount; ++j) {
        const bool shown = view.shown[static_cast<std::size_t>(j)];
        ImgShiJuan(j).setVisible(shown);
        if (shown && startFace)
            ClickBotn(70 + j).setPicture(startFace);
    }
    ImgSuiJi->setVisible(view.randomPicture);
    LblNoHis->setVisible(view.noHistory);
    ClickBotn(21).setVisible(ImgSuiJi->Visible());
    for (int j = 0; j < papers::SlotCount; ++j) {
        const bool shown = ImgShiJuan(j).Visible();
        for (vb::ControlArray<vb::Label>* a : {&LblShiJuanBiao, &LblShiJuanTime, &LblShiJuanSSSS, &LblShiJuanScore, &LblShiJuanCCC,
                                               &LblShiJuanCuoTi, &LblShiJuanDel})
            (*a)(j).setVisible(shown);
        ClickBotn(70 + j).setVisible(shown);
    }
}

bool FrmFengmian::setUpExam(const QString& idList, int fileNo)
{
    SessionState& s = S();
    // A short paper still makes 40 questions: what it lacks becomes placeholders, so that
    // positions and grading stay those of the paper.
    if (!InitShiTi(papers::paddedPaper(idList), fileNo))
        return false;
    s.QuestionCount = papers::PaperLength;
    s.DisplayMode = 3;
    s.CurrentQuestion = 1;
    for (int i = 1; i <= papers::PaperLength; ++i) {
        s.QuestionDoneText[static_cast<std::size_t>(i)] = QStringLiteral("F");
        s.QuestionState[static_cast<std::size_t>(i)] = 0;
    }
    return prepareSession();
}

void FrmFengmian::startPaperSlot(int slot)
{
    const auto line = papers::paperLine(slot);
    if (!line) {
        reportFailure(CommandTag, runerr::SubscriptOutOfRange);
        notice(QStringLiteral("开始考试"), QStringLiteral("\r\n\r\n\r\n本套试卷的题目无法读取，请重新安装题库后再试。"));
        return;
    }
    const papers::PaperStart start = papers::paperStart(slot);
    SessionState& s = S();
    s.PaperNo = slot;
    s.SetIndex = start.setIndex;
    s.SessionKind = start.sessionKind;
    if (setUpExam(*line, start.fileNo))
        handOver();
}

void FrmFengmian::generateRandomPaper()
{
    PicAd->setVisible(true);
    SessionState& s = S();
    std::vector<int> sizes;
    for (int u = 0; u < s.UnitCount && u < cover::MaxUnits; ++u)
        sizes.push_back(codes::num16(s.UnitTable[static_cast<std::size_t>(u)][1]));
    const papers::Change c = papers::planGeneration(sizes, RandomSource ? RandomSource : clockSeededRandom(), RandomPaperCount,
                                                    exam::timeStamp(QDateTime::currentDateTime()));
    if (c.bankTooSmall) {
        notice(QStringLiteral("随机组卷"), QStringLiteral("\r\n\r\n\r\n题库中的题目不足40道，无法生成随机试卷。"));
        return;
    }
    if (!c.done) {
        notice(QStringLiteral("随机组卷"), QStringLiteral("\r\n\r\n\r\n记录文件无法读取，没有生成随机试卷。"));
        return;
    }
    // The exam is set up before the records move: a paper whose session cannot be built leaves
    // every record as it was, and an exam never starts on records that did not move.
    s.PaperNo = papers::FirstRandomSlot;
    s.SetIndex = 11;
    s.SessionKind = 8;
    if (!setUpExam(c.paper, 19))
        return;
    if (const papers::Applied applied = papers::applyChange(c); applied != papers::Applied::Written) {
        notice(QStringLiteral("随机组卷"), applied == papers::Applied::PutBack
                                               ? QStringLiteral("\r\n\r\n\r\n记录文件无法写入，没有生成随机试卷，记录没有改变。")
                                               : QStringLiteral("\r\n\r\n\r\n记录文件无法写入，没有生成随机试卷，记录可能不一致。"));
        return;
    }
    handOver();
}

void FrmFengmian::LblShiJuanCCC_Click(int index)
{
    SessionState& s = S();
    const std::optional<QString> read = records::readListLineChecked(records::paperWrongListPath(s.AppPath, index), QStringLiteral("lblshijuancc"));
    if (!read) {
        notice(QStringLiteral("错题复习"), QStringLiteral("\r\n\r\n\r\n记录文件无法读取，不能复习本套试卷的错题。"));
        return;
    }
    const QString& list = *read;
    if (list.size() < 4) {
        S().MsgBoxResult = 0;
        FrmQVMSGBOX& box = frmQVMSGBOX();
        box.LblTitle->setCaption(QStringLiteral("没有生成错题"));
        box.Image1->setPicture(face(QStringLiteral("l20071"), QStringLiteral("lblshijuancc")));
        box.LblPrompt->setCaption(
            QStringLiteral("\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n请点“开始考试”做本套试题。"));
        box.Show(vb::vbModal);
        return;
    }
    if (!InitShiTi(list, 19))
        return;
    s.QuestionCount = static_cast<int>(list.size() / 4);
    s.PaperNo = index;
    s.DisplayMode = 2;
    s.CurrentQuestion = 1;
    s.SessionKind = 2;
    s.SetIndex = 17;
    for (int i = 1; i <= s.QuestionCount && i <= MaxQuestions; ++i)
        s.QuestionState[static_cast<std::size_t>(i)] = 0;
    startLianXi();
}

void FrmFengmian::LblShiJuanDel_Click(int index)
{
    S().MsgBoxResult = 0;
    FrmQVMSGBOX& box = frmQVMSGBOX();
    box.LblTitle->setCaption(QStringLiteral("删除试卷"));
    box.Image1->setPicture(face(QStringLiteral("l20071"), QStringLiteral("lblshijuandel")));
    box.LblPrompt->setCaption(QStringLiteral("\r\n\r\n\r\n您确实要删除本套随机试题吗？"));
    box.Show(vb::vbModal);
    if (S().MsgBoxResult != 1)
        return;
    const papers::Change c = papers::deleteRandomPaper(index, RandomPaperCount);
    if (!c.unreadable.isEmpty()) {
        notice(QStringLiteral("删除试卷"), QStringLiteral("\r\n\r\n\r\n记录文件无法读取，试卷没有删除。"));
        return;
    }
    if (!c.done) {
        if (!c.files.empty())
            notice(QStringLiteral("删除试卷"), c.inconsistent ? QStringLiteral("\r\n\r\n\r\n记录文件无法写入，试卷没有完全删除，记录可能不一致。")
                                                              : QStringLiteral("\r\n\r\n\r\n记录文件无法写入，试卷没有删除，记录没有改变。"));
        return;
    }
    FengMainCsh();
}
