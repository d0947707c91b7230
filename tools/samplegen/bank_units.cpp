// The tasks of the sample's practice units, in the order the candidate meets them. Every task
// works on the sample sheet of marks (sheet.cpp): A1 its title, A2:E2 the headings, A3:E7 five
// students, A8:E8 the averages.

#include "bank.h"

#include "draw.h"
#include "panels.h"

namespace samplegen::bank {

namespace {

constexpr int Shift = 1;
constexpr int Ctrl = 2;
constexpr int LeftButton = 1;

// Dialogs of the simulated program other than the tabbed format dialog: their pictures and
// the places of their fields and buttons (pixels of the dialog). Each stands clear of the
// question panel at the window's bottom right (x from 468, y from 358).
struct Dialogs {
    Dialog saveAs, open, find, replace, rowHeight, columnWidth, goTo, function;
};

const QRect SaveLocation(90, 40, 260, 22);
const QRect FileArea(16, 74, 388, 112);
const QRect SaveName(90, 200, 210, 20);
const QRect SaveButton(320, 198, 80, 24);
const QRect FindWhat(100, 50, 200, 20);
const QRect ReplaceWith(100, 80, 200, 20);
const QRect FindNext(290, 140, 100, 24);
const QRect ReplaceAll(180, 140, 100, 24);
const QRect SizeField(70, 45, 120, 20);
const QRect SizeOk(30, 85, 70, 24);
const QRect GoToField(90, 90, 150, 20);
const QRect GoToOk(60, 125, 70, 24);
const QRect FunctionSearch(100, 40, 180, 20);
const QRect FunctionGo(300, 38, 80, 24);
const QRect FunctionList(16, 80, 368, 130);
const QRect FunctionOk(220, 225, 80, 24);

Dialogs dialogs()
{
    const auto make = [](const QString& key, QPoint at, const QString& title, QSize size,
                         const std::vector<std::pair<QString, QRect>>& fields,
                         const std::vector<std::pair<QString, QRect>>& buttons) {
        return Dialog{key, title, size, fields, buttons, at, {}, {}};
    };
    Dialogs d;
    d.saveAs = make(QStringLiteral("saveas"), {30, 130}, QStringLiteral("另存为"), {420, 260},
                    {{QStringLiteral("保存位置(I):"), SaveLocation}, {QString(), FileArea}, {QStringLiteral("文件名(N):"), SaveName}},
                    {{QStringLiteral("保存(S)"), SaveButton}, {QStringLiteral("取消"), QRect(320, 228, 80, 24)}});
    d.open = make(QStringLiteral("open"), {30, 130}, QStringLiteral("打开"), {420, 260},
                  {{QStringLiteral("查找范围(I):"), SaveLocation}, {QString(), FileArea}, {QStringLiteral("文件名(N):"), SaveName}},
                  {{QStringLiteral("打开(O)"), SaveButton}, {QStringLiteral("取消"), QRect(320, 228, 80, 24)}});
    // The location box opens the list of places.
    d.saveAs.lists = {0};
    d.open.lists = {0};
    d.find = make(QStringLiteral("find"), {40, 160}, QStringLiteral("查找和替换"), {400, 180},
                  {{QStringLiteral("查找内容(N):"), FindWhat}},
                  {{QStringLiteral("查找下一个(F)"), FindNext}, {QStringLiteral("关闭"), QRect(290, 110, 100, 24)}});
    d.replace = make(QStringLiteral("replace"), {40, 160}, QStringLiteral("查找和替换"), {400, 180},
                     {{QStringLiteral("查找内容(N):"), FindWhat}, {QStringLiteral("替换为(E):"), ReplaceWith}},
                     {{QStringLiteral("全部替换(A)"), ReplaceAll}, {QStringLiteral("关闭"), QRect(290, 140, 100, 24)}});
    d.rowHeight = make(QStringLiteral("rowheight"), {220, 180}, QStringLiteral("行高"), {220, 120},
                       {{QStringLiteral("行高(R):"), SizeField}},
                       {{QStringLiteral("确定"), SizeOk}, {QStringLiteral("取消"), QRect(120, 85, 70, 24)}});
    d.columnWidth = make(QStringLiteral("colwidth"), {220, 180}, QStringLiteral("列宽"), {220, 120},
                         {{QStringLiteral("列宽(C):"), SizeField}},
                         {{QStringLiteral("确定"), SizeOk}, {QStringLiteral("取消"), QRect(120, 85, 70, 24)}});
    d.goTo = make(QStringLiteral("goto"), {180, 170}, QStringLiteral("定位"), {260, 160},
                  {{QStringLiteral("引用位置(R):"), GoToField}},
                  {{QStringLiteral("确定"), GoToOk}, {QStringLiteral("取消"), QRect(150, 125, 70, 24)}});
    d.function = make(QStringLiteral("function"), {40, 110}, QStringLiteral("插入函数"), {400, 260},
                      {{QStringLiteral("搜索函数(S):"), FunctionSearch}, {QString(), FunctionList}},
                      {{QStringLiteral("确定"), FunctionOk}, {QStringLiteral("转到(G)"), FunctionGo},
                       {QStringLiteral("取消"), QRect(310, 225, 80, 24)}});
    return d;
}

// A yellow tip beside a cell, as the program shows for a formula or a button.
QImage tipPicture(const QString& text)
{
    QImage image = canvas(170, 22, QColor(255, 255, 225));
    QPainter p(&image);
    outline(p, image.rect(), Qt::black);
    drawText(p, image.rect().adjusted(4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text, colours::Text, uiFont(12));
    return image;
}

QRect formatDialogOk() { return panels::dialogOkButton(); }

using namespace model;

const QColor LightYellow(255, 255, 153);
const QColor Red(255, 0, 0);
const QColor Blue(0, 0, 255);

// The first unit: selecting, moving about, files, views and help.
void basics(Builder& b, const Dialogs& d)
{
    b.question(QStringLiteral("在Sheet1工作表中用鼠标拖动选定A2:E7单元格区域。"));
    b.rangeDrag(cell(u"A2"), cell(u"E7"), 0, QStringLiteral("从A2单元格拖动到E7单元格"));
    b.end();

    b.question(QStringLiteral("用鼠标拖动，并按住Ctrl键，同时选定B3:B7和D3:D7两个单元格区域。"));
    b.rangeDrag(cell(u"B3"), cell(u"B7"), 0, QStringLiteral("从B3拖动到B7"));
    b.rangeDrag(cell(u"D3"), cell(u"D7"), Ctrl, QStringLiteral("按住Ctrl键从D3拖动到D7"));
    b.end();

    b.question(QStringLiteral("单击A2单元格，再按住Shift键单击E7单元格，选定A2:E7区域。"));
    b.click(cell(u"A2"), QStringLiteral("单击A2单元格"));
    b.clickWith(Shift, LeftButton, cell(u"E7"), QStringLiteral("按住Shift键单击E7单元格"));
    b.end();

    b.question(QStringLiteral("使用快捷键Ctrl+S保存当前工作簿。"));
    b.key(6283, QStringLiteral("按Ctrl+S保存"));
    b.stays(QStringLiteral("saving a saved book shows nothing new"));
    b.end();

    b.question(QStringLiteral("使用“文件”菜单将当前工作簿另存到“本地磁盘 (D:)”，文件名为“成绩表”。"));
    b.menu(QStringLiteral("H010500000"), QStringLiteral("单击“文件”菜单中的“另存为”"));
    b.dialog(d.saveAs);
    b.location(d.saveAs.on(SaveLocation), 2, 5, QStringLiteral("在“保存位置”列表中选择“本地磁盘 (D:)”"));
    b.type(QStringLiteral("0022"), d.saveAs.on(SaveName), QStringLiteral("成绩表|成绩表.xls"), {}, d.saveAs.on(SaveButton));
    b.noDialog();
    b.after(title(b.state(), QStringLiteral("成绩表.xls")));
    b.end();

    b.question(QStringLiteral("使用“文件”菜单打开“本地磁盘 (D:)”中的工作簿“成绩表.xls”（输入文件名后按回车键或单击“打开”）。"));
    b.menu(QStringLiteral("H010200000"), QStringLiteral("单击“文件”菜单中的“打开”"));
    b.dialog(d.open);
    b.location(d.open.on(SaveLocation), 3, 5, QStringLiteral("在“查找范围”列表中选择“本地磁盘 (D:)”"));
    b.type(QStringLiteral("0022"), d.open.on(SaveName), QStringLiteral("成绩表.xls|成绩表"), {}, d.open.on(SaveButton));
    b.noDialog();
    b.after(title(b.state(), QStringLiteral("成绩表.xls")));
    b.end();

    b.question(QStringLiteral("使用快捷键Ctrl+N新建一个空白工作簿。"));
    b.key(6278, QStringLiteral("按Ctrl+N新建工作簿"));
    b.after(newBook(b.state(), QStringLiteral("Book2")));
    b.end();

    b.question(QStringLiteral("通过“视图”菜单隐藏编辑栏。"));
    b.menu(QStringLiteral("H030500000"), QStringLiteral("单击“视图”菜单中的“编辑栏”"));
    b.after(formulaBar(b.state(), false));
    b.end();

    b.question(QStringLiteral("通过“视图”菜单打开任务窗格，然后单击任务窗格的标题打开其列表，选择“新建工作簿”。"));
    b.menu(QStringLiteral("H030300000"), QStringLiteral("单击“视图”菜单中的“任务窗格”"));
    b.stays(QStringLiteral("the next step opens the task pane itself"));
    b.paneChoice({560, 160}, QStringLiteral("H320100000"), QStringLiteral("单击任务窗格的标题打开列表，选择“新建工作簿”"));
    b.after(newBook(b.state(), QStringLiteral("Book2")));
    b.end();

    b.question(QStringLiteral("使用“常用”工具栏将工作表的显示比例设置为75%。"));
    b.menu(QStringLiteral("H620300000"), QStringLiteral("单击“显示比例”框的箭头，选择“75%”"));
    b.after(zoom(b.state(), 75));
    b.end();

    b.question(QStringLiteral("按功能键F1打开Excel帮助。"));
    b.key(6012, QStringLiteral("按F1键"));
    b.stays(QStringLiteral("help opens in a window of its own"));
    b.end();

    b.question(QStringLiteral("双击工作表标签，将工作表Sheet2重命名为“成绩”并按回车键。"));
    b.doubleClick(sheet::sheetTabRect(2), QStringLiteral("双击Sheet2工作表标签"));
    b.stays(QStringLiteral("the next step's editor stands on the tab"));
    b.type(QStringLiteral("0024"), sheet::sheetTabRect(2).adjusted(-4, 0, 8, 0), QStringLiteral("成绩"));
    b.after(sheetNames(b.state(), {QStringLiteral("Sheet1"), QStringLiteral("成绩"), QStringLiteral("Sheet3")}, 0));
    b.end();

    b.question(QStringLiteral("在名称框中输入D5并按回车键，使D5成为活动单元格。"));
    b.type(QStringLiteral("0024"), sheet::nameBoxRect(), QStringLiteral("D5"));
    b.end();

    b.question(QStringLiteral("使用快捷菜单删除工作表Sheet3。"));
    b.routedContext(sheet::sheetTabRect(3), 3521, QStringLiteral("右键单击Sheet3标签，选择“删除”"));
    b.after(sheetNames(b.state(), {QStringLiteral("Sheet1"), QStringLiteral("Sheet2")}, 0));
    b.end();

    b.question(QStringLiteral("使用快捷菜单在Sheet1之前插入一张新工作表。"));
    b.context(sheet::sheetTabRect(1), 3520, QStringLiteral("右键单击Sheet1标签，选择“插入”"));
    {
        // The new sheet comes in front, empty.
        State& s = b.state();
        s.view.cells.clear();
        s.view.comments.clear();
        b.after(sheetNames(s, {QStringLiteral("Sheet4"), QStringLiteral("Sheet1"), QStringLiteral("Sheet2"), QStringLiteral("Sheet3")}, 0));
    }
    b.end();

    b.question(QStringLiteral("通过“窗口”菜单冻结窗格：先单击B3单元格，再选择“冻结窗格”。"));
    b.click(cell(u"B3"), QStringLiteral("单击B3单元格"));
    b.menu(QStringLiteral("H080700000"), QStringLiteral("单击“窗口”菜单中的“冻结窗格”"));
    b.after(freeze(b.state()));
    b.end();
}

// Text typed into a cell or a dialog field is checked as it is typed, where the step needs no
// Enter: the tasks say so, so that nobody waits for a key that does nothing.
const QString CheckedAsTyped = QStringLiteral("（输入正确即完成，不需要按回车键）");

// The second unit: entering, changing, copying, moving, finding and the pictures of a sheet.
void editing(Builder& b, const Dialogs& d)
{
    b.unit();
    b.question(QStringLiteral("在A9单元格中输入“最高分”。") + CheckedAsTyped);
    b.type(QStringLiteral("0020"), cell(u"A9"), QStringLiteral("最高分"));
    b.end();

    b.question(QStringLiteral("双击C3单元格，将张明的数学成绩改为95并按回车键确认。"));
    b.doubleClick(cell(u"C3"), QStringLiteral("双击C3单元格"));
    b.type(QStringLiteral("0022"), cell(u"C3"), QStringLiteral("95"), {}, cell(u"C4"));
    b.end();

    b.question(QStringLiteral("单击E3单元格，在单元格或编辑栏中输入求总分的公式“=SUM(B3:D3)”并按回车键确认。"));
    b.click(cell(u"E3"), QStringLiteral("单击E3单元格"));
    b.type(QStringLiteral("0028"), cell(u"E3"), QStringLiteral("=SUM(B3:D3)|=B3+C3+D3"), {}, cell(u"E4"));
    b.end();

    b.question(QStringLiteral("在E4单元格中输入公式“=B4+C4+D4”并按回车键。"));
    b.state().view.active = QStringLiteral("E4");
    b.state().range = QStringLiteral("E4");
    b.type(QStringLiteral("0028"), cell(u"E4"), QStringLiteral("=B4+C4+D4|=SUM(B4:D4)"), {}, cell(u"E5"));
    b.end();

    b.question(QStringLiteral("将A3:A7中的姓名复制到G3:G7：先拖动选定A3:A7，按Ctrl+C复制，再单击G3，按Ctrl+V粘贴。"));
    b.rangeDrag(cell(u"A3"), cell(u"A7"), 0, QStringLiteral("从A3拖动到A7"));
    b.key(6267, QStringLiteral("按Ctrl+C复制"));
    b.after(copy(b.state(), false));
    b.click(cell(u"G3"), QStringLiteral("单击G3单元格"));
    b.key(6286, QStringLiteral("按Ctrl+V粘贴"));
    b.after(paste(b.state()));
    b.end();

    b.question(QStringLiteral("将B8:D8中的平均分移动到B10:D10：拖动选定B8:D8，使用“编辑”菜单剪切，再单击B10，使用“编辑”菜单粘贴。"));
    b.rangeDrag(cell(u"B8"), cell(u"D8"), 0, QStringLiteral("从B8拖动到D8"));
    b.menu(QStringLiteral("H020300000"), QStringLiteral("单击“编辑”菜单中的“剪切”"));
    b.after(copy(b.state(), true));
    b.click(cell(u"B10"), QStringLiteral("单击B10单元格"));
    b.menu(QStringLiteral("H020600000"), QStringLiteral("单击“编辑”菜单中的“粘贴”"));
    b.after(paste(b.state()));
    b.end();

    b.question(QStringLiteral("拖动选定E3:E7单元格区域，使用Delete键清除其中的内容。"));
    b.rangeDrag(cell(u"E3"), cell(u"E7"), 0, QStringLiteral("从E3拖动到E7"));
    b.key(6046, QStringLiteral("按Delete键"));
    b.after(clear(b.state()));
    b.end();

    b.question(QStringLiteral("拖动选定A2:E2单元格区域，使用“编辑”菜单清除其格式。"));
    b.rangeDrag(cell(u"A2"), cell(u"E2"), 0, QStringLiteral("从A2拖动到E2"));
    b.menu(QStringLiteral("H021002000"), QStringLiteral("单击“编辑”菜单中的“清除”，再单击“格式”"));
    b.after(clearFormats(b.state()));
    b.end();

    // By its shortcut: the "填充" cascade of the Edit menu reaches under the question panel.
    b.question(QStringLiteral("拖动选定B8:B9，按快捷键Ctrl+D将B8的平均分向下填充到B9。"));
    b.rangeDrag(cell(u"B8"), cell(u"B9"), 0, QStringLiteral("从B8拖动到B9"));
    b.key(6268, QStringLiteral("按Ctrl+D向下填充"));
    b.after(fillDown(b.state()));
    b.end();

    b.question(QStringLiteral("使用快捷键Ctrl+F打开“查找和替换”对话框，输入“王芳”后单击“查找下一个”。") + CheckedAsTyped);
    b.key(6270, QStringLiteral("按Ctrl+F"));
    b.dialog(d.find);
    b.type(QStringLiteral("0021"), d.find.on(FindWhat), QStringLiteral("王芳"));
    b.click(d.find.on(FindNext), QStringLiteral("单击“查找下一个”"));
    b.noDialog();
    b.after(activate(b.state(), QStringLiteral("A5")));
    b.end();

    b.question(QStringLiteral("使用“编辑”菜单的“替换”将工作表中的“李华”替换为“李桦”，然后单击“全部替换”。") + CheckedAsTyped);
    b.menu(QStringLiteral("H021500000"), QStringLiteral("单击“编辑”菜单中的“替换”"));
    b.dialog(d.replace);
    b.type(QStringLiteral("0021"), d.replace.on(FindWhat), QStringLiteral("李华"));
    b.type(QStringLiteral("0027"), d.replace.on(ReplaceWith), QStringLiteral("李桦"));
    b.click(d.replace.on(ReplaceAll), QStringLiteral("单击“全部替换”"));
    b.noDialog();
    b.after(setText(b.state(), QStringLiteral("A4"), QStringLiteral("李桦")));
    b.end();

    b.question(QStringLiteral("使用快捷菜单在第5行的上方插入一行。"));
    b.context(sheet::rowHeaderRect(5), 3340, QStringLiteral("右键单击行号5，选择“插入”"));
    b.after(insertRow(b.state(), 5));
    b.after(selectRow(b.state(), 5));
    b.end();

    b.question(QStringLiteral("使用快捷菜单删除C列。"));
    b.context(sheet::columnHeaderRect(u'C'), 3241, QStringLiteral("右键单击列标C，选择“删除”"));
    b.after(deleteColumn(b.state(), u'C'));
    b.after(selectColumn(b.state(), u'C'));
    b.end();

    b.question(QStringLiteral("使用快捷菜单为D5单元格插入批注“成绩优秀”，然后单击G10单元格结束。"));
    b.context(cell(u"D5"), 3160, QStringLiteral("右键单击D5单元格，选择“插入批注”"));
    b.after(comment(b.state(), QStringLiteral("D5")));
    const QRect note = cell(u"D5").adjusted(cell(u"D5").width() + 6, -7, 150, 40);
    b.type(QStringLiteral("0026"), note, QStringLiteral("成绩优秀"), {}, cell(u"G10"));
    b.noteEditor();
    b.end();

    b.question(QStringLiteral("在A1单元格的编辑状态下，选中文字“学生”。"));
    b.state().view.editing = true;
    b.selectText(cell(u"A1").adjusted(0, 0, 80, 0), QStringLiteral("学生成绩表"), QStringLiteral("学生"));
    b.end();

    b.question(QStringLiteral("在A8单元格的编辑状态下，选中文字“平均”。"));
    b.state().view.active = QStringLiteral("A8");
    b.state().view.editing = true;
    b.selectText(cell(u"A8").adjusted(0, 0, 30, 0), QStringLiteral("平均分"), QStringLiteral("平均"));
    b.end();

    b.question(QStringLiteral("在F2单元格中输入英文标题“Rank”（注意大小写）。") + CheckedAsTyped);
    b.type(QStringLiteral("0025"), cell(u"F2"), QStringLiteral("Rank"));
    b.end();

    b.question(QStringLiteral("在A10单元格中输入“Excel 2003”（注意大小写）。") + CheckedAsTyped);
    b.type(QStringLiteral("0025"), cell(u"A10"), QStringLiteral("Excel 2003"));
    b.end();

    const QString chart = b.picture(QStringLiteral("chart"), sheet::chart());
    b.question(QStringLiteral("将工作表中的成绩图表向右拖动，使其左边与H列对齐。"));
    // Beside the table and above the question panel, where it stays in sight when dropped at H.
    b.state().view.chart = QPoint(360, 142);
    b.pictureDrag(8002, chart, {360, 142}, cell(u"H3").left(), QStringLiteral("按住图表向右拖动到H列"));
    b.end();

    b.question(QStringLiteral("将工作表中的成绩图表向下拖动到第22行附近。"));
    b.state().view.chart = QPoint(230, 250);
    b.pictureDrag(8004, chart, {230, 250}, cell(u"A17").top(), QStringLiteral("按住图表向下拖动"));
    b.end();

    b.question(QStringLiteral("使用“定位”对话框定位到A8单元格（按Ctrl+G或F5打开对话框）。"));
    b.key(6271, QStringLiteral("按Ctrl+G或F5"), {6016});
    b.dialog(d.goTo);
    b.type(QStringLiteral("0022"), d.goTo.on(GoToField), QStringLiteral("A8"), {}, d.goTo.on(GoToOk));
    b.noDialog();
    b.after(activate(b.state(), QStringLiteral("A8")));
    b.end();
}

// The third unit: formats, functions, sorting and filtering.
void formats(Builder& b, const Dialogs& d)
{
    b.unit();
    b.question(QStringLiteral("拖动选定A1:E1，使用“格式”工具栏的“合并及居中”按钮将其合并及居中。"));
    b.rangeDrag(cell(u"A1"), cell(u"E1"), 0, QStringLiteral("从A1拖动到E1"));
    b.menu(QStringLiteral("H750000000"), QStringLiteral("单击“合并及居中”按钮"));
    b.after(merge(b.state()));
    b.end();

    b.question(QStringLiteral("拖动选定A3:A7，使用快捷键Ctrl+B将其中的姓名设置为加粗。"));
    b.rangeDrag(cell(u"A3"), cell(u"A7"), 0, QStringLiteral("从A3拖动到A7"));
    b.key(6266, QStringLiteral("按Ctrl+B"));
    b.after(bold(b.state(), true));
    b.end();

    b.question(QStringLiteral("使用“格式”工具栏将A1单元格的字体设置为黑体、字号设置为16。"));
    b.menu(QStringLiteral("H670200000"), QStringLiteral("单击“字体”框的箭头，选择“黑体”"));
    b.after(face(b.state(), QStringLiteral("黑体")));
    b.menu(QStringLiteral("H680700000"), QStringLiteral("单击“字号”框的箭头，选择“16”"));
    b.after(size(b.state(), 21));
    b.end();

    b.question(QStringLiteral("拖动选定A2:E2单元格区域，使用“格式”工具栏将其填充颜色设置为浅黄色。"));
    b.rangeDrag(cell(u"A2"), cell(u"E2"), 0, QStringLiteral("从A2拖动到E2"));
    b.menu(QStringLiteral("H843500000"), QStringLiteral("单击“填充颜色”的箭头，选择“浅黄”"));
    b.after(fill(b.state(), LightYellow));
    b.end();

    b.question(QStringLiteral("拖动选定B8:D8，使用“格式”工具栏将其中平均分的字体颜色设置为红色。"));
    b.rangeDrag(cell(u"B8"), cell(u"D8"), 0, QStringLiteral("从B8拖动到D8"));
    b.menu(QStringLiteral("H851700000"), QStringLiteral("单击“字体颜色”的箭头，选择“红色”"));
    b.after(ink(b.state(), Red));
    b.end();

    b.question(QStringLiteral("A1单元格已选定，在打开的“字体颜色”面板中单击“蓝色”。"));
    b.paneChoice({480, 200}, QStringLiteral("H341400000"), QStringLiteral("在“字体颜色”面板中单击“蓝色”"));
    b.after(ink(b.state(), Blue));
    b.end();

    b.question(QStringLiteral("A1:E1已选定。使用“格式”菜单打开“单元格格式”对话框，在“对齐”选项卡中选中“合并单元格”，然后单击“确定”。"));
    select(b.state(), QStringLiteral("A1"), QStringLiteral("E1"));
    b.menu(QStringLiteral("H050100000"), QStringLiteral("单击“格式”菜单中的“单元格”"));
    b.after(openFormatDialog(b.state()));
    b.dialogTab(1, 2, panels::mergeBox(), QStringLiteral("单击“对齐”选项卡，选中“合并单元格”"));
    b.dialogTab(2, 2, formatDialogOk(), QStringLiteral("单击“确定”"));
    b.end();

    b.question(QStringLiteral("使用快捷键Ctrl+1打开“单元格格式”对话框，在“字体”选项卡中单击“确定”。"));
    b.key(6249, QStringLiteral("按Ctrl+1"));
    b.after(openFormatDialog(b.state()));
    b.dialogTab(1, 3, formatDialogOk(), QStringLiteral("单击“字体”选项卡，再单击“确定”"));
    b.end();

    b.question(QStringLiteral("使用快捷菜单将第2行的行高设置为25（输入后按回车键）。"));
    b.context(sheet::rowHeaderRect(2), 3361, QStringLiteral("右键单击行号2，选择“行高”"));
    b.after(selectRow(b.state(), 2));
    b.dialog(d.rowHeight);
    b.type(QStringLiteral("0024"), d.rowHeight.on(SizeField), QStringLiteral("25"));
    b.noDialog();
    b.after(rowHeight(b.state(), 2, 25));
    b.end();

    b.question(QStringLiteral("单击列标A，使用“格式”菜单将A列的列宽设置为12。"));
    b.click(sheet::columnHeaderRect(u'A'), QStringLiteral("单击列标A"));
    b.menu(QStringLiteral("H050301000"), QStringLiteral("单击“格式”菜单中的“列”，再单击“列宽”"));
    b.dialog(d.columnWidth);
    b.type(QStringLiteral("0022"), d.columnWidth.on(SizeField), QStringLiteral("12"), {}, d.columnWidth.on(SizeOk));
    b.noDialog();
    b.after(columnWidth(b.state(), u'A', 12));
    b.end();

    b.question(QStringLiteral("使用快捷菜单隐藏D列。"));
    b.routedContext(sheet::columnHeaderRect(u'D'), 3262, QStringLiteral("右键单击列标D，选择“隐藏”"));
    b.after(hideColumn(b.state(), u'D'));
    b.end();

    b.question(QStringLiteral("拖动选定B3:D8，使用“自动求和”按钮的下拉列表求平均值。"));
    b.rangeDrag(cell(u"B3"), cell(u"D8"), 0, QStringLiteral("从B3拖动到D8"));
    b.menu(QStringLiteral("H570200000"), QStringLiteral("单击“自动求和”的箭头，选择“平均值”"));
    for (const QChar column : {u'B', u'C', u'D'})
        b.after(setText(b.state(), QString(column) + u'9', QStringLiteral("=AVERAGE(%1:%2)").arg(QString(column) + u'3', QString(column) + u'8')));
    b.end();

    b.question(QStringLiteral("单击E9单元格，在函数列表中选择求最大值的函数MAX。"));
    b.click(cell(u"E9"), QStringLiteral("单击E9单元格"));
    b.list(cell(u"E10").adjusted(0, 0, 60, 100), {QStringLiteral("SUM"), QStringLiteral("AVERAGE"), QStringLiteral("IF"),
                                                 QStringLiteral("COUNT"), QStringLiteral("MAX"), QStringLiteral("MIN")},
           0, 4, QStringLiteral("在列表中选择“MAX”"));
    b.after(setText(b.state(), QStringLiteral("E9"), QStringLiteral("=MAX(")));
    b.after(edit(b.state(), QStringLiteral("E9")));
    b.end();

    b.question(QStringLiteral("单击F3单元格，使用“插入”菜单插入函数：搜索“平均”并单击“转到”，选择AVERAGE，单击“确定”。"));
    b.click(cell(u"F3"), QStringLiteral("单击F3单元格"));
    b.menu(QStringLiteral("H040900000"), QStringLiteral("单击“插入”菜单中的“函数”"));
    b.dialog(d.function);
    b.type(QStringLiteral("0026"), d.function.on(FunctionSearch), QStringLiteral("平均"), {}, d.function.on(FunctionGo));
    b.list(d.function.on(FunctionList),
           {QStringLiteral("AVEDEV"), QStringLiteral("AVERAGE"), QStringLiteral("AVERAGEA"), QStringLiteral("DAVERAGE")}, 0, 1,
           QStringLiteral("在函数列表中选择“AVERAGE”"));
    b.stays(QStringLiteral("the list shows its own choice"));
    // The candidate who picked the function by a double click has finished: the button step
    // that follows is for the single click.
    const QString average = QStringLiteral("=AVERAGE(B3:E3)");
    b.click(d.function.on(FunctionOk), QStringLiteral("单击“确定”"), u'B');
    {
        // The jump lands past the second click, on the state that click leaves.
        model::State done = b.state();
        b.after(closeDialog(done));
        b.after(setText(done, QStringLiteral("F3"), average));
    }
    b.click(d.function.on(FunctionOk), QStringLiteral("单击“确定”"));
    b.noDialog();
    b.after(setText(b.state(), QStringLiteral("F3"), average));
    b.end();

    b.question(QStringLiteral("单击E3单元格，使用“常用”工具栏按总分降序排序。"));
    b.click(cell(u"E3"), QStringLiteral("单击E3单元格"));
    b.menu(QStringLiteral("H590000000"), QStringLiteral("单击“降序排序”按钮"));
    b.after(sortDescending(b.state(), u'E', 3, 7));
    b.automatic(QStringLiteral("已按总分从高到低排列"));
    b.end();

    b.question(QStringLiteral("单击A2单元格，使用“数据”菜单为成绩表设置自动筛选。"));
    b.click(cell(u"A2"), QStringLiteral("单击A2单元格"), u'B');
    b.click(cell(u"A2"), QStringLiteral("单击A2单元格"));
    b.menu(QStringLiteral("H070201000"), QStringLiteral("单击“数据”菜单中的“筛选”，再单击“自动筛选”"));
    b.after(autoFilter(b.state()));
    b.end();

    b.question(QStringLiteral("使用工具栏的快捷菜单显示“绘图”工具栏。"));
    b.state().view.drawingBar = false;
    b.toolbarContext(3427, QStringLiteral("右键单击工具栏右端的空白处，选择“绘图”"));
    b.after(drawingBar(b.state(), true));
    b.end();

    const QString tip = b.picture(QStringLiteral("tip:B8"), tipPicture(QStringLiteral("=AVERAGE(B3:B7)")));
    b.question(QStringLiteral("将鼠标指向B8单元格，查看平均分的公式提示。"));
    b.hover(cell(u"B8"), QStringLiteral("将鼠标指向B8单元格"));
    b.stays(QStringLiteral("the next step shows the tip over the sheet"));
    b.automatic(QStringLiteral("B8中的公式为求B3:B7的平均值"), tip, cell(u"B8").bottomRight() + QPoint(4, 4));
    b.end();

    b.question(QStringLiteral("按住Ctrl键依次单击B5和D5，同时选定两个单元格。"));
    b.click(cell(u"B5"), QStringLiteral("单击B5单元格"));
    b.clickWith(Ctrl, LeftButton, cell(u"D5"), QStringLiteral("按住Ctrl键单击D5单元格"));
    b.end();

    b.question(QStringLiteral("按住Ctrl键拖动选定A2:E7，使用“格式”菜单中的“工作表”命令将工作表重命名为“期中成绩”。") + CheckedAsTyped);
    b.rangeDrag(cell(u"A2"), cell(u"E7"), Ctrl, QStringLiteral("按住Ctrl键从A2拖动到E7"));
    b.menu(QStringLiteral("H050401000"), QStringLiteral("单击“格式”菜单中的“工作表”，再单击“重命名”"));
    b.stays(QStringLiteral("the next step's editor stands on the tab"));
    b.type(QStringLiteral("0027"), sheet::sheetTabRect(1).adjusted(-4, 0, 20, 0), QStringLiteral("期中成绩"));
    b.after(sheetNames(b.state(), {QStringLiteral("期中成绩"), QStringLiteral("Sheet2"), QStringLiteral("Sheet3")}, 0));
    b.end();
}

} // namespace

Builder units(int firstTextLine)
{
    Builder b(firstTextLine);
    const Dialogs d = dialogs();
    basics(b, d);
    editing(b, d);
    formats(b, d);
    return b;
}

} // namespace samplegen::bank
