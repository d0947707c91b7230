#pragma once
// Reading and writing the installation's text files in tests, as the program keeps them: GBK
// with CR LF line ends.

#include "platform/files.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace tsupport {

// Writes lines as a GBK text file with CR LF ends, making its folder.
inline void writeLines(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_TRUE(platform::saveText(path, lines.isEmpty() ? QString() : lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

// The file's bytes; none when it cannot be read.
inline QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace tsupport
