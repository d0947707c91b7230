// What the sample's steps ask fits what the windows do with them: a picture drag is shown
// moving along the one axis its code tests and stays in sight, and a typed answer fits the
// editor it is typed in.

#include "sample_install.h"

#include "demo/player_rules.h"
#include "platform/files.h"
#include "simwindow/step_record.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImageReader>

namespace {

using simwindow::StepRecord;

QString dataFile(const QString& code) { return tsample::sampleDir() + QStringLiteral("/data/") + code + QStringLiteral(".mxy"); }

// Every step record of the list session and of every unit bank, with its file.
std::vector<std::pair<QString, StepRecord>> allSteps()
{
    std::vector<std::pair<QString, StepRecord>> out;
    QStringList files{QStringLiteral("288819")};
    for (int unit = 0; QFile::exists(dataFile(QStringLiteral("2888%1").arg(70 + unit))); ++unit)
        files << QStringLiteral("2888%1").arg(20 + unit);
    for (const QString& f : files)
        for (const QString& line : platform::readLines(dataFile(f)).value_or(QStringList()))
            if (!line.trimmed().isEmpty())
                out.emplace_back(f + QStringLiteral(": ") + line, StepRecord::fromLine(line));
    return out;
}

TEST(SampleSteps, PictureDragsMoveAlongTheirAxisOnly)
{
    int drags = 0;
    for (const auto& [where, r] : allSteps()) {
        const int code = r.OperationCode.toInt();
        if (code < 8001 || code > 8004)
            continue;
        ++drags;
        const bool across = code <= 8002;
        // The axis the code does not test carries 0.
        EXPECT_EQ(across ? r.PointY : r.PointX, 0) << where.toStdString();
        EXPECT_NE(across ? r.PointX : r.PointY, 0) << where.toStdString();
        // The demonstration carries the picture, held at its centre, along the tested axis only,
        // to where the candidate's drag leaves it.
        const QSize size = QImageReader(dataFile(r.Image5Picture)).size() * 15;
        ASSERT_TRUE(size.isValid()) << where.toStdString();
        const QPoint corner(r.Image5Left, r.Image5Top);
        const QPoint centre = corner + QPoint(size.width() / 2, size.height() / 2);
        const QPoint drop = demo::dropPoint(centre, corner, code, {r.PointX, r.PointY});
        const QPoint dropped = across ? QPoint(r.PointX, r.Image5Top) : QPoint(r.Image5Left, r.PointY);
        EXPECT_EQ(drop - centre, dropped - corner) << where.toStdString();
        EXPECT_NE(drop, centre) << where.toStdString();
        // The picture stays in sight: clear of the question panel where it starts and where
        // the drag leaves it.
        const QRect panel(12000 - 4980, 9000 - 3630, 4980, 3630);
        EXPECT_FALSE(QRect(QPoint(r.Image5Left, r.Image5Top), size).intersects(panel)) << where.toStdString();
        EXPECT_FALSE(QRect(dropped, size).intersects(panel)) << "dropped under the panel: " << where.toStdString();
        // And the drag goes the way the code names.
        if (code == 8001) {
            EXPECT_LT(r.PointX, r.Image5Left) << where.toStdString();
        } else if (code == 8002) {
            EXPECT_GT(r.PointX, r.Image5Left) << where.toStdString();
        } else if (code == 8003) {
            EXPECT_LT(r.PointY, r.Image5Top) << where.toStdString();
        } else {
            EXPECT_GT(r.PointY, r.Image5Top) << where.toStdString();
        }
    }
    EXPECT_GE(drags, 2);
}

// Every accepted answer of a typing step fits its editor whole at the editor's 9 points of
// 宋体 (180 twips a CJK character, half that a Latin one) with room for the caret, so that a
// candidate who retypes sees all of it.
TEST(SampleSteps, TypedAnswersFitTheirEditors)
{
    const auto texts = platform::readLines(dataFile(QStringLiteral("288890")));
    ASSERT_TRUE(texts);
    int typing = 0;
    for (const auto& [where, r] : allSteps()) {
        const QString& code = r.OperationCode;
        if (!code.startsWith(u"002") || code == u"0023" || !r.hasEditor() || r.AnswerLine < 1)
            continue;
        ++typing;
        ASSERT_LE(r.AnswerLine, texts->size()) << where.toStdString();
        for (const QString& answer : texts->at(r.AnswerLine - 1).mid(3).split(u'|')) {
            int width = 120;
            for (const QChar c : answer)
                width += c.unicode() < 0x80 ? 90 : 180;
            EXPECT_GE(r.EditorWidth, width) << "\"" << answer.toStdString() << "\" in " << where.toStdString();
        }
    }
    EXPECT_GT(typing, 10);
}

} // namespace
