#include "platform/folder_lock.h"

#include "platform/io_calls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

FolderLock::FolderLock()
{
    fd_ = io::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        return;
    // flock locks belong to the open file, so a second window of this very
    // process is refused just like another process.
    if (io::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        state_ = errno == EWOULDBLOCK ? State::Busy : State::Unsupported;
        return;
    }
    state_ = State::Held;
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        io::close(fd_);   // releases the lock
}

} // namespace platform
