#include "menu_texts.h"

namespace samplegen::menus {

namespace {

QStringList split(const char* texts) { return QString::fromUtf8(texts).split(u'|'); }

const char* RecentFiles = "1 成绩表.xls|2 工资表.xls|3 销售统计.xls|4 课程表.xls";

} // namespace

QStringList dropDownTexts(int element)
{
    switch (element) {
    case 1:
        return split("新建(N)...|打开(O)...|关闭(C)|保存(S)|另存为(A)...|另存为网页(G)...|保存工作区(W)...|"
                     "文件搜索(H)...|权限(M)|网页预览(B)|页面设置(U)...|打印区域(T)|打印预览(V)|打印(P)...|"
                     "发送(D)|属性(I)") + split(RecentFiles) + split("退出(X)");
    case 2:
        return split("撤消(U)|恢复(R)|剪切(T)|复制(C)|Office 剪贴板(B)...|粘贴(P)|选择性粘贴(S)...|"
                     "粘贴为超链接(H)|填充(I)|清除(A)|删除(D)...|删除工作表(L)|移动或复制工作表(M)...|"
                     "查找(F)...|替换(E)...|定位(G)...");
    case 3:
        return split("普通(N)|分页预览(P)|任务窗格(K)|工具栏(T)|编辑栏(F)|状态栏(S)|页眉和页脚(H)...|批注(C)|"
                     "视图管理器(V)...|全屏显示(U)|显示比例(Z)...");
    case 4:
        return split("单元格(E)...|行(R)|列(C)|工作表(W)|图表(H)...|符号(S)...|分页符(B)|特殊符号(Y)...|"
                     "函数(F)...|名称(N)|批注(M)|图片(P)|图示(G)...|对象(O)...|超链接(I)...");
    case 5:
    case 37:
        return split("单元格(E)...|行(R)|列(C)|工作表(H)|自动套用格式(A)...|条件格式(D)...|样式(S)...|文字方向(T)");
    case 6:
        return split("拼写检查(S)...|信息检索(R)...|错误检查(K)...|共享工作区(D)|共享工作簿(B)...|"
                     "比较和合并工作簿(W)...|修订(T)|语言(L)...|保护(P)|联机协作(N)|单变量求解(G)...|方案(E)...|"
                     "公式审核(U)|宏(M)|加载宏(I)...|自动更正选项(A)...|自定义(C)...|选项(O)...");
    case 7:
        return split("排序(S)...|筛选(F)|记录单(O)...|分类汇总(B)...|有效性(L)...|模拟运算表(T)...|分列(E)...|"
                     "合并计算(N)...|组及分级显示(G)|数据透视表和数据透视图(P)...|导入外部数据(D)|列表(I)|"
                     "XML(X)|刷新数据(R)");
    case 8:
    case 36:
        return split("新建窗口(N)|重排窗口(A)...|并排比较(B)...|隐藏(H)|取消隐藏(U)...|拆分(S)|冻结窗格(F)") +
               split("1 成绩表.xls|2 工资表.xls|3 销售统计.xls");
    case 9:
        return split("Microsoft Excel 帮助(H)|显示 Office 助手(O)|Microsoft Office Online(L)|与我们联系(C)|"
                     "检查更新(U)|检测并修复(R)...|激活产品(V)...|客户反馈选项(F)...|关于 Microsoft Office Excel(A)");
    case 11:
        return split("组合(G)|取消组合(U)|重新组合(O)|叠放次序(R)|网格(B)...|微移(N)|对齐或分布(A)|旋转或翻转(P)|"
                     "改变自选图形(C)|编辑顶点(E)|重排连接符(S)|选择对象(O)|设置自选图形的默认效果(D)");
    case 13:
        return split("线条(L)|连接符(N)|基本形状(B)|箭头总汇(A)|流程图(F)|星与旗帜(S)|标注(C)|其他自选图形(M)...");
    case 57: return split("求和(S)|平均值(A)|计数(C)|最大值(M)|最小值(I)|其他函数(F)...");
    case 62: return split("200%|100%|75%|50%|25%|选定区域");
    case 67:
        return split("宋体|黑体|楷体_GB2312|仿宋_GB2312|隶书|幼圆|华文细黑|新宋体|Arial|Arial Black|"
                     "Times New Roman|Courier New");
    case 68: return split("8|9|10|11|12|14|16|18|20|22|24|26");
    case 32:
        return split("新建工作簿|根据现有工作簿...|根据模板...|本机上的模板...|网站上的模板...|Office Online 模板|"
                     "打开...|成绩表.xls|工资表.xls|其他...|关闭任务窗格");
    default: return {};
    }
}

QStringList cascadeTexts(int key)
{
    switch (key) {
    case 109: return split("无限制的访问(U)|不能分发(D)|限制权限为(R)...");
    case 112: return split("设置打印区域(S)|取消打印区域(C)");
    case 115:
        return split("邮件收件人(M)|邮件收件人(以附件形式)(A)...|邮件收件人(审阅)(C)...|传送收件人(R)...|"
                     "联机会议参加者(O)");
    case 209: return split("向下填充(D)|向右填充(R)|向上填充(U)|向左填充(L)|至同组工作表(A)...|内容重排(J)|序列(S)...");
    case 210: return split("全部(A)|格式(F)|内容(C)|批注(M)");
    case 304:
        return split("常用|格式|边框|窗体|公式审核|控件工具箱|列表|绘图|任务窗格|数据透视表|外部数据|文本到语音|"
                     "图表|图片|审阅|监视窗口|艺术字|Visual Basic|Web|自定义(C)...");
    case 410: return split("定义(D)...|粘贴(P)...|指定(C)...|应用(A)...|标签(L)...");
    case 412: return split("剪贴画(C)...|来自文件(F)...|来自扫描仪或照相机(S)...|自选图形(A)|艺术字(W)...|组织结构图(O)");
    case 502: return split("行高(E)...|最适合的行高(A)|隐藏(H)|取消隐藏(U)");
    case 503: return split("列宽(W)...|最适合的列宽(A)|隐藏(H)|取消隐藏(U)|标准列宽(S)...");
    case 504: return split("重命名(R)|隐藏(H)|取消隐藏(U)...|背景(B)...|工作表标签颜色(T)...");
    case 508: return split("根据内容(C)|从左到右(L)|从右到左(R)");
    case 604: return split("共享工作区(D)...");
    case 607: return split("突出显示修订(H)...|接受或拒绝修订(A)...");
    case 609: return split("保护工作表(P)...|允许用户编辑区域(A)...|保护工作簿(W)...|保护并共享工作簿(S)...");
    case 610: return split("立即开会(M)|安排会议(S)...");
    case 613:
        return split("追踪引用单元格(T)|追踪从属单元格(D)|追踪错误(E)|取消所有追踪箭头(A)|公式求值(F)|"
                     "显示监视窗口(W)|公式审核模式(M)|显示“公式审核”工具栏(S)");
    case 614: return split("宏(M)...|录制新宏(R)...|安全性(S)...|Visual Basic 编辑器(V)|Microsoft 脚本编辑器(E)");
    case 702: return split("自动筛选(F)|全部显示(S)|高级筛选(A)...");
    case 709:
        return split("隐藏明细数据(H)|显示明细数据(S)|组合(G)...|取消组合(U)...|自动建立分级显示(A)|"
                     "清除分级显示(C)|设置(E)...");
    case 711: return split("导入数据(D)...|新建 Web 查询(W)...|新建数据库查询(N)...|编辑查询(Q)...|数据区域属性(A)...|参数(M)...");
    case 712:
        return split("创建列表(C)...|调整列表大小(R)...|汇总行(T)|转换为区域(V)|发布列表(P)...|查看服务器上的列表(S)|"
                     "取消列表链接(U)|同步列表(Y)|放弃更改并刷新(D)|隐藏活动列表的边框(B)");
    case 713: return split("导入(I)...|导出(E)...|刷新 XML 数据(R)|XML 源(S)...|XML 映射属性(X)...|编辑查询(Q)...|XML 扩展包(P)...");
    case 1104: return split("置于顶层(T)|置于底层(K)|上移一层(F)|下移一层(B)|置于文字上方(R)|置于文字下方(H)");
    case 1106: return split("上移(U)|下移(D)|左移(L)|右移(R)|微移网格(G)|对齐网格(S)");
    case 1107: return split("左对齐(L)|水平居中(C)|右对齐(R)|顶端对齐(T)|垂直居中(M)|底端对齐(B)|横向分布(H)|纵向分布(V)|相对于画布(N)");
    case 1108: return split("自由旋转(F)|向左旋转 90°(L)|向右旋转 90°(R)|水平翻转(H)|垂直翻转(V)|旋转网格(G)|重设旋转(E)|水平居中翻转|垂直居中翻转");
    case 1109: return split("线条(L)|基本形状(B)|箭头总汇(A)|流程图(F)|星与旗帜(S)|标注(C)|其他形状(M)|更多(O)...");
    case 1112: return split("选择对象(S)|选择多个对象(M)|选择全部图形(A)|按类型选择(T)|取消选择(U)");
    default: return {};
    }
}

QString paneTitle(int element)
{
    switch (element) {
    case 32: return QStringLiteral("开始工作");
    case 33: return QStringLiteral("填充颜色");
    case 34: return QStringLiteral("字体颜色");
    case 35: return QStringLiteral("图表");
    case 36: return QStringLiteral("窗口(W)");
    case 37: return QStringLiteral("格式(O)");
    case 38: return QStringLiteral("审阅");
    case 39: return QStringLiteral("数据透视表");
    case 40: return QStringLiteral("公式审核");
    default: return {};
    }
}

} // namespace samplegen::menus
