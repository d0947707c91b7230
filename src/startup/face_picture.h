#pragma once
// The installation's window and button faces: "l" and five digits, or "9l" and four characters,
// ordinary picture files in the data folder with the extension ".mxy".

#include <QString>

// DataDir & name & ".mxy".
QString facePath(const QString& name);
