#include "platform/instance_lock.h"

#include "platform/files.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

InstanceLock::InstanceLock(const QString& folder) : folder_(folder) {}

InstanceLock::~InstanceLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

InstanceLock::Result InstanceLock::acquire()
{
    if (fd_ >= 0)
        return Result::Acquired;
    if (folder_.isEmpty() || pathHoldsNul(folder_))
        return Result::Unavailable;
    // The folder itself is locked: every user who can start the program can open it, and no file
    // is left in it. A program started from this one (the external updater) does not inherit it.
    const int fd = ::open(QFile::encodeName(folder_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Result::Unavailable;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Result::HeldByAnother : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

} // namespace platform
