#pragma once
// The store of named values that takes the place of the registry: an INI file in the user's
// configuration folder, one group per key path ("Software\mivo" is the group "Software/mivo").
// Values are kept as raw bytes, so a caller decides exactly which bytes are stored.

#include <QByteArray>
#include <QString>
#include <optional>

namespace platform {

class ValueStore {
public:
    // The INI file: <user configuration folder>/talvesk/registry.ini, unless a test has set
    // its own file.
    static QString filePath();
    // Tests point the store at a file of their own; an empty path goes back to the default.
    static void setFilePathOverride(const QString& path);

    // Creates the key and every missing key on its path. False when the file cannot be written
    // or the path names no key.
    static bool createKey(const QString& keyPath);
    static bool keyExists(const QString& keyPath);

    // Writes one value under a key, creating the key path as needed. False when the file cannot
    // be written or the path or name is empty.
    static bool setValue(const QString& keyPath, const QString& name, const QByteArray& data);
    static std::optional<QByteArray> value(const QString& keyPath, const QString& name);
};

} // namespace platform
