// The units and chapters panel: its build, the unit selection and the start of unit practice.
#include "cover/frm_fengmian.h"

#include "cover/cover_files.h"
#include "cover/cover_rules.h"
#include "platform/files.h"
#include "session/record_files.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString BuildTag = QStringLiteral("fengmaincsh");
const QString CommandTag = QStringLiteral("clickbotn");

// The chart's bars are part of the window's design: a plain stretched colour.
QPixmap barPicture(const QColor& colour)
{
    QPixmap p(8, 8);
    p.fill(colour);
    return p;
}

} // namespace

void FrmFengmian::buildUnitsPanel()
{
    SessionState& s = S();

    // The progress file is the candidate's: it is fitted and rewritten only when the table gives
    // the units' counts, only when fitting changes it, and never when it exists but cannot be
    // read (the panel then shows its units as not learned).
    const QString progressPath = cover::recordFile(QStringLiteral("288893"));
    const auto read = records::readRecordLinesChecked(progressPath, BuildTag);
    QStringList progress = read.value_or(QStringList()).mid(0, cover::MaxUnits);
    if (unitQuestions_) {
        progress = cover::fitProgress(progress, *unitQuestions_);
        const QString text = cover::progressFileText(progress);
        const bool same = platform::readBytes(progressPath) == platform::toGbk(text);
        if (read && !same && !platform::saveText(progressPath, text)) {
            // The old open for output: no folder is a path not found, anything else (a read-only
            // file, a full disk) an access error.
            const int number = QFileInfo(progressPath).absoluteDir().exists() ? runerr::PathFileAccess : runerr::PathNotFound;
            reportFailure(BuildTag, number, runerr::text(number) + u' ' + progressPath);
        }
    }
    for (std::size_t u = 0; u < s.UnitTable.size(); ++u) {
        auto& r = s.UnitTable[u];
        const bool unit = static_cast<int>(u) < std::min(s.UnitCount, cover::MaxUnits);
        const cover::UnitRow row = cover::unitRow(unit ? progress.value(static_cast<qsizetype>(u)) : QString());
        r[1] = unit ? row.questions : QString();
        r[2] = unit ? row.notLearned : QString();
        r[3] = unit ? row.progress : QString();
    }

    // The strip takes its picture's size: its place from the bottom needs the picture first
    // (the first build has no earlier picture to measure).
    if (auto p = faceFile(QStringLiteral("l20054"), BuildTag))
        PicUnitLeft->setPicture(*p);
    PicUnitLeft->Move(0, PicTiKu->Height() - PicUnitLeft->Height() - scaledY(30));

    for (int i = 50; i <= 69; ++i) {
        mivoButton& b = ClickBotn(i);
        b.Move(scaledX(15), scaledY(870 + ((i - 50) % 10) * 525), scaledX(2700), scaledY(525));
        b.setFontSize(9 * s.ScaleX);
        b.setForeColor(Qt::black);
        b.setCaption(cover::unitCaption(i - 49, s.UnitTable[static_cast<std::size_t>(i - 50)][0]));
        if (auto p = faceFile(QStringLiteral("l20045"), BuildTag))
            b.setPicture(*p);
        b.setVisible(i < 60);
    }
    ClickBotn(49).Move(scaledX(15), 0, scaledX(2700), scaledY(870));
    if (auto p = faceFile(QStringLiteral("l20044"), BuildTag))
        ClickBotn(49).setPicture(*p);
    SelectedUnit = -1;

    ClickBotn(47).Move(scaledX(150), scaledY(6270), scaledX(1185), scaledY(555));
    ClickBotn(48).Move(scaledX(1365), scaledY(6270), scaledX(1185), scaledY(555));
    ClickBotn(47).setCaption(QStringLiteral("1-10单元"));
    ClickBotn(48).setCaption(QStringLiteral("11-") + QString::number(s.UnitCount) + QStringLiteral("单元"));
    if (auto p = faceFile(QStringLiteral("l20086"), BuildTag))
        ClickBotn(47).setPicture(*p);
    if (auto p = faceFile(QStringLiteral("l20046"), BuildTag))
        ClickBotn(48).setPicture(*p);
    for (int i : {47, 48}) {
        ClickBotn(i).setForeColor(Qt::white);
        ClickBotn(i).setFontSize(9 * s.ScaleX);
    }
    ClickBotn(48).setEnabled(s.UnitCount > 10);
    if (s.UnitCount <= 10) {
        ClickBotn(48).setCaption(QString());
        ClickBotn(47).setCaption(QStringLiteral("1-") + QString::number(s.UnitCount) + QStringLiteral("单元"));
    }

    ImgUnitGezi->Move(scaledX(2730), scaledY(1680));
    if (auto p = faceFile(QStringLiteral("l20055"), BuildTag))
        ImgUnitGezi->setPicture(*p);
    if (!ImgUnitD->Picture()) {
        ImgUnitD->setPicture(barPicture(QColor(0x2e, 0x9b, 0x4f)));
        ImgUnitC->setPicture(barPicture(QColor(0xe0, 0x7b, 0x22)));
    }
    ImgUnitD->Move(scaledX(1500 + 4410), ImgUnitD->Top(), scaledX(900), ImgUnitD->Height());
    ImgUnitC->Move(ImgUnitD->Left() + scaledX(1500), ImgUnitC->Top(), scaledX(900), ImgUnitC->Height());

    ChapterFilter = 0;
    for (int i = 37; i <= 39; ++i)
        ClickBotn(i).Move(scaledX(4485 + (i - 37) * 1500), scaledY(5700), scaledX(900), scaledY(375));
    if (auto p = face(QStringLiteral("l20087"), BuildTag))
        ClickBotn(37).setPicture(p);

    imgPicIII->Move(scaledX(3150), scaledY(420));
    if (auto p = face(QStringLiteral("l20064"), BuildTag))
        imgPicIII->setPicture(p);
    LblUnitDQCAP(1).Move(scaledX(4245), scaledY(630));
    LblUnitDQCAP(1).setFontSize(12 * s.ScaleX);
    LblUnitDQCAP(0).Move(LblUnitDQCAP(1).Left(), scaledY(975));
    LblUnitDQCAP(0).setFontSize(10 * s.ScaleX);
    LblUnitDQCAP(2).Move(scaledX(4590), scaledY(1740));
    LblUnitDQCAP(3).setLeft(ImgUnitD->Left() + scaledX(240));
    LblUnitDQCAP(4).setLeft(ImgUnitC->Left() + scaledX(240));

    ClickBotn_Click(49);
}

