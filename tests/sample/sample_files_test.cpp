// The sample installation is whole: every picture, cursor and text line that a step record, a
// question or a window names is there, and the banks agree with their step files.

#include "sample_install.h"

#include "cover/cover_faces.h"
#include "platform/files.h"
#include "simmenus/hotspots.h"
#include "simmenus/menu_layouts.h"
#include "simwindow/layout_tables.h"
#include "simwindow/step_rules.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <map>
#include <set>

namespace {

using simmenus::chrome::cascade;
using simmenus::chrome::dropDown;
using simmenus::chrome::pane;

QString dataFile(const QString& code) { return tsample::sampleDir() + QStringLiteral("/data/") + code + QStringLiteral(".mxy"); }
QString chromeFile(const QString& code)
{
    return tsample::sampleDir() + QStringLiteral("/examdata/") + code + QStringLiteral(".mxy");
}
QString field(const QString& rec, int col, int width) { return rec.mid(col - 1, width); }
int number(const QString& rec, int col, int width) { return field(rec, col, width).toInt(); }

// The question panel at the simulated window's bottom right (4980 x 3630 twips of the 12000 x
// 9000 window).
const QRect QuestionPanel(12000 - 4980, 9000 - 3630, 4980, 3630);

// The step files of the installation with their question files: the list session and the
// unit banks.
std::vector<std::pair<QString, QString>> stepFiles()
{
    std::vector<std::pair<QString, QString>> out{{QStringLiteral("288819"), QStringLiteral("288869")}};
    for (int unit = 0; QFile::exists(dataFile(QStringLiteral("2888%1").arg(70 + unit))); ++unit)
        out.emplace_back(QStringLiteral("2888%1").arg(20 + unit), QStringLiteral("2888%1").arg(70 + unit));
    return out;
}

// Everything one record names, as paths that must exist, and its text lines.
void namesOf(const QString& rec, std::set<QString>& files, std::set<int>& textLines)
{
    const auto picture = [&](const QString& code) {
        if (code != u"888888" && code != u"000000" && !code.isEmpty())
            files.insert(dataFile(code));
    };
    picture(field(rec, 12, 6));
    for (int col : {28, 44, 60, 145, 161})
        picture(field(rec, col, 6));
    if (number(rec, 207, 6) != 0 && field(rec, 207, 6) != u"888888")
        files.insert(dataFile(field(rec, 207, 6)));
    if (field(rec, 101, 1) == u"M")
        files.insert(tsample::sampleDir() + QStringLiteral("/ico") + field(rec, 104, 2) + QStringLiteral(".CUR"));
    const QString code = field(rec, 8, 4);
    if (code.startsWith(u'L'))
        textLines.insert(code.mid(1).toInt());
    else
        for (int col : {106, 109})
            textLines.insert(number(rec, col, 3));
    textLines.insert(number(rec, 122, 3));
    if (field(rec, 130, 1) == u"X") {
        const auto layouts = platform::readLines(dataFile(QStringLiteral("288906")));
        const int layout = field(rec, 131, 1).at(0).unicode() - u'A';
        ASSERT_TRUE(layouts && layout >= 0 && layout < layouts->size()) << rec.toStdString();
        const simwindow::TabLayout tabs{layouts->at(layout)};
        // Every page is the same dialog with another tab in front: one size for all.
        const QSize first = QImageReader(dataFile(tabs.pagePicture(1))).size();
        for (int i = 1; i <= tabs.tabCount(); ++i) {
            files.insert(dataFile(tabs.pagePicture(i)));
            EXPECT_EQ(QImageReader(dataFile(tabs.pagePicture(i))).size(), first) << tabs.pagePicture(i).toStdString();
        }
    }
    // Menu and toolbar targets: the drop-down, cascade and pane pictures they open.
    for (int col : {125, 86, 96}) {
        const QString t = field(rec, col, 10);
        if (!t.startsWith(u'H'))
            continue;
        const int element = number(t, 2, 2);
        const int item = number(t, 4, 2);
        const int sub = number(t, 6, 2);
        if (element >= 32 && element <= 40 && col == 86)
            files.insert(chromeFile(element == 33 || element == 34 ? dropDown(element) : pane(element)));
        if (item > 0 && simmenus::opensDropDown(element))
            files.insert(chromeFile(dropDown(element)));
        if (sub > 0)
            files.insert(chromeFile(cascade(element, item)));
    }
}

TEST(SampleFiles, EveryRecordNamesWhatIsThere)
{
    const auto texts = platform::readLines(dataFile(QStringLiteral("288890")));
    ASSERT_TRUE(texts);
    int questions = 0;
    for (const auto& [steps, bank] : stepFiles()) {
        SCOPED_TRACE(steps.toStdString());
        const auto stepLines = platform::readLines(dataFile(steps));
        const auto questionLines = platform::readLines(dataFile(bank));
        ASSERT_TRUE(stepLines && questionLines);
        // The counts of the question lines cover the step file exactly, each question ending
        // with its end record.
        int line = 0;
        for (const QString& q : *questionLines) {
            line += number(q, 5, 2);
            ASSERT_LE(line, stepLines->size()) << q.toStdString();
            EXPECT_EQ(field(stepLines->at(line - 1), 8, 4), QStringLiteral("9999")) << q.toStdString();
            // An illustration named in the question text.
            const auto shown = QRegularExpression(QStringLiteral("picture(\\d{6})")).match(q);
            if (shown.hasMatch()) {
                EXPECT_TRUE(QFile::exists(dataFile(shown.captured(1)))) << q.toStdString();
            }
        }
        EXPECT_EQ(line, stepLines->size());
        questions += steps == u"288819" ? 0 : static_cast<int>(questionLines->size());

        std::set<QString> files;
        std::set<int> textLines;
        for (const QString& rec : *stepLines) {
            EXPECT_EQ(rec.size(), 212) << rec.toStdString();
            namesOf(rec, files, textLines);
        }
        for (const QString& f : files)
            EXPECT_TRUE(QFile::exists(f)) << f.toStdString();
        for (int t : textLines)
            EXPECT_LE(t, texts->size()) << "text line " << t;
    }
    // Enough questions for papers of forty.
    EXPECT_GE(questions, 50);
}

// No click target, editor or list of a step may lie under the question panel.
TEST(SampleFiles, EveryTargetLiesClearOfTheQuestionPanel)
{
    const auto rect = [](const QString& rec, int col, int topCol) {
        return QRect(number(rec, col, 5), number(rec, topCol, 4), number(rec, topCol + 4, 5), number(rec, topCol + 9, 5));
    };
    for (const auto& [steps, bank] : stepFiles()) {
        const auto lines = platform::readLines(dataFile(steps));
        ASSERT_TRUE(lines);
        for (const QString& rec : *lines) {
            std::vector<QRect> spots{rect(rec, 66, 72), rect(rec, 177, 183)};
            // Columns 86-105 hold an editor or a list when they begin with a digit.
            if (rec.at(85).isDigit())
                spots.push_back(rect(rec, 86, 92));
            for (const QRect& r : spots)
                EXPECT_FALSE(r.intersects(QuestionPanel)) << steps.toStdString() << ": " << rec.toStdString();
        }
    }
}

// A step's hint is read whole: the hint label (bold 宋体 of 11 points, 220 twips a CJK character,
// half that a Latin one, "|" a line break; a typing step's answer worded as the window words it)
// lies inside the window and clear of the question panel.
TEST(SampleFiles, EveryHintIsReadWhole)
{
    const auto texts = platform::readLines(dataFile(QStringLiteral("288890")));
    ASSERT_TRUE(texts);
    const auto extent = [](const QString& hint) {
        int widest = 0;
        const QStringList lines = hint.split(u'|');
        for (const QString& line : lines) {
            int width = 0;
            for (const QChar c : line)
                width += c.unicode() < 0x80 ? 110 : 220;
            widest = std::max(widest, width);
        }
        return QSize(widest, 250 * static_cast<int>(lines.size()));
    };
    for (const auto& [steps, bank] : stepFiles()) {
        const auto lines = platform::readLines(dataFile(steps));
        ASSERT_TRUE(lines);
        for (const QString& rec : *lines) {
            const int line = number(rec, 122, 3);
            if (line < 1 || line > texts->size() || field(rec, 8, 4) == u"9999")
                continue;
            // A typing step's hint reads as the window words it around the answer.
            const QString code = field(rec, 8, 4);
            QString shown = texts->at(line - 1).mid(3);
            if (code.startsWith(u"002"))
                shown = simwindow::typingHint(code, shown).caption;
            const QRect hint(QPoint(number(rec, 112, 5), number(rec, 117, 5)), extent(shown));
            EXPECT_LE(hint.right(), 12000) << "past the window's edge: " << texts->at(line - 1).toStdString();
            EXPECT_FALSE(hint.intersects(QuestionPanel)) << "under the panel: " << texts->at(line - 1).toStdString();
        }
    }
}

// Every element of the bars has its hover picture, and its pressed one where it shows one.
TEST(SampleFiles, EveryBarElementHasItsPictures)
{
    for (const simmenus::HotSpot& spot : simmenus::barHotSpots()) {
        EXPECT_TRUE(QFile::exists(chromeFile(simmenus::chrome::hover(spot.no)))) << spot.no;
        if (simmenus::showsPressed(spot.no)) {
            EXPECT_TRUE(QFile::exists(chromeFile(simmenus::chrome::pressed(spot.no)))) << spot.no;
        }
    }
}

// The faces that the windows load by their literal names, and every face of the cover page.
TEST(SampleFiles, EveryFaceAWindowNamesIsThere)
{
    std::set<QString> faces;
    for (const QString& f : cover::coverFaceNames())
        faces.insert(f);
    const QRegularExpression literal(QStringLiteral("QStringLiteral\\(\"((?:l\\d{5})|(?:9lX\\d{3}))\"\\)"));
    QDirIterator it(QStringLiteral(TALVESK_SOURCE_DIR "/src"), {QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile source(it.next());
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(source.readAll());
        for (auto m = literal.globalMatch(text); m.hasNext();)
            faces.insert(m.next().captured(1));
    }
    ASSERT_GT(faces.size(), 50U);
    for (const QString& f : faces)
        EXPECT_TRUE(QFile::exists(dataFile(f))) << f.toStdString();
}

// The units chart's total bar is part of its grid face: the window sizes only the learned and
// not-learned bars, so a grid without it shows no total. Full height, 900 twips wide at 4410,
// from 1980 down to the base line at 5550; the grid stands at 2730, 1680.
TEST(SampleFiles, TheUnitsChartGridCarriesTheFullTotalBar)
{
    const QImage grid(dataFile(QStringLiteral("l20055")));
    ASSERT_FALSE(grid.isNull());
    const QColor paper = grid.pixelColor(5, grid.height() - 5);
    for (const QPoint twips : {QPoint(4410 + 450, 1980 + 30), QPoint(4410 + 450, 5550 - 30), QPoint(4410 + 60, 3700),
                               QPoint(5310 - 60, 3700)}) {
        const QPoint px((twips.x() - 2730) / 15, (twips.y() - 1680) / 15);
        EXPECT_NE(grid.pixelColor(px), paper) << px.x() << "," << px.y();
    }
}

} // namespace
