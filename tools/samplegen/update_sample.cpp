#include "update_sample.h"

namespace samplegen::update {

void write(Output& out, const QString& dataName, const QString& moduleName, const QString& serverFolderTag)
{
    const QString module = QStringLiteral("update-server/up/pelor/") + moduleName + u'/';
    out.writeGbkLines(module + dataName + QStringLiteral("/288895.txt"),
                      {QStringLiteral("202612151200"), QStringLiteral("D202612151200288899")});
    out.writeGbkLines(module + dataName + QStringLiteral("/288899.rar"), {QStringLiteral("新题库的数据文件")});
    out.writeGbkLines(QStringLiteral("update-server/up/ad/") + serverFolderTag + QStringLiteral("/170100.rar"),
                      {QStringLiteral("题库已更新到 2026-12-15 版！◎祝考试顺利。"), QStringLiteral("255"), QStringLiteral("http://localhost/")});
}

} // namespace samplegen::update
