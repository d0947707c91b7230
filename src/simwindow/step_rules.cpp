#include "simwindow/step_rules.h"

#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/data_path.h"
#include "simwindow/step_record.h"

#include <algorithm>

namespace simwindow {

using codes::field;

std::optional<int> routeContextMenu(const StepRecord& rec, int button)
{
    if (field(rec.line, 86, 1) != u"R" || button != RightButton)
        return std::nullopt;
    const int code = codes::numField(rec.line, 87, 4);
    if (code < 3000 || code >= 6000)
        return std::nullopt;
    return (code / 100) % 10;
}

StepAction releaseOverTarget1(int code, const QString& target1Jump, int button, int shift,
                              const std::function<bool()>& typedTextAccepted)
{
    // The first row whose code matches decides, whether or not its condition holds.
    if (code >= 9000 && code <= 9999)
        return button == code % 100 && shift == (code % 1000) / 100 ? StepAction::next() : StepAction::none();
    if (code == 3)
        return button == RightButton ? StepAction::next() : StepAction::none();
    if (code >= 3000 && code <= 6000)
        return button == RightButton ? StepAction::contextMenu((code / 100) % 10) : StepAction::none();
    if (code == 1)
        return button == LeftButton && shift == 0 ? StepAction::nextOrJump(target1Jump) : StepAction::none();
    if (code == 22 || code == 26 || code == 28)
        return typedTextAccepted && typedTextAccepted() ? StepAction::next() : StepAction::none();
    // The releases of a double click must not jump: the double click itself decides.
    if (target1Jump != u"0" && code != 2)
        return StepAction::jumpBy(target1Jump);
    return StepAction::none();
}

StepAction doubleClickOnTarget1(const StepRecord& rec)
{
    return rec.OperationCode == u"0002" ? StepAction::nextOrJump(rec.Target1Jump) : StepAction::none();
}

StepAction hoverOverTarget1(const StepRecord& rec)
{
    return rec.OperationCode == u"0030" ? StepAction::next() : StepAction::none();
}

StepAction pictureClick(const StepRecord& rec, int k)
{
    if (k < 1 || k > 4)
        return StepAction::none();
    const QString jump = rec.overlay(k).jump;
    return jump == u"0" ? StepAction::none() : StepAction::jumpBy(jump);
}

TypingHint typingHint(QStringView operationCode, const QString& caption)
{
    TypingHint h{caption, FrameRule::Untouched, false, false};
    if (!operationCode.startsWith(u"002"))
        return h;
    h.caption.replace(u'|', QStringLiteral("或  "));
    h.frame = FrameRule::Hidden;
    const QString c = h.caption;
    if (operationCode == u"0020" || operationCode == u"0021") {
        h.caption = QStringLiteral("输入 ") + c;
    } else if (operationCode == u"0022") {
        h.caption = QStringLiteral("输入 ") + c + QStringLiteral(" 并按回车键或点红色方框处");
        h.frame = FrameRule::FollowsHint;
    } else if (operationCode == u"0024") {
        h.caption = QStringLiteral("输入 ") + c + QStringLiteral(" 并按回车键");
    } else if (operationCode == u"0023") {
        h.caption = QStringLiteral("请选中 ") + c;
    } else if (operationCode == u"0026") {
        h.caption = QStringLiteral("输入 ") + c + QStringLiteral(" 并点击红色方框处");
        h.frame = FrameRule::FollowsHint;
    } else if (operationCode == u"0028") {
        h.caption = QStringLiteral("在单元格或编辑栏中输入 ") + c + QStringLiteral(" 并按回车键或点编辑区或点“√”");
        h.frame = FrameRule::FollowsHint;
        h.showEditBar = true;
    } else {
        return h; // 0025, 0027 and the unused codes: only the separator
    }
    h.clearSelection = true;
    return h;
}

QString unfinishedCaption(const SessionState& s)
{
    QString caption = QStringLiteral("未完成的题目");
    const int count = std::clamp(s.QuestionCount, 0, MaxQuestions);
    for (int i = 1; i <= count; ++i)
        if (s.QuestionState[static_cast<std::size_t>(i)] <= 3)
            caption += u' ' + QString::number(i);
    return caption;
}

QString markCompleted(QString title) { return title.replace(QStringLiteral("(未完成)"), QStringLiteral("(已完成)")); }

EditorFormatSpec editorFormat(const StepRecord& rec)
{
    const QString& line = rec.line;
    EditorFormatSpec f;
    const int tenths = codes::numField(line, 126, 3);
    f.pointSize = tenths == 0 ? 9.0 : tenths / 10.0;
    const QString a = field(line, 129, 1);
    if (a == u"R" || a == u"r")
        f.align = EditorAlign::Right;
    else if (a == u"M" || a == u"m")
        f.align = EditorAlign::Centre;
    const int style = codes::numField(line, 131, 1);
    if (style <= 7)
        f.style = style;
    f.fontDigit = codes::numField(line, 132, 1);
    f.foreDigit = codes::numField(line, 133, 1);
    f.backDigit = codes::numField(line, 134, 1);
    return f;
}

namespace {

PointerSpec pointerOf(const StepRecord& rec, const QString& appPath, bool anyLetterIsFile)
{
    const QString kind = field(rec.CursorSpec, 1, 1);
    const QString number = field(rec.CursorSpec, 4, 2);
    if (kind == u"S") {
        const int shape = codes::num16(number);
        // Numbers the old toolkit had no shape for keep the default pointer.
        if (shape <= 15)
            return {PointerSpec::Kind::Standard, shape, {}};
    } else if (kind == u"M" || anyLetterIsFile) {
        if (const auto file = safeFilePath(appPath + u'/', QStringLiteral("ico") + number + QStringLiteral(".CUR")))
            return {PointerSpec::Kind::File, 0, *file};
    }
    return {};
}

} // namespace

PointerSpec pointerSpec(const StepRecord& rec, const QString& appPath) { return pointerOf(rec, appPath, false); }

PointerSpec armedDragPointer(const StepRecord& rec, const QString& appPath) { return pointerOf(rec, appPath, true); }

} // namespace simwindow
