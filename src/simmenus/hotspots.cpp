#include "simmenus/hotspots.h"

#include <array>

namespace simmenus {

namespace {

using C = Container;

constexpr int MenuTitle(int i) { return 420 + 870 * (i - 1); }

constexpr std::array<HotSpot, 76> Table{{
    {1, C::PicMenu, MenuTitle(1), 0, 870, 270, {}},
    {2, C::PicMenu, MenuTitle(2), 0, 870, 270, {}},
    {3, C::PicMenu, MenuTitle(3), 0, 870, 270, {}},
    {4, C::PicMenu, MenuTitle(4), 0, 870, 270, {}},
    {5, C::PicMenu, MenuTitle(5), 0, 870, 270, {}},
    {6, C::PicMenu, MenuTitle(6), 0, 870, 270, {}},
    {7, C::PicMenu, MenuTitle(7), 0, 870, 270, {}},
    {8, C::PicMenu, MenuTitle(8), 0, 870, 270, {}},
    {9, C::PicMenu, MenuTitle(9), 0, 870, 270, {}},

    {11, C::PicHui, 150, 60, 870, 270, {}},
    {12, C::PicHui, 1020, 30, 345, 330, {}},
    {13, C::PicHui, 1455, 60, 1230, 270, {}},
    {14, C::PicHui, 2685, 30, 345, 330, u"直线"},
    {15, C::PicHui, 3030, 30, 345, 330, u"箭头"},
    {16, C::PicHui, 3375, 30, 345, 330, u"矩形"},
    {17, C::PicHui, 3720, 30, 345, 330, u"椭圆"},
    {18, C::PicHui, 4065, 30, 345, 330, u"文本框"},
    {19, C::PicHui, 4410, 30, 345, 330, u"竖排文本框"},
    {20, C::PicHui, 4755, 30, 345, 330, u"插入艺术字"},
    {21, C::PicHui, 5100, 30, 345, 330, u"插入组织结构图或其它图示"},
    {22, C::PicHui, 5445, 30, 345, 330, u"插入剪贴画"},
    {23, C::PicHui, 5790, 30, 345, 330, u"插入文件中的图片"},
    {24, C::PicHui, 6225, 30, 510, 330, u"填充颜色"},
    {25, C::PicHui, 6735, 30, 510, 330, u"线条颜色"},
    {26, C::PicHui, 7245, 30, 510, 330, u"字体颜色"},
    {27, C::PicHui, 7755, 30, 345, 330, u"线型"},
    {28, C::PicHui, 8100, 30, 345, 330, u"虚线线型"},
    {29, C::PicHui, 8445, 30, 345, 330, u"箭头样式"},
    {30, C::PicHui, 8790, 30, 345, 330, u"阴影样式"},
    {31, C::PicHui, 9135, 30, 345, 330, u"三维效果样式"},

    {41, C::PicTool, 135, 15, 345, 330, u"新建"},
    {42, C::PicTool, 480, 15, 345, 330, u"打开"},
    {43, C::PicTool, 825, 15, 345, 330, u"保存"},
    {44, C::PicTool, 1170, 15, 345, 330, u"权限(无限制访问)"},
    {45, C::PicTool, 1515, 15, 345, 330, u"电子邮件"},
    {46, C::PicTool, 1950, 15, 345, 330, u"打印"},
    {47, C::PicTool, 2295, 15, 345, 330, u"打印预览"},
    {48, C::PicTool, 2730, 15, 345, 330, u"拼写检查"},
    {49, C::PicTool, 3075, 15, 345, 330, u"信息检索"},
    {50, C::PicTool, 3510, 15, 345, 330, u"剪切"},
    {51, C::PicTool, 3855, 15, 345, 330, u"复制"},
    {52, C::PicTool, 4200, 15, 345, 330, u"粘贴"},
    {53, C::PicTool, 4710, 15, 345, 330, u"格式刷"},
    {54, C::PicTool, 5145, 15, 345, 330, u"撤消"},
    {55, C::PicTool, 5655, 15, 345, 330, u"恢复"},
    {56, C::PicTool, 6255, 15, 345, 330, u"插入超链接"},
    {57, C::PicTool, 6930, 15, 180, 330, u"自动求和"},
    {58, C::PicTool, 7110, 15, 345, 330, u"升序排序"},
    {59, C::PicTool, 7455, 15, 345, 330, u"降序排序"},
    {60, C::PicTool, 7890, 15, 345, 330, u"图表向导"},
    {61, C::PicTool, 8235, 15, 345, 330, u"绘图"},
    {62, C::PicTool, 8580, 30, 1050, 330, u"显示比例"},
    {63, C::PicTool, 9630, 15, 345, 330, u"Microsoft Excel 帮助"},
    {64, C::PicTool, 9975, 15, 345, 330, u"数据透视表和数据透视图"},
    {65, C::PicTool, 10320, 15, 345, 330, u"新批注"},
    {66, C::PicTool, 10665, 15, 345, 330, u"自动筛选"},
    {67, C::PicTool, 135, 420, 2310, 330, u"字体"},
    {68, C::PicTool, 2445, 420, 720, 330, u"字号"},
    {69, C::PicTool, 3255, 405, 345, 330, u"加粗"},
    {70, C::PicTool, 3600, 405, 345, 330, u"倾斜"},
    {71, C::PicTool, 3945, 405, 345, 330, u"下划线"},
    {72, C::PicTool, 4380, 405, 345, 330, u"左对齐"},
    {73, C::PicTool, 4725, 405, 345, 330, u"居中"},
    {74, C::PicTool, 5070, 405, 345, 330, u"右对齐"},
    {75, C::PicTool, 5415, 405, 345, 330, u"合并及居中"},
    {76, C::PicTool, 5850, 405, 345, 330, u"货币样式"},
    {77, C::PicTool, 6195, 405, 345, 330, u"百分比样式"},
    {78, C::PicTool, 6540, 405, 345, 330, u"千位分隔样式"},
    {79, C::PicTool, 6885, 405, 345, 330, u"增加小数位数"},
    {80, C::PicTool, 7230, 405, 345, 330, u"减少小数位数"},
    {81, C::PicTool, 7665, 405, 345, 330, u"减少缩进量"},
    {82, C::PicTool, 8010, 405, 345, 330, u"增加缩进量"},
    {83, C::PicTool, 8445, 405, 510, 330, u"边框"},
    {84, C::PicTool, 8955, 405, 510, 330, u"填充颜色"},
    {85, C::PicTool, 9465, 405, 510, 330, u"字体颜色"},
    {86, C::PicTool, 6600, 15, 345, 330, u"自动求和"},
}};

} // namespace

std::span<const HotSpot> barHotSpots() { return Table; }

std::optional<HotSpot> hotSpot(int no)
{
    for (const HotSpot& h : Table)
        if (h.no == no)
            return h;
    return std::nullopt;
}

std::optional<Container> containerOf(int no)
{
    if (no >= 1 && no <= 9)
        return Container::PicMenu;
    if (no >= 11 && no <= 31)
        return Container::PicHui;
    if (no >= 32 && no <= 40)
        return Container::PicElse;
    if (no >= 41 && no <= 86)
        return Container::PicTool;
    return std::nullopt;
}

std::optional<QPoint> containerPos(Container c)
{
    switch (c) {
    case Container::PicMenu: return QPoint(0, 420);
    case Container::PicTool: return QPoint(0, 750);
    case Container::PicHui: return QPoint(0, 8340);
    case Container::PicElse: return std::nullopt;
    }
    return std::nullopt;
}

std::optional<int> elementAt(Container c, int xTw, int yTw)
{
    // From the front: the later element of the stacking order wins.
    for (auto it = Table.rbegin(); it != Table.rend(); ++it)
        if (it->container == c && it->rect().contains(xTw, yTw))
            return it->no;
    return std::nullopt;
}

std::optional<QPoint> highlightPos(int no)
{
    const std::optional<HotSpot> h = hotSpot(no);
    if (!h)
        return std::nullopt;
    return QPoint(no == 57 ? hotSpot(86)->left : h->left, h->top);
}

} // namespace simmenus
