#include "platform/instance_lock.h"

#include <QDir>
#include <QLockFile>

#include <unistd.h>

namespace platform {

InstanceLock::InstanceLock(const QString& folder)
    // One instance for each user: the temporary folder is shared, and another user's lock,
    // running or left behind (which this user may not remove), must not refuse this one.
    : path_(QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath(QStringLiteral("talvesk-%1.lock").arg(::getuid())))
    , lock_(std::make_unique<QLockFile>(path_))
{
    // The lock is held for the whole run, so its age says nothing: only a lock whose process
    // is gone is stale (QLockFile checks the process id written in the file).
    lock_->setStaleLockTime(0);
}

InstanceLock::~InstanceLock() = default;

InstanceLock::Result InstanceLock::acquire()
{
    if (lock_->isLocked() || lock_->tryLock(0))
        return Result::Acquired;
    return lock_->error() == QLockFile::LockFailedError ? Result::HeldByAnother : Result::Unavailable;
}

bool InstanceLock::isLocked() const { return lock_->isLocked(); }

} // namespace platform
