#include "platform/durable_file.h"

#include "platform/io_calls.h"
#include "platform/io_trace.h"
#include "platform/temp_file.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// A file system that cannot sync at all still keeps the order of a process
// that was killed; there is nothing more to be had there.
bool syncedOrUnsupported(int result)
{
    return result == 0 || errno == EINVAL || errno == ENOSYS;
}

} // namespace

DurableFile::~DurableFile()
{
    close();
}

DurableFile::OpenStatus DurableFile::open(const QString& name, int folderFd)
{
    close();
    const QByteArray path = QFile::encodeName(name);
    struct stat st;
    if (::lstat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        return OpenStatus::InTheWay;
    name_ = name;
    QByteArray temp;
    const int fd = create(temp);
    if (fd < 0)
        return OpenStatus::CannotCreate;
    tempPath_ = temp;
    fd_ = fd;
    folderFd_ = folderFd;
    size_ = 0;
    placed_ = false;
    lost_ = false;
    return OpenStatus::Ok;
}

int DurableFile::create(QByteArray& tempPath) const
{
    // A file without a name until it is put in place, so a killed run leaves
    // nothing behind; where the volume has no such files, a hidden name.
    // Naming it later goes through /proc, which a bare container may lack.
    static const bool canName = ::access("/proc/self/fd", F_OK) == 0;
    tempPath.clear();
    const int fd = canName ? io::open(".", O_TMPFILE | O_RDWR | O_CLOEXEC, 0666) : -1;
    return fd >= 0 ? fd : createBeside(QFile::encodeName(name_), tempPath);
}

qsizetype DurableFile::append(const QByteArray& lines)
{
    if (fd_ < 0)
        return 0;
    qsizetype done = qsizetype(io::writeAll(fd_, lines.constData(), size_t(lines.size())));
    if (done < lines.size()) {
        // A cut line could read as another rename: keep whole lines only,
        // and never more than got in (a file made longer holds no lines, only
        // a hole that needs no space on a full volume).
        const qsizetype kept = done > 0 ? lines.lastIndexOf('\n', done - 1) + 1 : 0;
        if (kept < done
            && (io::ftruncate(fd_, off_t(size_ + kept)) != 0 || ::lseek(fd_, off_t(size_ + kept), SEEK_SET) < 0)) {
            // The file now ends in a cut line: no sync may vouch for it.
            broken();
            return 0;
        }
        done = kept;
    }
    size_ += done;
    if (done > 0)
        recordIo(IoEvent::Write, name_, size_);
    return done;
}

bool DurableFile::sync()
{
    if (fd_ < 0)
        return false;
    // After a failed sync the kernel may have dropped the pages it could not
    // write, and a second sync would vouch for nothing: the file is done for.
    if (!syncedOrUnsupported(io::fdatasync(fd_)))
        return broken(), false;
    if (!placed_) {
        if (!putInPlace())
            return false;
    } else if (!stillInPlace()) {
        // Another run, through another path to this folder, put its script
        // here: what follows would have its lines in a file nobody reads.
        lost_ = true;
        return false;
    }
    recordIo(IoEvent::Sync, name_, size_);
    return true;
}

bool DurableFile::putInPlace()
{
    if (tempPath_.isEmpty() && !giveName())
        return false;
    struct stat st;
    if (::fstat(fd_, &st) != 0)
        return false;
    // rename(2) replaces whatever holds the name, a link included, without
    // writing through it.
    if (io::rename(tempPath_.constData(), QFile::encodeName(name_).constData()) != 0)
        return false;
    placed_ = true;
    device_ = st.st_dev;
    inode_ = st.st_ino;
    if (folderFd_ >= 0 && !syncedOrUnsupported(io::fsync(folderFd_)))
        return broken(), false;
    return true;
}

bool DurableFile::stillInPlace() const
{
    struct stat st;
    return ::lstat(QFile::encodeName(name_).constData(), &st) == 0 && st.st_dev == device_ && st.st_ino == inode_;
}

bool DurableFile::checkInPlace()
{
    lost_ = lost_ || (placed_ && !stillInPlace());
    return !lost_;
}

bool DurableFile::dropRanges(const std::vector<std::pair<qint64, qint64>>& ranges)
{
    if (fd_ < 0 || !placed_)
        return false;
    if (!stillInPlace()) {
        lost_ = true;   // never put this file over another run's
        return false;
    }
    QByteArray kept(qsizetype(size_), Qt::Uninitialized);
    for (qsizetype done = 0; done < kept.size();) {
        const ssize_t n = io::pread(fd_, kept.data() + done, size_t(kept.size() - done), off_t(done));
        if (n <= 0)
            return broken(), false;
        done += n;
    }
    for (auto range = ranges.rbegin(); range != ranges.rend(); ++range)
        kept.remove(qsizetype(range->first), qsizetype(range->second - range->first));
    QByteArray temp;
    const int fd = create(temp);
    if (fd < 0)
        return broken(), false;
    const bool written = io::writeAll(fd, kept.constData(), size_t(kept.size())) == size_t(kept.size())
        && syncedOrUnsupported(io::fdatasync(fd));
    // From here on the new file is this one; until it is in place, the old
    // one stays under the name.
    io::close(fd_);
    fd_ = fd;
    tempPath_ = temp;
    placed_ = false;
    size_ = kept.size();
    if (!written || !putInPlace())
        return broken(), false;
    recordIo(IoEvent::Sync, name_, size_);
    return true;
}

void DurableFile::broken()
{
    io::close(fd_);
    fd_ = -1;
}

bool DurableFile::giveName()
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd_);
    for (int tries = 0; tries < 100; ++tries) {
        const QByteArray temp = nameBeside(QFile::encodeName(name_));
        if (io::linkat(AT_FDCWD, self.constData(), AT_FDCWD, temp.constData(), AT_SYMLINK_FOLLOW) == 0) {
            tempPath_ = temp;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

void DurableFile::close()
{
    if (fd_ >= 0)
        io::close(fd_);
    if (!placed_ && !tempPath_.isEmpty())
        io::unlink(tempPath_.constData());
    fd_ = -1;
    tempPath_.clear();
    placed_ = false;
}

} // namespace platform
