// The favourites and wrong-question panels of the cover page: their counts and tick boxes, the
// practice of a list or of its part, and the clearing of a part.
#include "cover_fixture.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/frm_fengmian.h"
#include "platform/vb.h"
#include "session/frm_tm.h"
#include "support/events.h"

using namespace covertest;
using vb::Forms;

namespace {

class ListPanelsTest : public InstallationTest {
protected:
    void SetUp() override
    {
        InstallationTest::SetUp();
        writeLines(data(QStringLiteral("288891")), {QStringLiteral("0004"), QStringLiteral("01010501")});
        writeBank(1, {1});
        writeBank(2, {1, 1, 1, 1, 2});
        writeBank(3, {1});
        // Faces told apart by their width.
        int width = 8;
        for (const char* name : {"l20040", "l20041", "l20042", "l20043", "l20090", "l20091", "l20092", "l20093"})
            faceWidths[QString::fromLatin1(name)] = writeFace(QString::fromLatin1(name), width += 4);
        vb::setModalResponder([this](vb::Form& f) {
            if (auto* box = qobject_cast<FrmQVMSGBOX*>(&f)) {
                boxes << box->LblTitle->Caption() + u'|' + box->LblPrompt->Caption();
                if (confirm)
                    S().MsgBoxResult = 1;
            }
            vb::Unload(f);
        });
    }
    void TearDown() override
    {
        Forms::unloadAll();
        vb::setModalResponder({});
        InstallationTest::TearDown();
    }

    int writeFace(const QString& name, int width)
    {
        QImage image(4 * width, 4, QImage::Format_ARGB32);
        image.fill(Qt::gray);
        image.save(data(name), "PNG");
        return width;
    }
    // The face a tick box shows, by its width.
    QString faceOf(int box)
    {
        const auto& p = frmFengmian().ClickBotn(box).Picture();
        for (auto it = faceWidths.cbegin(); it != faceWidths.cend(); ++it)
            if (p && p->width() == 4 * it.value())
                return it.key();
        return QStringLiteral("?");
    }
    void lists(const QString& list, const std::optional<QString>& flags, bool wrong = false)
    {
        writeLines(record(wrong ? QStringLiteral("288863") : QStringLiteral("288862")), {list});
        const QString flagFile = record(wrong ? QStringLiteral("288873") : QStringLiteral("288872"));
        if (flags)
            writeLines(flagFile, {*flags});
        else
            QFile::remove(flagFile);
    }
    QByteArray fileOf(const QString& number) { return fileBytes(record(number)); }

    QMap<QString, int> faceWidths;
    QStringList boxes;
    bool confirm = false;
};

} // namespace

TEST_F(ListPanelsTest, TheBuildCountsTheFlagFilesAndTicksTheNotReviewedBoxes)
{
    writeLines(record(QStringLiteral("288872")), {QStringLiteral(" TTF ")});
    writeLines(record(QStringLiteral("288873")), {QStringLiteral("tF"), QStringLiteral("TTTT")});
    FrmFengmian& f = frmFengmian();
    EXPECT_EQ(f.LblBiaoZhiWei->Caption(), QStringLiteral("1"));
    EXPECT_EQ(f.LblBiaoZhiYI->Caption(), QStringLiteral("2"));
    EXPECT_EQ(f.LblCuoTiWei->Caption(), QStringLiteral("2"));
    EXPECT_EQ(f.LblCuoTiYI->Caption(), QStringLiteral("0"));
    EXPECT_EQ(f.FavouritesFilter, 1);
    EXPECT_EQ(f.WrongFilter, 1);
    EXPECT_EQ(faceOf(40), QStringLiteral("l20090"));
    EXPECT_EQ(faceOf(41), QStringLiteral("l20041"));
    EXPECT_EQ(faceOf(42), QStringLiteral("l20092"));
    EXPECT_EQ(faceOf(43), QStringLiteral("l20043"));
    for (int box : {40, 42}) {
        EXPECT_EQ(f.ClickBotn(box).Left(), 5775);
        EXPECT_EQ(f.ClickBotn(box).Top(), 2235);
        EXPECT_EQ(f.ClickBotn(box + 1).Top(), 2685);
        EXPECT_EQ(f.ClickBotn(box).Width(), 1200);
        EXPECT_EQ(f.ClickBotn(box).Height(), 450);
    }
    for (vb::Label* l : {f.LblBiaoZhiWei, f.LblCuoTiWei})
        EXPECT_EQ(QPoint(l->Left(), l->Top()), QPoint(7140, 2385));
    for (vb::Label* l : {f.LblBiaoZhiYI, f.LblCuoTiYI})
        EXPECT_EQ(QPoint(l->Left(), l->Top()), QPoint(7140, 2835));
}

