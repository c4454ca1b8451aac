#include "platform/entry_names.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

std::optional<QList<QByteArray>> nonFolderEntries()
{
    DIR* dir = ::opendir(".");
    if (!dir)
        return std::nullopt;
    QList<QByteArray> names;
    const int fd = ::dirfd(dir);
    while (const struct dirent* entry = ::readdir(dir)) {
        bool folder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st;
            folder = ::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        }
        if (!folder)
            names.append(QByteArray(entry->d_name));
    }
    ::closedir(dir);
    return names;
}

} // namespace platform