void FrmFengmian::showUnitPage(bool second)
{
    if (auto p = face(second ? QStringLiteral("l20046") : QStringLiteral("l20086"), CommandTag))
        ClickBotn(47).setPicture(p);
    if (auto p = face(second ? QStringLiteral("l20086") : QStringLiteral("l20046"), CommandTag))
        ClickBotn(48).setPicture(p);
    for (int i = 50; i <= 69; ++i)
        ClickBotn(i).setVisible((i >= 60) == second);
    for (int i = 50 + std::max(S().UnitCount, 0); i <= 69; ++i)
        ClickBotn(i).setVisible(false);
}

void FrmFengmian::selectUnit(int index)
{
    const SessionState& s = S();
    SelectedUnit = index - 50;
    int total = 0, notLearned = 0;
    if (index == 49) {
        LblUnitDQCAP(1).setCaption(QStringLiteral("所有题库中题目"));
        for (int u = 0; u < s.UnitCount && u < cover::MaxUnits; ++u) {
            total += codes::num16(s.UnitTable[static_cast<std::size_t>(u)][1]);
            notLearned += codes::num16(s.UnitTable[static_cast<std::size_t>(u)][2]);
        }
    } else {
        const int u = index - 50;
        showUnitPage(index >= 60);
        const auto& row = s.UnitTable[static_cast<std::size_t>(u)];
        LblUnitDQCAP(1).setCaption(QStringLiteral("第") + QString::number(u + 1) + QStringLiteral("单元 ") + row[0]);
        total = codes::num16(row[1]);
        notLearned = codes::num16(row[2]);
    }
    LblUnitDQCAP(2).setCaption(QString::number(total) + QStringLiteral("题"));
    LblUnitDQCAP(3).setCaption(QString::number(total - notLearned) + QStringLiteral("题"));
    LblUnitDQCAP(4).setCaption(QString::number(notLearned) + QStringLiteral("题"));
    if (const auto bars = cover::chartBars(total, notLearned)) {
        ImgUnitC->Move(ImgUnitC->Left(), scaledY(bars->openTop), ImgUnitC->Width(), scaledY(bars->openHeight));
        ImgUnitD->Move(ImgUnitD->Left(), scaledY(bars->learnedTop), ImgUnitD->Width(), scaledY(bars->learnedHeight));
    } else {
        // A view without questions: the bars keep what they showed.
        reportFailure(CommandTag, runerr::Overflow);
    }
    LblUnitDQCAP(3).setTop(ImgUnitD->Top() - scaledY(240));
    LblUnitDQCAP(4).setTop(ImgUnitC->Top() - scaledY(240));
    for (int i = 49; i <= 69; ++i)
        ClickBotn(i).setEnabled(true);
    ClickBotn(index).setEnabled(false);
}

