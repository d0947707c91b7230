#pragma once
// The configuration load of the start-up: the 41-entry configuration table (sysInfo) from its
// built-in values, the installation's "ver.txt" and the data folder's "288901.mxy", the module
// values taken from it, and the first-run values.

#include <QString>
#include <QStringView>
#include <optional>

// Fills, in the session block: sysInfo, ModuleName, ModuleTitle, ModuleNo, DataDir (from AppPath),
// the unit titles (UnitTable column 0, units 0 to 20) and ApplicationTitle; on a module's first
// run writes "ProPath"/"ProName" values under "Software\" & entry 15 and marks the run done.
// Failures are reported with the tag "readInfo" and the load goes on.
void readInfo();

// The numeric value of a configuration text, rounded to the nearest integer with halves to
// even ("7.5" -> 8, "6.5" -> 6); leading spaces skipped, a text that is no number reads 0.
// Nothing when the value does not fit in 16 bits.
std::optional<int> moduleNumberOf(QStringView text);
