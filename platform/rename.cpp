#include "platform/rename.h"

#include "platform/io_calls.h"
#include "platform/io_trace.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

RenameStatus statusFromErrno(int error, const char* from)
{
    switch (error) {
    case EEXIST:
    case ENOTEMPTY:
        return RenameStatus::TargetExists;
    case ENOENT: {
        struct stat st;
        return ::lstat(from, &st) != 0 ? RenameStatus::SourceMissing : RenameStatus::NameRefused;
    }
    case EACCES:
    case EPERM:
        return RenameStatus::NotPermitted;
    case EROFS:
        return RenameStatus::ReadOnly;
    case EINVAL:
    case ENAMETOOLONG:
    case EILSEQ:
    case EISDIR:
    case ENOTDIR:
        return RenameStatus::NameRefused;
    default:
        return RenameStatus::Failed;
    }
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// On a case-blind volume a new spelling of the name finds the file itself.
// Some volumes give one file other inode numbers under other spellings, so
// the folder is asked whether an entry of exactly that spelling is there.
bool sameButForCase(const QByteArray& from, const QByteArray& to)
{
    return QString::fromUtf8(from).compare(QString::fromUtf8(to), Qt::CaseInsensitive) == 0;
}

bool onlyAnotherSpelling(const QByteArray& from, const QByteArray& to)
{
    if (!sameButForCase(from, to))
        return false;
    const qsizetype slash = to.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : to.left(slash + 1);
    const QByteArray name = to.mid(slash + 1);
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return false;
    bool spelled = false;
    while (const dirent* entry = ::readdir(dir))
        spelled = spelled || name == entry->d_name;
    ::closedir(dir);
    return !spelled;
}

// Neither the flag nor hard links: look first, then rename. Only a target
// that is the source itself under another spelling (a case-only rename on a
// case-blind volume) may be there; another hard link of it may not, since
// rename(2) would then do nothing and answer success. The gap between look
// and rename is the price of such volumes.
RenameStatus checkedRename(const char* from, const char* to, const struct stat& source)
{
    struct stat target;
    if (::lstat(to, &target) == 0
        && !((sameFile(source, target) && sameButForCase(from, to)) || onlyAnotherSpelling(from, to)))
        return RenameStatus::TargetExists;
    if (io::rename(from, to) != 0)
        return statusFromErrno(errno, from);
    return RenameStatus::Renamed;
}

bool linkUnsupported(int error)
{
    return error == EPERM || error == EOPNOTSUPP || error == ENOSYS || error == EXDEV;
}

RenameStatus fallbackRename(const char* from, const char* to)
{
    struct stat source;
    if (::lstat(from, &source) != 0)
        return RenameStatus::SourceMissing;
    if (S_ISDIR(source.st_mode))
        return RenameStatus::NameRefused;
    if (io::link(from, to) == 0) {
        if (io::unlink(from) != 0) {
            const int error = errno;
            if (io::unlink(to) != 0)
                return RenameStatus::BothNames;
            return statusFromErrno(error, from);
        }
        return RenameStatus::Renamed;
    }
    const int error = errno;
    struct stat target;
    // The case-blind volume calls the new spelling taken by the file itself.
    const bool itself = error == EEXIST && ::lstat(to, &target) == 0 && sameFile(source, target);
    if (itself || linkUnsupported(error))
        return checkedRename(from, to, source);
    return statusFromErrno(error, from);
}

} // namespace

RenameStatus renameNoReplace(const QString& from, const QString& to)
{
    return renameNoReplace(QFile::encodeName(from), QFile::encodeName(to));
}

RenameStatus renameNoReplace(const QByteArray& from, const QByteArray& to)
{
    if (from.isEmpty() || to.isEmpty())
        return from.isEmpty() ? RenameStatus::SourceMissing : RenameStatus::NameRefused;
    RenameStatus status = RenameStatus::Renamed;
    if (io::renameNoReplace(from.constData(), to.constData()) != 0) {
        const int error = errno;
        if (error == EINVAL || error == ENOSYS) {
            status = fallbackRename(from.constData(), to.constData());
        } else if (error == EEXIST && onlyAnotherSpelling(from, to)) {
            // A case-blind volume: the "existing" target is the file itself.
            struct stat source;
            status = ::lstat(from.constData(), &source) == 0 ? checkedRename(from.constData(), to.constData(), source)
                                                             : RenameStatus::SourceMissing;
        } else {
            status = statusFromErrno(error, from.constData());
        }
    }
    if (status == RenameStatus::Renamed && recordingIo())
        recordIo(IoEvent::Rename, QFile::decodeName(to), 0);
    return status;
}

bool dropSecondName(const QByteArray& from, const QByteArray& to)
{
    struct stat a, b;
    if (::lstat(from.constData(), &a) != 0 || ::lstat(to.constData(), &b) != 0)
        return false;
    // One link each would be one entry seen under two spellings.
    if (!sameFile(a, b) || !S_ISREG(a.st_mode) || a.st_nlink < 2 || sameButForCase(from, to))
        return false;
    return io::unlink(from.constData()) == 0;
}

bool nameFreeFor(const QByteArray& from, const QByteArray& to)
{
    struct stat a, b;
    if (::lstat(to.constData(), &b) != 0)
        return errno == ENOENT;
    // A case-only rename on a case-blind volume finds the file itself there.
    if (!sameButForCase(from, to))
        return false;
    return (::lstat(from.constData(), &a) == 0 && sameFile(a, b)) || onlyAnotherSpelling(from, to);
}

bool isBareFileName(const QString& name)
{
    // One pass, no lengths of literals measured: the restore asks this of
    // every name of its script.
    const bool dots = name == QLatin1StringView(".") || name == QLatin1StringView("..");
    return !name.isEmpty() && !dots
        && std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c == u'/' || c.isNull(); });
}

bool entryExists(const QString& name)
{
    const QByteArray path = QFile::encodeName(name);
    struct stat st;
    return !path.isEmpty() && ::lstat(path.constData(), &st) == 0;
}

bool fileEntryExists(const QString& name)
{
    const QByteArray path = QFile::encodeName(name);
    struct stat st;
    return !path.isEmpty() && ::lstat(path.constData(), &st) == 0 && !S_ISDIR(st.st_mode);
}


} // namespace platform