TEST_F(ListPanelsTest, MissingFlagFilesCountNothingAndReportNothing)
{
    frmFengmian();
    const QString before = log();
    Forms::unloadAll();
    writeLines(record(QStringLiteral("288872")), {QStringLiteral("TF")});
    writeLines(record(QStringLiteral("288873")), {QStringLiteral("TF")});
    frmFengmian();
    EXPECT_EQ(log().count(QStringLiteral("fengmaincsh")), 2 * before.count(QStringLiteral("fengmaincsh")))
        << "a build without the flag files reports exactly what one with them does";
    Forms::unloadAll();
    QFile::remove(record(QStringLiteral("288872")));
    QFile::remove(record(QStringLiteral("288873")));
    FrmFengmian& f = frmFengmian();
    for (vb::Label* l : {f.LblBiaoZhiWei, f.LblBiaoZhiYI, f.LblCuoTiWei, f.LblCuoTiYI})
        EXPECT_EQ(l->Caption(), QStringLiteral("0"));
}

TEST_F(ListPanelsTest, TickBoxesToggleTheirBitAndFaceAndBothOffDoesNothing)
{
    lists(QStringLiteral("010102050301"), QStringLiteral("TFT"));
    FrmFengmian& f = frmFengmian();
    f.ClickBotn_Click(41);
    EXPECT_EQ(f.FavouritesFilter, 3);
    EXPECT_EQ(faceOf(41), QStringLiteral("l20091"));
    f.ClickBotn_Click(40);
    f.ClickBotn_Click(41);
    EXPECT_EQ(f.FavouritesFilter, 0);
    EXPECT_EQ(faceOf(40), QStringLiteral("l20040"));
    EXPECT_EQ(faceOf(41), QStringLiteral("l20041"));
    f.ClickBotn_Click(43);
    f.ClickBotn_Click(42);
    EXPECT_EQ(f.WrongFilter, 2);
    EXPECT_EQ(faceOf(42), QStringLiteral("l20042"));
    EXPECT_EQ(faceOf(43), QStringLiteral("l20093"));

    confirm = true;
    f.ClickBotn_Click(22);
    f.ClickBotn_Click(23);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_TRUE(Forms::isLoaded<FrmFengmian>());
    EXPECT_EQ(fileOf(QStringLiteral("288862")), QByteArray("010102050301\r\n"));
}

