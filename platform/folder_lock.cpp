#include "platform/folder_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

FolderLock::FolderLock()
{
    fd_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    // flock locks belong to the open file, so a second window of this very
    // process is refused just like another process.
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        state_ = errno == EWOULDBLOCK ? State::Busy : State::Unsupported;
        return;
    }
    state_ = State::Held;
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);   // releases the lock
}

} // namespace platform
