#include "renamer/core/listed_folder.h"

#include "platform/listing.h"

#include <utility>

namespace renamer {

ListedFolder::ListedFolder(const QString& folder)
{
    NameSet entries;
    auto files = platform::listFiles(folder, watch_, [&](QByteArrayView name) {
        if (watch_.watching())   // otherwise no run could trust them
            entries.insert(name, NameSet::hashOf(name));
    });
    if (!files)
        return;
    files_ = std::move(*files);
    if (watch_.watching())
        entries_ = std::move(entries);
}

std::optional<NameSet> ListedFolder::takeEntries(int folderFd)
{
    std::optional<NameSet> taken = std::exchange(entries_, std::nullopt);
    if (taken && !watch_.unchanged(folderFd))
        taken.reset();
    watch_ = platform::FolderWatch();
    return taken;
}

} // namespace renamer
