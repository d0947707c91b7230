#include "step_line.h"

#include <stdexcept>

namespace samplegen {

namespace {

// Columns of the fields that the sample uses.
constexpr int SpareCol = 1;
constexpr int ZoneFirstCol = 4;
constexpr int ZoneSecondCol = 6;
constexpr int CodeCol = 8;
constexpr int BackCol = 12;
constexpr int Overlay1Col = 18;
constexpr int Overlay2Col = 34;
constexpr int Overlay3Col = 50;
constexpr int Overlay4Col = 135;
constexpr int Target1Col = 66;
constexpr int PointerKindCol = 101;
constexpr int PointerNumberCol = 104;
constexpr int HintLeftCol = 112;
constexpr int HintTopCol = 117;
constexpr int HintLineCol = 122;
constexpr int PaneCol = 86;
constexpr int PanePosCol = 96;
constexpr int EditorCol = 86;
constexpr int EditorTextCol = 106;
constexpr int AnswerCol = 109;
constexpr int EditorFormatCol = 125;
constexpr int TabSpecCol = 130;
constexpr int Target2Col = 177;
constexpr int Image5Col = 151;
constexpr int PointCol = 167;

} // namespace

FixedColumns::FixedColumns(int width, QChar fill) : line_(width, fill) {}

void FixedColumns::put(int col, int width, QStringView text)
{
    if (col < 1 || width < 1 || col + width - 1 > line_.size() || text.size() != width)
        throw std::invalid_argument(QStringLiteral("field \"%1\" does not fit %2 columns at column %3")
                                        .arg(text)
                                        .arg(width)
                                        .arg(col)
                                        .toStdString());
    line_.replace(col - 1, width, text.toString());
}

void FixedColumns::putNumber(int col, int width, int value)
{
    if (value < 0)
        throw std::invalid_argument("negative value in a step field");
    put(col, width, QStringLiteral("%1").arg(value, width, 10, QChar(u'0')));
}

StepLine::StepLine() : line_(Width, u'0') {}

StepLine& StepLine::stepNumber(int n)
{
    line_.putNumber(SpareCol, 3, n);
    return *this;
}

StepLine& StepLine::zones(QStringView first, QStringView second)
{
    line_.put(ZoneFirstCol, 2, first);
    line_.put(ZoneSecondCol, 2, second);
    return *this;
}

StepLine& StepLine::code(QStringView operation)
{
    line_.put(CodeCol, 4, operation);
    return *this;
}

StepLine& StepLine::background(QStringView picture)
{
    line_.put(BackCol, 6, picture);
    return *this;
}

StepLine& StepLine::overlay(int slot, int left, int top, QStringView picture, QChar jump)
{
    static constexpr int columns[] = {Overlay1Col, Overlay2Col, Overlay3Col, Overlay4Col};
    if (slot < 1 || slot > 4)
        throw std::invalid_argument("overlay slots are 1 to 4");
    const int col = columns[slot - 1];
    line_.putNumber(col, 5, left);
    line_.put(col + 5, 1, QStringView(&jump, 1));
    line_.putNumber(col + 6, 4, top);
    line_.put(col + 10, 6, picture);
    return *this;
}

// A target rectangle: left, the jump flag, top, width and height.
void StepLine::putTarget(int col, const TwipsRect& r, QChar jump)
{
    line_.putNumber(col, 5, r.left);
    line_.put(col + 5, 1, QStringView(&jump, 1));
    line_.putNumber(col + 6, 4, r.top);
    line_.putNumber(col + 10, 5, r.width);
    line_.putNumber(col + 15, 5, r.height);
}

StepLine& StepLine::target1(const TwipsRect& r, QChar jump)
{
    putTarget(Target1Col, r, jump);
    return *this;
}

StepLine& StepLine::pointer(QChar kind, int number)
{
    line_.put(PointerKindCol, 1, QStringView(&kind, 1));
    line_.putNumber(PointerNumberCol, 2, number);
    return *this;
}

StepLine& StepLine::hint(int textLine, int left, int top)
{
    line_.putNumber(HintLeftCol, 5, left);
    line_.putNumber(HintTopCol, 5, top);
    line_.putNumber(HintLineCol, 3, textLine);
    return *this;
}

StepLine& StepLine::menuTarget(int col, QStringView code)
{
    if (col != 125 && col != 86 && col != 96)
        throw std::invalid_argument("a menu target code stands at column 125, 86 or 96");
    line_.put(col, 10, code);
    return *this;
}

StepLine& StepLine::pane(QStringView target, int left, int top)
{
    if (!target.startsWith(u'H') || target.mid(3, 4) == u"0000")
        throw std::invalid_argument("a pane step names the item to choose in the pane");
    line_.put(PaneCol, 10, target);
    line_.putNumber(PanePosCol, 5, left);
    line_.put(PanePosCol + 5, 1, u" ");
    line_.putNumber(PanePosCol + 6, 4, top);
    return *this;
}

StepLine& StepLine::route(int contextCode)
{
    line_.put(PaneCol, 1, u"R");
    line_.putNumber(PaneCol + 1, 4, contextCode);
    return *this;
}

StepLine& StepLine::target2(const TwipsRect& r, QChar jump)
{
    putTarget(Target2Col, r, jump);
    return *this;
}

StepLine& StepLine::editor(const TwipsRect& r)
{
    line_.putNumber(EditorCol, 5, r.left);
    line_.putNumber(EditorCol + 6, 4, r.top);
    line_.putNumber(EditorCol + 10, 5, r.width);
    line_.putNumber(EditorCol + 15, 5, r.height);
    return *this;
}

StepLine& StepLine::editorLook(int sizeTenths, int font, int ink, int back)
{
    // Left-aligned and plain; the characters that the tab and combo steps read stay 0.
    line_.put(EditorFormatCol, 1, u"0");
    line_.putNumber(EditorFormatCol + 1, 3, sizeTenths);
    line_.put(EditorFormatCol + 4, 3, u"000");
    line_.putNumber(EditorFormatCol + 7, 1, font);
    line_.putNumber(EditorFormatCol + 8, 1, ink);
    line_.putNumber(EditorFormatCol + 9, 1, back);
    return *this;
}

StepLine& StepLine::texts(int editorText, int answer)
{
    line_.putNumber(EditorTextCol, 3, editorText);
    line_.putNumber(AnswerCol, 3, answer);
    return *this;
}

StepLine& StepLine::dialogTabs(QChar layout, int shown, int expected, int overlaySlot)
{
    line_.put(TabSpecCol, 2, QStringLiteral("X") + layout);
    line_.putNumber(TabSpecCol + 2, 1, shown);
    line_.putNumber(TabSpecCol + 3, 1, expected);
    line_.putNumber(TabSpecCol + 4, 1, overlaySlot);
    return *this;
}

StepLine& StepLine::dragPicture(int left, int top, QStringView picture)
{
    // The start row is read from five columns when the picture returns, and from the last
    // four of them when the step begins: the same number either way.
    line_.putNumber(Image5Col, 5, left);
    line_.putNumber(Image5Col + 5, 5, top);
    line_.put(Image5Col + 10, 6, picture);
    return *this;
}

StepLine& StepLine::dragPoint(int x, int y)
{
    line_.putNumber(PointCol, 5, x);
    line_.putNumber(PointCol + 5, 5, y);
    return *this;
}

StepLine& StepLine::altKeys(const QList<int>& codes)
{
    if (codes.size() > 3)
        throw std::invalid_argument("a key step holds at most three further keys");
    for (int i = 0; i < codes.size(); ++i) {
        line_.put(86 + 5 * i, 1, u"P");
        line_.putNumber(87 + 5 * i, 4, codes[i]);
    }
    return *this;
}

} // namespace samplegen
