#pragma once
// The cover page, the candidate's home between sessions: the home picture with its tiles, the
// top bar, the five panels (units and chapters, papers, favourites, wrong questions, help), the
// announcement strip and the bottom info line. Every command is a picture button of one array,
// ClickBotn, served by one handler. Its load builds the whole page from the data files.

#include "controls/mivo_button.h"
#include "cover/list_practice.h"
#include "cover/paper_rules.h"
#include "cover/cover_rules.h"
#include "platform/clock.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

#include <array>
#include <optional>

class FrmFengmian : public vb::Form {
    Q_OBJECT
public:
    FrmFengmian();

    vb::Image* picShouYe = nullptr;
    vb::PictureBox* PicTOP = nullptr;
    vb::Label* lblMove = nullptr;
    vb::Label* LblCaption = nullptr;
    vb::PictureBox* PicTiKu = nullptr;
    vb::PictureBox* PicKaCH = nullptr;
    vb::PictureBox* PicBiaoZhi = nullptr;
    vb::PictureBox* PicCuoTi = nullptr;
    vb::PictureBox* PicHelp = nullptr;
    vb::PictureBox* PicAd = nullptr;
    vb::Label* LblAD = nullptr;
    vb::ControlArray<vb::Label> LblInfo;
    vb::ControlArray<mivoButton> ClickBotn;
    platform::Timer* TimFH = nullptr;

    // Units and chapters panel.
    vb::Image* PicUnitLeft = nullptr;
    vb::Image* ImgUnitGezi = nullptr;
    vb::Image* ImgUnitD = nullptr;
    vb::Image* ImgUnitC = nullptr;
    vb::Image* imgPicIII = nullptr;
    vb::ControlArray<vb::Label> LblUnitDQCAP;

    // Favourites and wrong-question panels: background, counts of the entries not reviewed and
    // reviewed.
    vb::Image* ImgBiaoZhiBack = nullptr;
    vb::Label* LblBiaoZhiWei = nullptr;
    vb::Label* LblBiaoZhiYI = nullptr;
    vb::Image* ImgCuoTiBack = nullptr;
    vb::Label* LblCuoTiWei = nullptr;
    vb::Label* LblCuoTiYI = nullptr;

    // Papers panel: a card per paper slot 0-29, the new-random-paper page and its notice.
    vb::Image* PicKaCHLeft = nullptr;
    vb::ControlArray<vb::Image> ImgShiJuan;
    vb::ControlArray<vb::Label> LblShiJuanBiao;  // title
    vb::ControlArray<vb::Label> LblShiJuanTime;  // time of the last exam
    vb::ControlArray<vb::Label> LblShiJuanSSSS;  // "最好成绩：    分"
    vb::ControlArray<vb::Label> LblShiJuanScore; // best score
    vb::ControlArray<vb::Label> LblShiJuanCCC;   // "错题复习"
    vb::ControlArray<vb::Label> LblShiJuanCuoTi; // number of wrong questions
    vb::ControlArray<vb::Label> LblShiJuanDel;   // "删除试卷" on random papers
    vb::Image* ImgSuiJi = nullptr;
    vb::Label* LblNoHis = nullptr;

    // Help panel.
    vb::Image* PicHelpLeft = nullptr;
    vb::WebView* WebHelpCON = nullptr;
    vb::Label* LlbHelpCAP = nullptr;

    // Form-level values of the page.
    int SelectedUnit = -1;     // -1 all units
    int ChapterFilter = 0;     // 0 whole unit, 1 learned, 2 not yet learned
    int FavouritesFilter = 1; // bits: 1 the entries not reviewed, 2 those reviewed
    int WrongFilter = 1;
    int RandomPaperCount = 0;
    int SprintLastSlot = 7;
    std::array<QString, 100> PaperHistory{}; // the score history's lines
    // The numbers a new random paper is drawn with; empty: a generator seeded from the clock.
    papers::Uniform RandomSource;
    QString AnnouncementLink;

    void FengMainCsh();
    void ClickBotn_Click(int index);
    // False, after telling the candidate, when the session's files cannot be written: the cover
    // stays and nothing of the records is touched.
    bool InitShiTi(const QString& idList, int nn);
    void startLianXi();
    void LblShiJuanCCC_Click(int index);
    void LblShiJuanDel_Click(int index);

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void LblAD_Click();
    void LblInfo_Click(int index);
    void dragMouseDown(int button);
    void TimFH_Timer();
    void WebHelpCON_LinkFollowed();

    // Build sections.
    void buildHeader();
    void buildTableAndButtons();
    void buildUnitsPanel();
    void buildHelpPanel();
    void makeListPanels();
    void buildListPanels();
    void createPapersPanel();
    void buildPapersPanel();

    // Commands.
    void showPanel(vb::PictureBox* panel, int topBarButton);
    void selectUnit(int index);
    void showUnitPage(bool second);
    void startUnitPractice();
    void showPaperTab(int tab);
    void startPaperSlot(int slot);
    void generateRandomPaper();
    // Sets up a 40-question exam from a paper's ids, ready to hand over; false, after telling the
    // candidate, when its files cannot be written or read.
    bool setUpExam(const QString& idList, int fileNo);
    // The launch in two shares: what needs no window (false, after telling the candidate, when the
    // session's files cannot be read), then the cover goes and the session's windows come.
    bool prepareSession();
    void handOver();
    static QString helpPagePath(int index);
    void openHelpPage(int index);
    void confirmExit();
    // The favourites and wrong-question panels (frm_fengmian_lists.cpp).
    struct ListPanel {
        vb::Image* back;
        vb::Label* notReviewed;
        vb::Label* reviewed;
        int& filter;
        int firstBox; // the not-reviewed box; the reviewed one follows
    };
    ListPanel listPanel(cover::QuestionList which);
    void toggleListFilter(int index);
    void startListPractice(cover::QuestionList which);
    void clearList(cover::QuestionList which);
    void notice(const QString& title, const QString& prompt);

    // A face read and decoded now; a failure is reported under `tag`.
    std::optional<QPixmap> face(const QString& name, const QString& tag);
    // A face whose file is checked and reported now as any face's, its pixels decoded when it
    // is first drawn: what the page does not show costs no memory. A file changed meanwhile that
    // no longer loads is reported then, under the same tag.
    std::optional<vb::PictureFile> faceFile(const QString& name, const QString& tag);

    // The units' question counts from the papers-and-units table of this build, when it has them.
    std::optional<std::array<int, cover::MaxUnits>> unitQuestions_;
};

FrmFengmian& frmFengmian();
