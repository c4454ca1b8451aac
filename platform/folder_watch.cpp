#include "platform/folder_watch.h"

#include <QByteArray>
#include <QFile>

#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>
#include <utility>

namespace platform {
namespace {

// Local file systems: nothing reaches them but through this kernel.
bool changesOnlyHere(int fd)
{
    struct statfs fs;
    if (::fstatfs(fd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0xEF53UL:       // ext2, ext3, ext4
    case 0x58465342UL:   // xfs
    case 0x9123683EUL:   // btrfs
    case 0x01021994UL:   // tmpfs
    case 0xF2F52010UL:   // f2fs
    case 0x4D44UL:       // vfat
    case 0x2011BAB0UL:   // exfat
    case 0x7366746EUL:   // ntfs3
        return true;
    default:
        return false;
    }
}

} // namespace

FolderWatch::FolderWatch(int folderFd)
{
    struct stat st;
    if (folderFd < 0 || ::fstat(folderFd, &st) != 0 || !S_ISDIR(st.st_mode) || !changesOnlyHere(folderFd))
        return;
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return;
    // Through the open folder, not its path: the path may lead elsewhere by now.
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(folderFd);
    // One event is all it takes; once it came, the watch is gone and later
    // changes cost the kernel nothing (a restore renames thousands).
    constexpr uint32_t kNames = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF
        | IN_ONLYDIR | IN_ONESHOT;
    if (::inotify_add_watch(fd, self.constData(), kNames) < 0) {
        ::close(fd);
        return;
    }
    inotify_ = fd;
    device_ = st.st_dev;
    inode_ = st.st_ino;
}

FolderWatch::~FolderWatch()
{
    if (inotify_ >= 0)
        ::close(inotify_);
}

FolderWatch::FolderWatch(FolderWatch&& other) noexcept
    : inotify_(std::exchange(other.inotify_, -1)), device_(other.device_), inode_(other.inode_)
{
}

FolderWatch& FolderWatch::operator=(FolderWatch&& other) noexcept
{
    if (this != &other) {
        if (inotify_ >= 0)
            ::close(inotify_);
        inotify_ = std::exchange(other.inotify_, -1);
        device_ = other.device_;
        inode_ = other.inode_;
    }
    return *this;
}

bool FolderWatch::unchanged(int folderFd) const
{
    struct stat st;
    if (inotify_ < 0 || folderFd < 0 || ::fstat(folderFd, &st) != 0 || st.st_dev != device_ || st.st_ino != inode_)
        return false;
    // Any event at all, an overflow of the queue included, means a change.
    int pending = 0;
    return ::ioctl(inotify_, FIONREAD, &pending) == 0 && pending == 0;
}

bool FolderWatch::unchangedAt(const QString& path) const
{
    if (inotify_ < 0)
        return false;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool same = unchanged(fd);
    ::close(fd);
    return same;
}

} // namespace platform
