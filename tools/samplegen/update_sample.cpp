#include "update_sample.h"

namespace samplegen::update {

void write(Output& out, const QString& dataName, const QString& moduleName, const QString& serverFolderTag)
{
    const QString bankVersion = dataName + QStringLiteral("/288895.mxy");
    if (!out.exists(bankVersion))
        out.writeGbkLines(bankVersion, {QStringLiteral("201601010000")});
    const QString announcement = QStringLiteral("ksdata/170100.mxy");
    if (!out.exists(announcement))
        out.writeGbkLines(announcement, {QStringLiteral("欢迎使用练习系统！◎选择“升级”检查新题库。"), QStringLiteral("16711680"),
                                         QStringLiteral("http://localhost/")});

    const QString module = QStringLiteral("update-server/up/pelor/") + moduleName + u'/';
    out.writeGbkLines(module + dataName + QStringLiteral("/288895.txt"),
                      {QStringLiteral("201612010000"), QStringLiteral("D201612010000288899")});
    out.writeGbkLines(module + dataName + QStringLiteral("/288899.rar"), {QStringLiteral("新题库的数据文件")});
    out.writeGbkLines(QStringLiteral("update-server/up/ad/") + serverFolderTag + QStringLiteral("/170100.rar"),
                      {QStringLiteral("题库已更新到 2016-12-01 版！◎祝考试顺利。"), QStringLiteral("255"), QStringLiteral("http://localhost/")});
}

} // namespace samplegen::update
