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
        bool folder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN) {
            struct stat st;
            folder = ::fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
        }
        if (!folder)
            visit(QByteArrayView(entry->d_name));
    }
    ::closedir(dir);
    return true;
}

} // namespace platform
