#pragma once
// The installation's window and button faces: "l" and five digits, or "9l" and four characters,
// ordinary picture files in the data folder with the extension ".mxy".

#include <QPixmap>
#include <QString>
#include <optional>

// DataDir & name & ".mxy".
QString facePath(const QString& name);

// The face `name` loaded; a missing or broken one is reported under `tag` and left out.
std::optional<QPixmap> reportedFace(const QString& name, const QString& tag);