TEST_F(ListPanelsTest, PractiseTheWholeListOrOnePart)
{
    struct Case {
        int filter;
        int kind, setIndex;
        std::vector<int> ids, states;
        const char* done;
    } cases[] = {
        // Every favourite starts marked; the panel's load visits question 1.
        {3, 9, 10, {101, 205, 301}, {7, 2, 6}, "TFT"},
        {1, 10, 9, {205}, {3}, "F"},
        {2, 11, 8, {101, 301}, {7, 6}, "TT"},
    };
    for (const Case& c : cases) {
        lists(QStringLiteral("010102050301"), QStringLiteral("TFT"));
        FrmFengmian& f = frmFengmian();
        if (c.filter != 1)
            f.ClickBotn_Click(41);
        if (c.filter == 2)
            f.ClickBotn_Click(40);
        f.ClickBotn_Click(22);
        SCOPED_TRACE(c.filter);
        const SessionState& s = S();
        EXPECT_EQ(s.SessionKind, c.kind);
        EXPECT_EQ(s.SetIndex, c.setIndex);
        EXPECT_EQ(s.DisplayMode, 2);
        ASSERT_EQ(s.QuestionCount, static_cast<int>(c.ids.size()));
        for (std::size_t i = 0; i < c.ids.size(); ++i) {
            EXPECT_EQ(s.QuestionId[i + 1], c.ids[i]);
            EXPECT_EQ(s.QuestionState[i + 1], c.states[i]);
            EXPECT_EQ(s.QuestionDoneText[i + 1], QString(QLatin1Char(c.done[i])));
        }
        EXPECT_EQ(fileLines(data(QStringLiteral("288869"))).size(), static_cast<int>(c.ids.size()));
        EXPECT_FALSE(Forms::isLoaded<FrmFengmian>());
        EXPECT_TRUE(Forms::isLoaded<FrmTm>());
        Forms::unloadAll();
    }
    EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(ListPanelsTest, WrongQuestionsPractiseAsTheirOwnKinds)
{
    lists(QStringLiteral("010102050301"), QStringLiteral("TFT"), true);
    FrmFengmian& f = frmFengmian();
    f.ClickBotn_Click(24);
    EXPECT_EQ(S().SessionKind, 13);
    EXPECT_EQ(S().SetIndex, 6);
    EXPECT_EQ(S().QuestionCount, 1);
    EXPECT_EQ(S().QuestionState[1], 1) << "visited, not a favourite";
}

TEST_F(ListPanelsTest, AListWithoutFlagsIsPractisedAsNotReviewed)
{
    lists(QStringLiteral("010102050301"), std::nullopt);
    frmFengmian().ClickBotn_Click(22);
    EXPECT_TRUE(boxes.isEmpty());
    EXPECT_EQ(S().SessionKind, 10);
    EXPECT_EQ(S().QuestionCount, 3);
}

TEST_F(ListPanelsTest, NothingToPractiseGivesTheNotice)
{
    struct Case {
        bool wrong;
        const char *list, *flags;
        const char* box;
    } cases[] = {
        {false, "", "", "收藏题目练习|\r\n\r\n\r\n您还没有已收藏题目！"},
        {true, "", "T", "错题复习|\r\n\r\n\r\n您还没有错题记录！"},
        {false, "01010205", "TT", "收藏题目练习|\r\n\r\n\r\n您没有未复习的收藏题目！"},
        {true, "01010205", "TT", "错题复习|\r\n\r\n\r\n您还没有未复习的错题记录！"},
    };
    for (const Case& c : cases) {
        lists(QString::fromLatin1(c.list), QString::fromLatin1(c.flags), c.wrong);
        boxes.clear();
        frmFengmian().ClickBotn_Click(c.wrong ? 24 : 22);
        EXPECT_EQ(boxes, QStringList{QString::fromUtf8(c.box)});
        EXPECT_TRUE(Forms::isLoaded<FrmFengmian>());
    }
}

TEST_F(ListPanelsTest, ClearingAsksThenKeepsTheOtherPart)
{
    writeLines(record(QStringLiteral("182405")), {QStringLiteral("0101")});
    struct Case {
        bool wrong;
        int filter;
        std::optional<QString> flags;
        const char *list, *keptFlags;
        const char* box;
    } cases[] = {
        {false, 1, QStringLiteral("TFT"), "01010301", "TT", "清除收藏的题目|\r\n\r\n\r\n您确实要清除未复习的收藏题目吗？"},
        {false, 2, QStringLiteral("TFT"), "0205", "F", "清除收藏的题目|\r\n\r\n\r\n您确实要清除已复习的收藏题目吗？"},
        {false, 3, QStringLiteral("TFT"), "", "", "清除收藏的题目|\r\n\r\n\r\n您确实要清除全部收藏题目吗？"},
        {false, 3, std::nullopt, "", "", "清除收藏的题目|\r\n\r\n\r\n您确实要清除全部收藏题目吗？"},
        {true, 1, QStringLiteral("tTt"), "0205", "T", "清除我的错题|\r\n\r\n\r\n您确实要清除未学习的我的错题题目吗？"},
        {true, 2, std::nullopt, "010102050301", "FFF", "清除我的错题|\r\n\r\n\r\n您确实要清除已学习的我的错题题目吗？"},
        {true, 3, QStringLiteral("T"), "", "", "清除我的错题|\r\n\r\n\r\n您确实要清除全部我的错题题目吗？"},
    };
    confirm = true;
    for (const Case& c : cases) {
        lists(QStringLiteral("010102050301"), c.flags, c.wrong);
        FrmFengmian& f = frmFengmian();
        const int box = c.wrong ? 42 : 40;
        if (c.filter != 1)
            f.ClickBotn_Click(box + 1);
        if (c.filter == 2)
            f.ClickBotn_Click(box);
        vb::Label* notReviewed = c.wrong ? f.LblCuoTiWei : f.LblBiaoZhiWei;
        vb::Label* reviewed = c.wrong ? f.LblCuoTiYI : f.LblBiaoZhiYI;
        // The part that stays keeps the count of the flag file.
        const QString notReviewedBefore = notReviewed->Caption(), reviewedBefore = reviewed->Caption();
        boxes.clear();
        f.ClickBotn_Click(c.wrong ? 25 : 23);
        SCOPED_TRACE(testing::Message() << c.wrong << " " << c.filter);
        EXPECT_EQ(boxes, QStringList{QString::fromUtf8(c.box)});
        EXPECT_EQ(fileOf(c.wrong ? QStringLiteral("288863") : QStringLiteral("288862")), QByteArray(c.list) + "\r\n");
        EXPECT_EQ(fileOf(c.wrong ? QStringLiteral("288873") : QStringLiteral("288872")), QByteArray(c.keptFlags) + "\r\n");
        EXPECT_EQ(notReviewed->Caption(), c.filter == 2 ? notReviewedBefore : QStringLiteral("0"));
        EXPECT_EQ(reviewed->Caption(), c.filter == 1 ? reviewedBefore : QStringLiteral("0"));
        Forms::unloadAll();
    }
    EXPECT_EQ(fileOf(QStringLiteral("182405")), QByteArray("0101\r\n"));
}

TEST_F(ListPanelsTest, ClearingChangesNothingWithoutAConfirmationOrAList)
{
    lists(QStringLiteral("010102050301"), QStringLiteral("TFT"));
    FrmFengmian& f = frmFengmian();
    f.ClickBotn_Click(23);
    EXPECT_EQ(boxes.size(), 1);
    EXPECT_EQ(fileOf(QStringLiteral("288862")), QByteArray("010102050301\r\n"));
    EXPECT_EQ(fileOf(QStringLiteral("288872")), QByteArray("TFT\r\n"));
    EXPECT_EQ(f.LblBiaoZhiWei->Caption(), QStringLiteral("1"));

    confirm = true;
    QFile::remove(record(QStringLiteral("288863")));
    f.ClickBotn_Click(25);
    EXPECT_EQ(boxes.size(), 2);
    EXPECT_FALSE(QFile::exists(record(QStringLiteral("288863"))));
    EXPECT_FALSE(QFile::exists(record(QStringLiteral("288873"))));
}

// The flags tell the parts apart: with the list or its flags unreadable (a folder in the
// file's place) clearing a part would clear the wrong questions, so nothing is cleared.
TEST_F(ListPanelsTest, AnUnreadableListOrFlagFileClearsNothing)
{
    struct Case {
        const char *unreadable, *other, *otherBytes;
    } cases[] = {{"288872", "288862", "010102050301\r\n"}, {"288862", "288872", "TFT\r\n"}};
    confirm = true;
    for (const Case& c : cases) {
        lists(QStringLiteral("010102050301"), QStringLiteral("TFT"));
        const QString path = record(QString::fromLatin1(c.unreadable));
        QFile::remove(path);
        QDir().mkpath(path);
        boxes.clear();
        frmFengmian().ClickBotn_Click(23);
        SCOPED_TRACE(c.unreadable);
        EXPECT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes.value(1), QStringLiteral("清除收藏的题目|\r\n\r\n\r\n记录文件无法读取，没有清除题目。"));
        EXPECT_TRUE(QFileInfo(path).isDir());
        EXPECT_EQ(fileOf(QString::fromLatin1(c.other)), QByteArray(c.otherBytes));
        Forms::unloadAll();
        QDir(path).removeRecursively();
    }
}

TEST_F(ListPanelsTest, TheListIsWrittenBeforeItsFlags)
{
    lists(QStringLiteral("010102050301"), QStringLiteral("TFT"));
    FrmFengmian& f = frmFengmian();
    QStringList saves;
    platform::setSaveCommitHook([&saves](const QString& path) {
        saves << QFileInfo(path).fileName();
        return true;
    });
    confirm = true;
    f.ClickBotn_Click(23);
    platform::setSaveCommitHook(nullptr);
    EXPECT_EQ(saves, (QStringList{"288862.mxy", "288872.mxy"}));
}
