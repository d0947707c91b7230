// The favourites and wrong-question panels: their build, the tick boxes that choose the entries,
// the start of a practice session from a list and the clearing of a list.
#include "cover/frm_fengmian.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/list_practice.h"
#include "platform/vb_constants.h"
#include "session/record_files.h"
#include "session_state/session_state.h"

namespace {

const QString CommandTag = QStringLiteral("clickbotn");
const QString BuildTag = QStringLiteral("fengmaincsh");

// The cover puts three line breaks before a one-line prompt.
QString prompt(const QString& text) { return QStringLiteral("\r\n\r\n\r\n") + text; }

QString recordFile(const QString& number) { return records::recordPath(S().AppPath, number); }

} // namespace

FrmFengmian::ListPanel FrmFengmian::listPanel(cover::QuestionList which)
{
    if (which == cover::QuestionList::Favourites)
        return {ImgBiaoZhiBack, LblBiaoZhiWei, LblBiaoZhiYI, FavouritesFilter, 40};
    return {ImgCuoTiBack, LblCuoTiWei, LblCuoTiYI, WrongFilter, 42};
}

void FrmFengmian::makeListPanels()
{
    // Design sizes, not scaled: the counts are short numbers in a font that follows the scale.
    const struct {
        vb::PictureBox* panel;
        vb::Image** back;
        vb::Label** notReviewed;
        vb::Label** reviewed;
        int notReviewedWidth, reviewedWidth, height;
    } panels[] = {
        {PicBiaoZhi, &ImgBiaoZhiBack, &LblBiaoZhiWei, &LblBiaoZhiYI, 360, 240, 195},
        {PicCuoTi, &ImgCuoTiBack, &LblCuoTiWei, &LblCuoTiYI, 315, 315, 180},
    };
    for (const auto& p : panels) {
        *p.back = new vb::Image(p.panel);
        for (vb::Label** count : {p.notReviewed, p.reviewed}) {
            vb::Label* l = new vb::Label(p.panel);
            l->setBackStyle(0);
            l->setAlignment(2);
            l->setForeColor(vb::RGB(255, 0, 0));
            l->setFontBold(true);
            *count = l;
        }
        (*p.notReviewed)->Move(0, 0, p.notReviewedWidth, p.height);
        (*p.reviewed)->Move(0, 0, p.reviewedWidth, p.height);
    }
}

void FrmFengmian::buildListPanels()
{
    for (const cover::QuestionList which : {cover::QuestionList::Favourites, cover::QuestionList::Wrong}) {
        const ListPanel p = listPanel(which);
        const bool fav = which == cover::QuestionList::Favourites;
        p.back->Move(0, 0);
        if (auto pic = faceFile(fav ? QStringLiteral("l20057") : QStringLiteral("l20058"), BuildTag))
            p.back->setPicture(*pic);
        for (vb::Label* l : {p.notReviewed, p.reviewed}) {
            l->setCaption(QStringLiteral("00"));
            l->setFontSize(10 * S().ScaleX);
        }
        p.notReviewed->Move(scaledX(7140), scaledY(2385), p.notReviewed->Width(), p.notReviewed->Height());
        p.reviewed->Move(scaledX(7140), scaledY(2835), p.reviewed->Width(), p.reviewed->Height());
        ClickBotn(p.firstBox).Move(scaledX(5775), scaledY(2235), scaledX(1200), scaledY(450));
        ClickBotn(p.firstBox + 1).Move(scaledX(5775), scaledY(2685), scaledX(1200), scaledY(450));
        p.filter = cover::NotReviewedBit;
        if (auto pic = faceFile(QStringLiteral("l2009%1").arg(p.firstBox - 40), BuildTag))
            ClickBotn(p.firstBox).setPicture(*pic);
        if (auto pic = faceFile(QStringLiteral("l2004%1").arg(p.firstBox - 39), BuildTag))
            ClickBotn(p.firstBox + 1).setPicture(*pic);
        // The counts are those of the flag file as it stands; a missing one gives 0 and 0.
        const auto [notReviewed, reviewed] = cover::flagCounts(records::readListLine(recordFile(cover::flagFileName(which)), BuildTag));
        p.notReviewed->setCaption(QString::number(notReviewed));
        p.reviewed->setCaption(QString::number(reviewed));
    }
}

