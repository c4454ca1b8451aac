#include "platform/entry_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

bool forEachNonFolderEntry(const std::function<void(QByteArrayView name)>& visit)
{
    DIR* dir = ::opendir(".");
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    while (const struct dirent* entry = ::readdir(dir)) {
        if (isNonFolderEntry(fd, entry))
            visit(QByteArrayView(entry->d_name));
    }
    ::closedir(dir);
    return true;
}

bool isNonFolderEntry(int dirFd, const struct dirent* entry)
{
    if (entry->d_type != DT_UNKNOWN)
        return entry->d_type != DT_DIR;
    struct stat st;
    return !(::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode));
}

} // namespace platform
