// The demonstration's note holds the whole text of every sample question, on the standard
// screen and at a quarter larger: its box is as tall as the text wrapped at the box's width
// takes in the note's own face, and stands wholly inside the window.

#include "sample_player.h"

#include "demo/frm_yanshi.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace {

using tsample::SamplePlayer;

// Lines of the text wrapped at a width of pixels, laid out as the toolkit lays out a word-wrapped
// text, each one line height of the face.
int wrappedHeight(const QString& text, const QFont& font, int width)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines * QFontMetrics(font).height();
}

class SampleDemoNote : public SamplePlayer {};

TEST_P(SampleDemoNote, HoldsEveryQuestionsWholeText)
{
    const double scale = GetParam() / 100.0;
    int checked = 0;
    for (int unit = 0; unit <= 2; ++unit) {
        const auto lines = platform::readLines(S().DataDir + QStringLiteral("28887%1.mxy").arg(unit));
        ASSERT_TRUE(lines);
        loadUnit(unit);
        for (int q = 1; q <= lines->size(); ++q) {
            SCOPED_TRACE("unit " + std::to_string(unit + 1) + " question " + std::to_string(q));
            S().ScaleX = scale;
            S().ScaleY = scale;
            S().CurrentQuestion = q;
            S().QuestionLine = lines->at(q - 1);
            S().DemoRunning = -1;
            yanShiState() = YanShiState();
            FrmYanShi& w = vb::Forms::get<FrmYanShi>();
            const vb::Label& note = *w.ImgLogo;
            ASSERT_FALSE(note.Caption().isEmpty());
            const QRect box(vb::pxX(note.Left()), vb::pxY(note.Top()), vb::pxX(note.Width()), vb::pxY(note.Height()));
            EXPECT_GE(box.height(), wrappedHeight(note.Caption(), note.widget()->font(), box.width()))
                << note.Caption().toStdString();
            EXPECT_GE(box.top(), 0);
            EXPECT_LE(box.bottom(), vb::pxY(w.ScaleHeight()));
            EXPECT_LE(box.right(), vb::pxX(w.ScaleWidth()));
            ++checked;
            vb::Forms::unloadAll();
            platform::Clock::advance(1);
        }
    }
    EXPECT_GT(checked, 40);
}

INSTANTIATE_TEST_SUITE_P(Scales, SampleDemoNote, ::testing::Values(100, 125));

} // namespace
