#include "startup/start_values.h"

#include "platform/files.h"
#include "platform/vb_units.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/error_report.h"

double scaleFactor(double twipsPerPixel) { return twipsPerPixel / 15.0; }

void setScaleFromScreen()
{
    S().ScaleX = scaleFactor(vb::twipsPerPixelX());
    S().ScaleY = scaleFactor(vb::twipsPerPixelY());
}

QString runLogPathFor(const QString& appPath, const QDateTime& startTime)
{
    return appPath + QStringLiteral("/ksdata/") + startTime.toString(QStringLiteral("yyyyMMddHHmmss")) + QStringLiteral(".txt");
}

void setStartSessionValues()
{
    auto& s = S();
    s.SetIndex = 0;
    s.DemoRunning = 0;
    s.CandidateName = codes::trimSpaces(s.sysInfo[8]);
}

void recoverInterruptedSaves(const QString& appPath, const QString& dataDir)
{
    const QStringList folders{appPath, dataDir, appPath + QStringLiteral("/ksdata"), appPath + QStringLiteral("/examdata")};
    for (const QString& path : platform::recoverSaves(folders))
        reportFailure(QStringLiteral("startload"), runerr::PathFileAccess, runerr::text(runerr::PathFileAccess) + QStringLiteral(", not put back: ") + path);
}