void FrmFengmian::toggleListFilter(int index)
{
    const cover::FilterToggle t = cover::toggleFilterBox(index, listPanel(index <= 41 ? cover::QuestionList::Favourites : cover::QuestionList::Wrong).filter);
    listPanel(t.list).filter = t.filter;
    if (auto pic = face(t.face, CommandTag))
        ClickBotn(index).setPicture(pic);
}

void FrmFengmian::startListPractice(cover::QuestionList which)
{
    const int filter = listPanel(which).filter;
    if (filter == 0)
        return;
    // A list that cannot be read is no empty list: the candidate is told so, not that nothing
    // was marked.
    const std::optional<QString> list = records::readListLineChecked(recordFile(cover::listFileName(which)), CommandTag);
    const std::optional<QString> flags = records::readListLineChecked(recordFile(cover::flagFileName(which)), CommandTag);
    if (!list || !flags) {
        notice(cover::practiceTitle(which), prompt(QStringLiteral("记录文件无法读取，不能开始练习。")));
        return;
    }
    const cover::ListPractice p = cover::planListPractice(which, filter, *list, *flags);
    if (!p.notice.isEmpty()) {
        notice(cover::practiceTitle(which), prompt(p.notice));
        return;
    }
    SessionState& s = S();
    s.SessionKind = p.sessionKind;
    s.SetIndex = p.setIndex;
    for (int i = 1; i <= MaxQuestions; ++i) {
        s.QuestionDoneText[static_cast<std::size_t>(i)] = p.doneText(i);
        s.QuestionState[static_cast<std::size_t>(i)] = p.state(i);
    }
    if (!InitShiTi(p.ids, 19))
        return;
    s.QuestionCount = static_cast<int>(p.ids.size() / 4);
    s.DisplayMode = 2;
    startLianXi();
}

void FrmFengmian::clearList(cover::QuestionList which)
{
    const ListPanel panel = listPanel(which);
    if (panel.filter == 0)
        return;
    S().MsgBoxResult = 0;
    FrmQVMSGBOX& box = frmQVMSGBOX();
    box.LblTitle->setCaption(cover::clearTitle(which));
    box.Image1->setPicture(face(QStringLiteral("l20071"), CommandTag));
    box.LblPrompt->setCaption(prompt(cover::clearPrompt(which, panel.filter)));
    box.Show(vb::vbModal);
    if (S().MsgBoxResult != 1)
        return;
    const QString listPath = recordFile(cover::listFileName(which));
    const QString flagPath = recordFile(cover::flagFileName(which));
    // A part is told by the flags: a list or flag file that cannot be read would clear the wrong
    // part, or all of it, so both are left as they are.
    const std::optional<QString> listLine = records::readListLineChecked(listPath, CommandTag);
    const std::optional<QString> flagLine = records::readListLineChecked(flagPath, CommandTag);
    if (!listLine || !flagLine) {
        notice(cover::clearTitle(which), QStringLiteral("\r\n\r\n\r\n记录文件无法读取，没有清除题目。"));
        return;
    }
    const auto c = cover::planListClearing(panel.filter, *listLine, *flagLine);
    if (!c)
        return;
    // Both or neither: flags kept beside a list that lost entries would belong to other entries.
    if (!records::writeRecords({{listPath, c->listLine}, {flagPath, c->flagLine}})) {
        notice(cover::clearTitle(which), QStringLiteral("\r\n\r\n\r\n记录文件无法写入，没有清除题目。"));
        return;
    }
    if (c->notReviewedCleared)
        panel.notReviewed->setCaption(QStringLiteral("0"));
    if (c->reviewedCleared)
        panel.reviewed->setCaption(QStringLiteral("0"));
}
