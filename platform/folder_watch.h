#pragma once

#include <QString>

#include <sys/types.h>

namespace platform {

// Tells whether a folder's names are still as they were read: the kernel
// reports every name made, removed or moved in it once the watch has begun.
// Only file systems whose every change passes through this kernel are
// vouched for; a network or FUSE volume can change under it unseen.
class FolderWatch {
public:
    // Watches nothing, and so never vouches.
    FolderWatch() = default;
    // Begins watching the open folder; begin before reading it.
    explicit FolderWatch(int folderFd);
    ~FolderWatch();
    FolderWatch(FolderWatch&& other) noexcept;
    FolderWatch& operator=(FolderWatch&& other) noexcept;
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // True only when folderFd is the watched folder and no name in it has
    // been made, removed or moved since the watch began.
    bool unchanged(int folderFd) const;
    // The same for the folder at path, as it leads now.
    bool unchangedAt(const QString& path) const;
    // Whether the watch began: the folder is on a vouched file system.
    bool watching() const { return inotify_ >= 0; }

private:
    int inotify_ = -1;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

} // namespace platform