void FrmFengmian::startUnitPractice()
{
    SessionState& s = S();
    PicAd->setVisible(true);
    if (SelectedUnit < 0) {
        notice(QStringLiteral("单元练习"), QStringLiteral("\r\n本模块共有") + QString::number(s.UnitCount) +
                                               QStringLiteral("单元\r\n\r\n请先点击左边单元名称选择您要学习的单元，再点开始学习！"));
        return;
    }
    const int u = SelectedUnit;
    const auto& row = s.UnitTable[static_cast<std::size_t>(u)];
    if (ChapterFilter == 1 || ChapterFilter == 2) {
        const bool learned = ChapterFilter == 1;
        const QString list = cover::chapterIds(u, row[3], learned ? u'T' : u'F');
        if (list.isEmpty()) {
            notice(QStringLiteral("章节练习"), QStringLiteral("\r\n\r\n\r\n") + (learned ? QStringLiteral("您本部分没有已学题！")
                                                                                    : QStringLiteral("您本部分没有未学题！")));
            return;
        }
        s.DisplayMode = 2;
        s.CurrentQuestion = 1;
        if (!InitShiTi(list, 19))
            return;
        s.SessionKind = learned ? 5 : 6;
        s.PaperNo = u;
        s.SetIndex = learned ? 14 : 13;
        for (int i = 1; i <= s.QuestionCount; ++i) {
            s.QuestionDoneText[static_cast<std::size_t>(i)] = learned ? QStringLiteral("T") : QStringLiteral("F");
            s.QuestionState[static_cast<std::size_t>(i)] = learned ? 4 : 0;
        }
    } else {
        s.DisplayMode = 2;
        s.CurrentQuestion = 1;
        s.SetIndex = u;
        s.SessionKind = 20;
        s.QuestionCount = std::clamp(codes::num16(row[1]), 0, MaxQuestions);
        for (int i = 1; i <= s.QuestionCount; ++i) {
            const auto qi = static_cast<std::size_t>(i);
            s.QuestionDoneText[qi] = row[3].mid(i - 1, 1);
            s.QuestionState[qi] = s.QuestionDoneText[qi] == QStringLiteral("T") ? 4 : 0;
            s.QuestionId[qi] = u * 100 + i;
        }
    }
    startLianXi();
}
