#include "platform/instance_lock.h"

#include <QDir>
#include <QLockFile>

namespace platform {

InstanceLock::InstanceLock(const QString& folder)
    : path_(QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath(QStringLiteral("talvesk.lock")))
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
