#pragma once
// The sample installation that the build writes next to the executable, copied into a
// temporary folder so that a test may play it without touching the build's own copy.

#include "support/events.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>

#ifndef TALVESK_SAMPLE_DIR
#error "the sample tests need the folder of the sample installation"
#endif

namespace tsample {

inline QString sampleDir() { return QStringLiteral(TALVESK_SAMPLE_DIR); }

// Copies the parts of the installation that the simulated window reads: the data and chrome
// folders, the context-menu file and the cursor files.
inline bool copyInstallation(const tsupport::TempInstall& inst)
{
    const QDir from(sampleDir());
    for (const QString& folder : {QStringLiteral("data"), QStringLiteral("examdata")}) {
        inst.mkdir(folder);
        QDirIterator it(from.filePath(folder), QDir::Files);
        while (it.hasNext()) {
            it.next();
            if (!QFile::copy(it.filePath(), inst.path(folder + u'/' + it.fileName())))
                return false;
        }
    }
    for (const QFileInfo& f : from.entryInfoList({QStringLiteral("sMenu.sys"), QStringLiteral("*.CUR")}, QDir::Files))
        if (!QFile::copy(f.filePath(), inst.path(f.fileName())))
            return false;
    return true;
}

} // namespace tsample
