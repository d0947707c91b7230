#include "simwindow/step_record.h"

#include "session_state/codes.h"

namespace simwindow {

using codes::field;
using codes::numField;

namespace {

// An overlay picture's fields from column `col` on: left (5), jump (1), top (4), picture (6).
void readImage(const QString& line, int col, int& left, QString& jump, int& top, QString& picture)
{
    left = numField(line, col, 5);
    jump = field(line, col + 5, 1);
    top = numField(line, col + 6, 4);
    picture = field(line, col + 10, 6);
}

// A target's fields from column `col` on: left (5), jump (1), top (4), width (5), height (5).
void readTarget(const QString& line, int col, int& left, QString& jump, int& top, int& width, int& height)
{
    left = numField(line, col, 5);
    jump = field(line, col + 5, 1);
    top = numField(line, col + 6, 4);
    width = numField(line, col + 10, 5);
    height = numField(line, col + 15, 5);
}

} // namespace

StepRecord StepRecord::fromLine(const QString& line)
{
    StepRecord r;
    r.line = line;
    r.Spare1 = field(line, 1, 3);
    r.ZoneSpec1 = field(line, 4, 2);
    r.ZoneSpec2 = field(line, 6, 2);
    r.OperationCode = field(line, 8, 4);
    r.DragShift = numField(line, 11, 1);
    r.BackPicture = field(line, 12, 6);

    readImage(line, 18, r.Image1Left, r.Image1Jump, r.Image1Top, r.Image1Picture);
    readImage(line, 34, r.Image2Left, r.Image2Jump, r.Image2Top, r.Image2Picture);
    readImage(line, 50, r.Image3Left, r.Image3Jump, r.Image3Top, r.Image3Picture);
    readTarget(line, 66, r.Target1Left, r.Target1Jump, r.Target1Top, r.Target1Width, r.Target1Height);

    r.EditorLeft = numField(line, 86, 5);
    r.EditorTop = numField(line, 92, 4);
    r.EditorWidth = numField(line, 96, 5);
    r.EditorHeight = numField(line, 101, 5);
    r.RouteCode = field(line, 86, 5);
    r.PaneCode = field(line, 86, 3);
    r.PanePos = field(line, 96, 10);
    r.PanePosLeft = numField(line, 96, 5);
    r.PanePosTop = numField(line, 102, 4);
    r.AltKey = {field(line, 86, 5), field(line, 91, 5), field(line, 96, 5)};
    r.CursorSpec = field(line, 101, 5);

    r.EditorTextField = field(line, 106, 3);
    r.AnswerField = field(line, 109, 3);
    r.HintField = field(line, 122, 3);
    r.EditorTextLine = numField(line, 106, 3);
    r.AnswerLine = numField(line, 109, 3);
    r.HintLeft = numField(line, 112, 5);
    r.HintTop = numField(line, 117, 5);
    r.HintLine = numField(line, 122, 3);

    r.EditorFormat = field(line, 125, 10);
    r.ComboSpec = field(line, 125, 5);
    r.TabSpec = field(line, 130, 5);
    r.TargetCode = {field(line, 125, 10), field(line, 86, 10), field(line, 96, 10)};

    readImage(line, 135, r.Image4Left, r.Image4Jump, r.Image4Top, r.Image4Picture);
    r.Image5Left = numField(line, 151, 5);
    r.Image5StartY = numField(line, 156, 5);
    r.Image5Top = numField(line, 157, 4);
    r.Image5Picture = field(line, 161, 6);
    r.PointX = numField(line, 167, 5);
    r.PointY = numField(line, 172, 5);

    readTarget(line, 177, r.Target2Left, r.Target2Jump, r.Target2Top, r.Target2Width, r.Target2Height);

    r.Image6Left = numField(line, 197, 5);
    r.Spare202 = field(line, 202, 1);
    r.Image6Top = numField(line, 203, 4);
    r.Image6Picture = field(line, 207, 6);
    return r;
}

bool StepRecord::hasEditor() const { return codes::numVal(field(line, 86, 20)) != 0; }

bool StepRecord::hasTarget1() const { return field(line, 66, 20) != QString(20, u'0'); }

bool StepRecord::hasTarget2() const { return field(line, 187, 10) != QString(10, u'0'); }

bool StepRecord::hintUnchanged() const { return field(line, 112, 10) == QString(10, u'0'); }

bool StepRecord::isCombo() const { return field(line, 125, 1) == u"Q"; }

bool StepRecord::isDialogTab() const { return field(line, 130, 1) == u"X"; }

int StepRecord::expectedCode() const { return codes::num16(OperationCode); }

OpFamily StepRecord::family() const { return opFamily(OperationCode); }

Overlay StepRecord::overlay(int k) const
{
    switch (k) {
    case 1: return {Image1Left, Image1Top, Image1Picture, Image1Jump};
    case 2: return {Image2Left, Image2Top, Image2Picture, Image2Jump};
    case 3: return {Image3Left, Image3Top, Image3Picture, Image3Jump};
    case 4: return {Image4Left, Image4Top, Image4Picture, Image4Jump};
    case 5: return {Image5Left, Image5Top, Image5Picture, {}};
    case 6: return {Image6Left, Image6Top, Image6Picture, {}};
    default: return {};
    }
}

OpFamily opFamily(QStringView operationCode)
{
    if (operationCode.startsWith(u'L'))
        return OpFamily::List;
    if (operationCode.startsWith(u'K'))
        return OpFamily::LocationList;
    const int c = codes::num16(operationCode);
    if (c == 1)
        return OpFamily::Click;
    if (c == 2)
        return OpFamily::DoubleClick;
    if (c == 3)
        return OpFamily::RightClick;
    if (c >= 20 && c <= 29)
        return OpFamily::Typing;
    if (c == 30)
        return OpFamily::Hover;
    if (c >= 40 && c <= 59)
        return OpFamily::RangeDrag;
    if (c >= 3000 && c < 6000)
        return OpFamily::ContextMenu;
    if (c >= 6000 && c < 7000)
        return OpFamily::Key;
    if (c == 7000)
        return OpFamily::Menu;
    if (c >= 8001 && c <= 8009 && c != 8005)
        return OpFamily::PictureDrag;
    if (c == 8888)
        return OpFamily::Auto;
    if (c >= 9000 && c < 9999)
        return OpFamily::ClickWithButton;
    if (c == 9999)
        return OpFamily::End;
    return OpFamily::Other;
}

} // namespace simwindow
