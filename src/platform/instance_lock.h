#pragma once
// One running program for each installation, whoever runs it: a lock on the installation's folder,
// held for the whole run. The system drops it when the process ends in any way (a crash, a power
// cut, a kill), so a lock is never left behind to refuse anyone.

#include <QString>

namespace platform {

class InstanceLock {
public:
    enum class Result {
        Acquired,      // this is the only running program on the folder; held until destruction
        HeldByAnother, // another running program holds the lock
        Unavailable,   // the folder cannot be locked (no program can be told apart)
    };

    // The lock of `folder` (the installation folder). It needs no write access: a read-only
    // installation is locked alike.
    explicit InstanceLock(const QString& folder);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Takes the lock without waiting; Acquired again when it is already ours.
    Result acquire();
    bool isLocked() const { return fd_ >= 0; }
    QString folder() const { return folder_; }

private:
    QString folder_;
    int fd_ = -1;
};

} // namespace platform
