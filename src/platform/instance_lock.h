#pragma once
// One running instance of the program for each user: a lock file held for the whole run. A lock
// left behind by a process that has died is recognised as stale and taken over.

#include <QString>
#include <memory>

class QLockFile;

namespace platform {

class InstanceLock {
public:
    enum class Result {
        Acquired,      // this is the only running instance; the lock is held until destruction
        HeldByAnother, // another running instance holds the lock
        Unavailable,   // the lock file cannot be written (no instance can be told apart)
    };

    // The lock file "talvesk-<user id>.lock" in `folder` (the system's temporary folder when
    // empty; a test passes a folder of its own).
    explicit InstanceLock(const QString& folder = {});
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock without waiting; Acquired again when it is already ours.
    Result acquire();
    bool isLocked() const;
    QString filePath() const { return path_; }

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace platform
