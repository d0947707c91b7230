#include "demo/demo_rules.h"

#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simmenus/menu_layouts.h"
#include "simwindow/jump_code.h"
#include "simwindow/step_record.h"

namespace demo {

QString sessionFileCode(int sessionKind, int setIndex, int offset)
{
    const QString nn = QStringLiteral("00") + QString::number(sessionKind + setIndex + offset);
    return QStringLiteral("2888") + nn.right(2);
}

bool stepInQuestion(const SessionState& s, int q, int stepNo)
{
    if (stepNo < 1)
        return false;
    const int count = simwindow::questionStepCount(s, q);
    return count <= 0 || stepNo <= count;
}

MenuTarget menuTarget(const simwindow::StepRecord& rec)
{
    MenuTarget t;
    if (rec.OperationCode != u"7000")
        return t;
    QString code = codes::field(rec.line, 125, 10);
    if (!code.startsWith(u'H'))
        code = codes::field(rec.line, 86, 10);
    t.zhuNo = codes::num16(codes::field(code, 2, 2));
    t.item1J = codes::num16(codes::field(code, 4, 2));
    t.item2J = codes::num16(codes::field(code, 6, 2));
    t.jumpCode = codes::field(code, 10, 1);
    if (t.zhuNo == 86)
        t.zhuNo = 57;
    return t;
}

SpotSize paneSpotSize(int n, int shown)
{
    if (n == 32 && shown == 32)
        return {2655, 300};
    if ((n == 33 || n == 34) && shown == n)
        return {30, 30};
    if (n == 36 || n == 37)
        return {870, 270};
    return {};
}

Press pressOf(int n)
{
    const bool opens = simmenus::opensDropDown(n) || n == 34;
    if (n >= 1 && n <= 9)
        return {PressedBar::Menu, opens};
    if (n >= 11 && n <= 31)
        return {PressedBar::Hui, opens};
    if (n >= 41 && n <= 85)
        return {PressedBar::Tool, opens};
    if (n == 32 || n == 34 || n == 36 || n == 37)
        return {PressedBar::Else, opens};
    return {};
}

} // namespace demo
