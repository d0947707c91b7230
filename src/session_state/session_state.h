#pragma once
// The shared session variables: one block that every window reads. Each subsystem fills its
// own share (see the comments); tests reset the whole block with resetSession().

#include <QString>
#include <array>
#include <cstdint>

inline constexpr int MaxQuestions = 500;

struct SessionState {
    // Installation and configuration (start-up).
    QString AppPath;                      // folder of the executable, without a trailing separator
    double ScaleX = 1.0;                  // screen twips per pixel / 15
    double ScaleY = 1.0;
    QString DataDir;                      // AppPath & configuration entry 3 & separator
    std::array<QString, 41> sysInfo{};    // the configuration table
    QString ModuleName;
    QString ModuleTitle;
    int ModuleNo = 0;
    QString ApplicationTitle;
    std::array<std::array<QString, 4>, 41> UnitTable{}; // title, questions, not learned, progress
    QString OsVersion;
    QString BankVersion;                  // "YYYYMMDDHHMM" of the installed question bank
    QString CandidateName;

    // Error report triple and run log.
    QString ErrProc;
    std::int32_t ErrNumber = 0;
    QString ErrText;
    QString RunLogPath;

    int MsgBoxResult = 0;
    int UpdateWindowShown = 0;
    int ReturnPage = 0;

    // Session set-up (cover page and session builder).
    int SessionKind = 0;
    int SetIndex = 0;
    int PaperNo = 0;
    int PaperCount = 0;
    int UnitCount = 0;
    int QuestionCount = 0;
    QString StepFilePath;
    QString QuestionFilePath;
    QString TextTablePath;
    // Counts the sessions set up in this run (beginSession); the question panel, which stays
    // loaded from one session to the next, renews its session's look when it changes.
    int SessionNo = 0;

    // The question and step cursors.
    int DisplayMode = 2;                  // 1 hints shown, 2 practice, 3 exam
    int CurrentQuestion = 1;
    int CurrentStep = 1;
    int MinutesLeft = 50;
    QString ExamStartTime = QStringLiteral("-1");
    int PanelMayClose = 0;
    // The exam of this session has been handed in (its score report written): nothing of it
    // takes input or is handed in again. The next session starts without it (beginSession).
    bool ExamHandedIn = false;
    // The session's marks started from the favourites list; when the list could not be read at
    // the launch they did not, and the session's end must not prune the list by them.
    bool FavouritesMarked = true;
    QString QuestionLine;
    QString StepRecord;
    int DemoRunning = 0;

    // Per-question arrays, 1-based (entry 0 unused).
    std::array<int, MaxQuestions + 1> QuestionId{};
    std::array<int, MaxQuestions + 1> QuestionFirstLine{};
    // Number of step lines of each question (the two digits of its question line); bounds
    // every jump within the question.
    std::array<int, MaxQuestions + 1> QuestionStepCount{};
    std::array<QString, MaxQuestions + 1> QuestionDoneText{};
    std::array<int, MaxQuestions + 1> QuestionState{};   // bits: 1 visited, 2 marked, 4 completed
    std::array<int, MaxQuestions + 1> SavedStep{};
    std::array<std::array<QString, 7>, MaxQuestions + 1> QuestionPictures{}; // background, Image1-6

    // Input method and examinee data.
    QString ChosenKeyboardLayout;
    int ImeHelperOn = 0;
    QString SeatNo;
    QString SittingNo;
    QString ArchiveNo;
    QString IdCardNo;
};

// A design length (twips on a 96-dpi screen) on this screen: times ScaleX or ScaleY, in whole
// twips.
int scaledX(double designTw);
int scaledY(double designTw);

// A file or folder of the installation: AppPath & separator & the relative path.
QString installPath(QStringView relative);
// A name that stands for one folder directly inside another: not empty, not "." or "..", and
// without a separator ("/" or "\") or a control character (U+0000 would cut every path through
// it short, at the name before it).
bool isPlainFolderName(QStringView name);

// The one block of the running program.
SessionState& S();
// Back to the values of a fresh start (tests).
void resetSession();
