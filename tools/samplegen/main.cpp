// talvesk-samplegen: writes the bundled sample installation from the hand-written texts under
// sample/ and pictures drawn here, into the folder of the talvesk executable.
//
//     talvesk-samplegen <sample source folder> <installation folder>
//
// Derived files are rewritten on every run. The first-run flag and the record folder are
// only created when missing: once the program has run, they hold the candidate's state.

#include "bank.h"
#include "bars.h"
#include "cover.h"
#include "cursor.h"
#include "exam.h"
#include "faces.h"
#include "menus.h"
#include "output.h"
#include "panels.h"
#include "session.h"
#include "update_sample.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <cstdio>
#include <exception>

using namespace samplegen;

namespace {

// The tables have fixed sizes: the configuration file fills entries 1-40, the module file
// entries 0-40, the font-and-colour table entries 0-40.
constexpr int ConfigLines = 40;
constexpr int ModuleConfigLines = 41;
constexpr int FontColourLines = 41;
// Fixed papers of the sample: two sprint papers and two mock papers.
constexpr int SamplePapers = 4;

struct Sources {
    QStringList config;
    QStringList moduleConfig;
    QStringList fontColours;
    QStringList questionTexts;
    QStringList texts;
    QStringList announcement;
    QString bankVersion;
};

std::optional<QStringList> readSource(Output& out, const QDir& dir, const QString& name, int maxLines = -1)
{
    const auto lines = readSourceLines(dir.filePath(name));
    if (!lines) {
        out.fail(QStringLiteral("cannot read %1").arg(dir.filePath(name)));
        return std::nullopt;
    }
    if (maxLines >= 0 && lines->size() > maxLines) {
        out.fail(QStringLiteral("%1 has %2 lines; the program reads at most %3")
                     .arg(dir.filePath(name))
                     .arg(lines->size())
                     .arg(maxLines));
        return std::nullopt;
    }
    return lines;
}

std::optional<Sources> readSources(Output& out, const QDir& dir)
{
    const auto config = readSource(out, dir, QStringLiteral("config/ver.txt"), ConfigLines);
    const auto module = readSource(out, dir, QStringLiteral("config/288901.txt"), ModuleConfigLines);
    const auto fonts = readSource(out, dir, QStringLiteral("tables/288905.txt"), FontColourLines);
    const auto questions = readSource(out, dir, QStringLiteral("session/questions.txt"));
    const auto texts = readSource(out, dir, QStringLiteral("session/texts.txt"));
    const auto announcement = readSource(out, dir, QStringLiteral("cover/170100.txt"), 3);
    const auto version = readSource(out, dir, QStringLiteral("cover/288895.txt"), 1);
    if (!config || !module || !fonts || !questions || !texts || !announcement || !version)
        return std::nullopt;
    return Sources{*config, *module, *fonts, *questions, *texts, *announcement, version->value(0)};
}

void writePictures(Output& out, const QString& folder, const std::vector<std::pair<QString, QImage>>& pictures)
{
    for (const auto& [name, image] : pictures)
        out.writePicture(folder + name + QStringLiteral(".mxy"), image);
}

// The text table's lines are found by position; the sources carry the position as their
// three-digit prefix, and a line out of place would give every later step the wrong text.
bool textTableInOrder(Output& out, const QStringList& texts)
{
    for (int i = 0; i < texts.size(); ++i)
        if (!texts[i].startsWith(QStringLiteral("%1").arg(i + 1, 3, 10, QChar(u'0')))) {
            out.fail(QStringLiteral("session/texts.txt line %1 does not begin with its number").arg(i + 1));
            return false;
        }
    if (texts.size() < session::textLinesUsed()) {
        out.fail(QStringLiteral("session/texts.txt has fewer lines than the steps name"));
        return false;
    }
    return true;
}

// Question line: the id, the number of step lines, then the text from column 7.
QString questionLine(const QString& id, std::size_t steps, const QString& text)
{
    return id + QStringLiteral("%1").arg(steps, 2, 10, QChar(u'0')) + text;
}

void writeSession(Output& out, const QString& data, const Sources& src)
{
    std::vector<session::Question> questions;
    try {
        questions = session::questions();
    } catch (const std::exception& e) {
        out.fail(QStringLiteral("a sample step does not fit its columns: %1").arg(QString::fromStdString(e.what())));
        return;
    }
    if (src.questionTexts.size() != static_cast<qsizetype>(questions.size())) {
        out.fail(QStringLiteral("session/questions.txt must hold one text for each of the %1 questions")
                     .arg(questions.size()));
        return;
    }
    QStringList steps;
    QStringList questionLines;
    for (std::size_t i = 0; i < questions.size(); ++i) {
        const session::Question& q = questions[i];
        for (const StepLine& s : q.steps)
            steps << s.text();
        questionLines << questionLine(q.id, q.steps.size(), src.questionTexts[static_cast<qsizetype>(i)]);
    }
    // A session built from a list (session file number 19, question file 69).
    out.writeGbkLines(data + QStringLiteral("288819.mxy"), steps);
    out.writeGbkLines(data + QStringLiteral("288869.mxy"), questionLines);

    // The unit banks: the first unit opens with the hand-written session's questions, then
    // every unit holds its own tasks, under ids UUQQ.
    std::optional<bank::Builder> units;
    try {
        units = bank::units(static_cast<int>(src.texts.size()) + 1);
    } catch (const std::exception& e) {
        out.fail(QStringLiteral("a unit's step does not fit its columns: %1").arg(QString::fromStdString(e.what())));
        return;
    }
    QString counts;
    QStringList ids;
    for (std::size_t u = 0; u < units->units().size(); ++u) {
        QStringList unitSteps;
        QStringList bankLines;
        const auto add = [&](const QString& text, const std::vector<StepLine>& lines) {
            const QString id = QStringLiteral("%1%2").arg(u, 2, 10, QChar(u'0')).arg(bankLines.size() + 1, 2, 10, QChar(u'0'));
            ids << id;
            for (const StepLine& s : lines)
                unitSteps << s.text();
            bankLines << questionLine(id, lines.size(), text);
        };
        if (u == 0)
            for (std::size_t i = 0; i < questions.size(); ++i)
                add(src.questionTexts[static_cast<qsizetype>(i)], questions[i].steps);
        for (const bank::Question& q : units->units()[u])
            add(q.text, q.steps);
        out.writeGbkLines(data + QStringLiteral("2888%1.mxy").arg(20 + u), unitSteps);
        out.writeGbkLines(data + QStringLiteral("2888%1.mxy").arg(70 + u), bankLines);
        counts += QStringLiteral("%1").arg(bankLines.size(), 2, 10, QChar(u'0'));
    }
    // Papers and units: four fixed papers of 40 different questions (each starting further on
    // in the bank), the sample units and their question counts.
    QStringList table = {QStringLiteral("%1%2").arg(SamplePapers, 2, 10, QChar(u'0')).arg(units->units().size(), 2, 10, QChar(u'0')),
                         counts};
    for (int p = 0; p < SamplePapers; ++p) {
        QString paper;
        for (int k = 0; k < 40; ++k)
            paper += ids[(p * 5 + k) % ids.size()];
        table << paper;
    }
    out.writeGbkLines(data + QStringLiteral("288891.mxy"), table);

    QStringList texts = src.texts;
    for (const QString& t : units->texts())
        texts << QStringLiteral("%1").arg(texts.size() + 1, 3, 10, QChar(u'0')) + t;
    writePictures(out, data, units->pictures());
    if (textTableInOrder(out, src.texts))
        out.writeGbkLines(data + QStringLiteral("288890.mxy"), texts);
    writePictures(out, data, session::pictures());
}

// The cover page: its faces and link pointer, the bank version, the help pages, and an
// announcement (the candidate's record folder keeps a downloaded one).
void writeCover(Output& out, const QString& data, const Sources& src, const QDir& sourceDir)
{
    writePictures(out, data, cover::faces(src.moduleConfig.value(9).trimmed()));
    writePictures(out, data, exam::faces());
    out.writeBytes(data + QStringLiteral("9l0015.mxy"), handCursor());
    // An update run replaces the bank version: a rebuild must not take it back.
    if (!out.exists(data + QStringLiteral("288895.mxy")))
        out.writeGbkLines(data + QStringLiteral("288895.mxy"), {src.bankVersion});
    for (int page = 0; page < 5; ++page) {
        QFile f(sourceDir.filePath(QStringLiteral("help/l3818%1.html").arg(page)));
        if (!f.open(QIODevice::ReadOnly)) {
            out.fail(QStringLiteral("cannot read %1").arg(f.fileName()));
            continue;
        }
        out.writeBytes(data + QStringLiteral("l3818%1.mxy").arg(page), f.readAll());
    }
    const QString announcement = QStringLiteral("ksdata/170100.mxy");
    if (!out.exists(announcement))
        out.writeGbkLines(announcement, src.announcement);
}

int run(const QString& sourceDir, const QString& installDir)
{
    Output out(installDir);
    const auto src = readSources(out, QDir(sourceDir));
    if (!src)
        return 1;

    // The data folder is configuration entry 3.
    QString dataName = src->config.size() >= 3 ? src->config[2].trimmed() : QString();
    if (dataName.isEmpty())
        dataName = QStringLiteral("data");
    const QString data = dataName + u'/';
    out.makeDir(dataName);
    out.makeDir(QStringLiteral("examdata"));
    out.makeDir(QStringLiteral("ksdata"));

    out.writeSixDigitLines(QStringLiteral("ver.txt"), src->config);
    out.writeSixDigitLines(data + QStringLiteral("288901.mxy"), src->moduleConfig);
    const QString firstRunFlag = data + QStringLiteral("288892.mxy");
    if (!out.exists(firstRunFlag))
        out.writeGbkLines(firstRunFlag, {QStringLiteral("0")});

    const QString brand = src->moduleConfig.value(0).trimmed();
    const QString title = src->moduleConfig.value(9).trimmed();
    writePictures(out, data, faces::all(brand, title));

    writePictures(out, data,
                  {{QStringLiteral("9lX007"), bars::menuBar()},
                   {QStringLiteral("9lX008"), bars::drawingBar()},
                   {QStringLiteral("9lX009"), bars::toolBarsPanel()},
                   {QStringLiteral("9lX010"), panels::locationList()}});
    writePictures(out, QStringLiteral("examdata/"), bars::elementPictures());
    writePictures(out, QStringLiteral("examdata/"), menus::pictures());
    out.writeGbkLines(QStringLiteral("sMenu.sys"), menus::contextMenuFile());

    out.writeGbkLines(data + QStringLiteral("288905.mxy"), src->fontColours);
    try {
        out.writeGbkLines(data + QStringLiteral("288906.mxy"), panels::tabLayoutLines());
    } catch (const std::exception& e) {
        out.fail(QStringLiteral("dialog-tab layout: %1").arg(QString::fromStdString(e.what())));
    }
    for (const panels::Sample sample : {panels::Sample::Mark, panels::Sample::Title})
        for (int tab = 1; tab <= panels::DialogTabs; ++tab)
            for (const bool ticked : {false, true})
                out.writePicture(data + panels::dialogPageCode(tab, ticked, sample) + QStringLiteral(".mxy"),
                                 panels::dialogPage(tab, ticked, sample));

    out.writeBytes(QStringLiteral("ico01.CUR"), iBeamCursor());
    out.writeBytes(QStringLiteral("ico07.CUR"), handCursor());
    writeSession(out, data, *src);
    writeCover(out, data, *src, QDir(sourceDir));
    // The module name is configuration entry 1, the endpoint's folder of the announcement entry 12.
    update::write(out, dataName, src->config.value(0).trimmed(), src->moduleConfig.value(12).trimmed());
    return out.failures() == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // The generator only paints into images; it never needs a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: talvesk-samplegen <sample source folder> <installation folder>\n");
        return 2;
    }
    if (!QFontDatabase::families().contains(QStringLiteral("WenQuanYi Micro Hei")))
        std::fprintf(stderr, "talvesk-samplegen: warning: the font \"WenQuanYi Micro Hei\" is missing "
                             "(fonts-wqy-microhei); the pictures' Chinese texts will fall back to another font\n");
    return run(args[1], args[2]);
}
