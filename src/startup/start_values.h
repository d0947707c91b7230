#pragma once
// The values the splash window's start-up sets that need no window.

#include <QDateTime>
#include <QString>

// A scale factor from twips per pixel: every design figure (twips at 96 dpi) is multiplied by
// it, so that the layout keeps its pixel size (1.0 at 96 dpi, 0.8 at 120 dpi).
double scaleFactor(double twipsPerPixel);

// ScaleX and ScaleY from the twips per pixel of the screen the program runs on.
void setScaleFromScreen();

// This run's log: appPath & "/ksdata/" & the time as yyyyMMddHHmmss & ".txt".
QString runLogPathFor(const QString& appPath, const QDateTime& startTime);

// The session values the splash sets after the configuration load: SetIndex 0, DemoRunning
// off and CandidateName from configuration entry 8.
void setStartSessionValues();

// The saves a former run left cut off (a kill, a power cut): every group of record files it was
// changing is put back as it was before, and the temporaries of its saves and downloads are
// removed, in the installation folder and the folders it saves into (the data folder `dataDir`,
// the record and picture folders). A file that cannot be put back is reported.
void recoverInterruptedSaves(const QString& appPath, const QString& dataDir);
