#include "platform/rename.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {
namespace {

int renameat2NoReplace(const char* from, const char* to)
{
#ifdef SYS_renameat2
    return int(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#else
    errno = ENOSYS;
    return -1;
#endif
}

RenameStatus statusFromErrno(int error, const char* from)
{
    if (error == EEXIST || error == ENOTEMPTY)
        return RenameStatus::TargetExists;
    if (error == ENOENT) {
        struct stat st;
        if (::lstat(from, &st) != 0)
            return RenameStatus::SourceMissing;
    }
    return RenameStatus::Refused;
}

} // namespace

RenameStatus renameNoReplace(const QString& fromName, const QString& toName)
{
    const QByteArray from = QFile::encodeName(fromName);
    const QByteArray to = QFile::encodeName(toName);
    if (from.isEmpty() || to.isEmpty())
        return from.isEmpty() ? RenameStatus::SourceMissing : RenameStatus::Refused;
    if (renameat2NoReplace(from.constData(), to.constData()) == 0)
        return RenameStatus::Renamed;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS)
        return statusFromErrno(error, from.constData());

    // The file system does not know the flag: link() fails when the target
    // exists, which gives the same guarantee. A name that differs only in
    // letter case on a case-blind file system ends up here as "exists".
    struct stat st;
    if (::lstat(from.constData(), &st) != 0)
        return RenameStatus::SourceMissing;
    if (S_ISDIR(st.st_mode))
        return RenameStatus::Refused;
    if (::link(from.constData(), to.constData()) != 0)
        return statusFromErrno(errno, from.constData());
    if (::unlink(from.constData()) != 0) {
        ::unlink(to.constData());
        return RenameStatus::Refused;
    }
    return RenameStatus::Renamed;
}

bool isBareFileName(const QString& name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0));
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

RenameStatus renameBareNoReplace(const QString& from, const QString& to)
{
    if (!isBareFileName(from))
        return from.isEmpty() ? RenameStatus::SourceMissing : RenameStatus::Refused;
    if (!isBareFileName(to))
        return RenameStatus::Refused;
    return renameNoReplace(from, to);
}

} // namespace platform
