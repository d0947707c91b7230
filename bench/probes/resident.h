#pragma once
// The probes' own resident memory, as the kernel counts it (VmRSS), in KiB; -1 when unknown.
#include <QFile>

namespace probes {

inline long residentKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    // A file of the kernel's shows no size: read until it ends.
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace probes
