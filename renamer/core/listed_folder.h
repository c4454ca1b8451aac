#pragma once

#include "platform/folder_watch.h"
#include "renamer/core/name_set.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace renamer {

// A folder read once for both the file list and a run in it: while the
// kernel vouches that no name in it changed, the run checks its names
// against this read instead of reading the folder again.
class ListedFolder {
public:
    ListedFolder() = default;
    // Reads folder; one that cannot be read lists nothing.
    explicit ListedFolder(const QString& folder);

    const QStringList& files() const { return files_; }
    // Whether the names in folder (the one read) may differ from this read:
    // the kernel saw a change, or cannot vouch for the folder.
    bool mayHaveChanged(const QString& folder) const { return !watch_.unchangedAt(folder); }

    // Every name in the folder but its subfolders', as read, when folderFd is
    // the folder read and nothing in it has changed since. Given once: the
    // run changes the folder.
    std::optional<NameSet> takeEntries(int folderFd);

private:
    QStringList files_;
    std::optional<NameSet> entries_;
    platform::FolderWatch watch_;
};

} // namespace renamer
