#include "cover/session_builder.h"

#include "cover/cover_files.h"
#include "platform/files.h"
#include "session/record_files.h"
#include "session_state/codes.h"
#include "startup/error_report.h"

#include <map>
#include <optional>

namespace cover {

namespace {

const QString Tag = QStringLiteral("initshiti");

struct Bank {
    QStringList questions;
    // A session copies the steps of a few questions of a bank: only those lines are decoded.
    platform::TextLines steps;
    std::vector<int> firstLines; // first step line (1-based) of each question
};

std::optional<Bank> readBank(const QString& dataDir, int unit)
{
    auto questions = platform::readLines(joinPath(dataDir, QStringLiteral("2888") + twoDigits(70 + unit) + QStringLiteral(".mxy")));
    auto steps = platform::readTextLines(joinPath(dataDir, QStringLiteral("2888") + twoDigits(20 + unit) + QStringLiteral(".mxy")));
    if (!questions || !steps)
        return std::nullopt;
    Bank bank{std::move(*questions), std::move(*steps), {}};
    int first = 1;
    for (const QString& line : bank.questions) {
        bank.firstLines.push_back(first);
        first += codes::numField(line, 5, 2);
    }
    return bank;
}

// The file's bytes, built line by line: a session's step text runs to megabytes, and the text
// whole beside its bytes whole would take that much fresh memory again at every build.
QByteArray fileBytes(const QStringList& lines)
{
    qsizetype chars = 0;
    for (const QString& line : lines)
        chars += line.size() + 2;
    QByteArray bytes;
    bytes.reserve(chars * 2); // room for a two-byte code per character; pages never used cost nothing
    for (const QString& line : lines)
        bytes += platform::toGbk(line + QStringLiteral("\r\n"));
    return bytes;
}

} // namespace

QString placeholderQuestionLine(int id)
{
    const QString code = QStringLiteral("%1").arg(id, 4, 10, QChar(u'0'));
    return code + QStringLiteral("01本题数据缺失（") + code + QStringLiteral("）");
}

QString placeholderStepLine()
{
    // Pictures kept, no target, no editor, the hint unchanged: the step waits for nothing it
    // can get.
    QString line(212, u' ');
    const auto put = [&line](int col, const QString& text) { line.replace(col - 1, text.size(), text); };
    put(8, QStringLiteral("0000"));
    put(12, QStringLiteral("888888"));
    for (int col : {28, 44, 60, 106, 145, 161, 207})
        put(col, QStringLiteral("000000"));
    put(66, QString(20, u'0'));
    put(112, QString(10, u'0'));
    put(122, QStringLiteral("000"));
    put(187, QString(10, u'0'));
    return line;
}

BuiltSession buildSession(const QString& dataDir, const QString& idList)
{
    BuiltSession out;
    std::map<int, std::optional<Bank>> banks;
    const qsizetype count = std::min<qsizetype>(idList.size() / 4, MaxQuestions);
    for (qsizetype i = 0; i < count; ++i) {
        const int id = static_cast<int>(codes::numVal(QStringView(idList).mid(i * 4, 4)));
        out.ids.push_back(id);
        const int unit = id / 100;
        // Positions count from 1: "UU00" names no question (a paper's missing places are
        // filled with "0000") and gets the placeholder like a position past the bank.
        const int pos = id % 100;
        auto it = banks.find(unit);
        if (it == banks.end())
            it = banks.emplace(unit, readBank(dataDir, unit)).first;
        std::optional<Bank>& bank = it->second;
        if (!bank || pos < 1 || pos > bank->questions.size()) {
            out.missing.push_back({id, bank ? 9 : 53});
            out.questionLines << placeholderQuestionLine(id);
            out.stepLines << placeholderStepLine();
            continue;
        }
        const qsizetype q = pos - 1;
        out.questionLines << bank->questions[q];
        const qsizetype first = bank->firstLines[static_cast<std::size_t>(q)] - 1;
        const qsizetype lines = codes::numField(bank->questions[q], 5, 2);
        // A bank step file shorter than its counts promise: the copy stops at its end.
        for (qsizetype k = first; k < std::min(first + lines, bank->steps.size()); ++k)
            out.stepLines << bank->steps.line(k);
    }
    return out;
}

bool writeSession(const BuiltSession& built, int nn)
{
    SessionState& s = S();
    for (const auto& m : built.missing)
        reportFailure(Tag, m.error, runerr::text(m.error) + QStringLiteral(" (") + QStringLiteral("%1").arg(m.id, 4, 10, QChar(u'0')) + u')');
    const QString stepPath = dataFile(QStringLiteral("2888") + twoDigits(nn));
    const QString questionPath = dataFile(QStringLiteral("2888") + twoDigits(nn + 50));
    // Both files or neither: a step file of one session beside the question file of another
    // would play the wrong steps.
    if (!platform::saveFiles({{stepPath, fileBytes(built.stepLines)}, {questionPath, fileBytes(built.questionLines)}})) {
        reportFailure(Tag, runerr::PathFileAccess, runerr::text(runerr::PathFileAccess) + u' ' + stepPath + QStringLiteral(", ") + questionPath);
        return false;
    }
    s.QuestionCount = static_cast<int>(built.ids.size());
    for (std::size_t i = 0; i < built.ids.size(); ++i)
        s.QuestionId[i + 1] = built.ids[i];
    return true;
}

bool InitShiTi(const QString& idList, int nn) { return writeSession(buildSession(S().DataDir, idList), nn); }

std::vector<int> firstLineTable(const QStringList& questionLines)
{
    std::vector<int> table{1};
    for (const QString& line : questionLines) {
        if (codes::trimSpaces(line).isEmpty())
            break;
        table.push_back(table.back() + codes::numField(line, 5, 2));
    }
    return table;
}

void markFavourites(SessionState& s, const QString& favouritesLine)
{
    const QString line = codes::trimSpaces(favouritesLine);
    QStringList ids;
    for (qsizetype i = 0; i + 4 <= line.size(); i += 4)
        ids << line.mid(i, 4);
    const int n = std::clamp(s.QuestionCount, 0, MaxQuestions);
    for (int i = 1; i <= n; ++i) {
        const QString key = QStringLiteral("%1").arg(s.QuestionId[static_cast<std::size_t>(i)], 4, 10, QChar(u'0'));
        if (ids.contains(key))
            s.QuestionState[static_cast<std::size_t>(i)] |= 2;
    }
}

QString sessionFileNo(const SessionState& s) { return twoDigits(s.SessionKind + s.SetIndex); }

Handover handoverFor(int sessionKind) { return sessionKind == 0 || sessionKind == 8 ? Handover::Login : Handover::Panel; }

bool prepareLaunch(SessionState& s)
{
    const QString nn = sessionFileNo(s);
    const QString questionPath = dataFile(QStringLiteral("2888") + twoDigits(s.SessionKind + s.SetIndex + 50));
    const auto questions = platform::readLines(questionPath);
    if (!questions)
        return false;

    s.TextTablePath = dataFile(QStringLiteral("288890"));
    s.StepFilePath = dataFile(QStringLiteral("2888") + nn);
    s.QuestionFilePath = questionPath;
    s.CurrentQuestion = 1;
    s.CurrentStep = 1;
    s.MinutesLeft = 50;

    const std::vector<int> table = firstLineTable(*questions);
    for (std::size_t k = 0; k < table.size() && k < MaxQuestions; ++k) {
        s.QuestionFirstLine[k + 1] = table[k];
        if (k + 1 < table.size())
            s.QuestionStepCount[k + 1] = table[k + 1] - table[k];
    }
    const qsizetype used = static_cast<qsizetype>(table.size()) - 1;
    if (used > 0)
        s.QuestionLine = questions->at(used - 1);

    const auto favourites = records::readListLineChecked(recordFile(QStringLiteral("288862")), QStringLiteral("startlianxi"));
    s.FavouritesMarked = favourites.has_value();
    markFavourites(s, favourites.value_or(QString()));
    return true;
}

} // namespace cover
