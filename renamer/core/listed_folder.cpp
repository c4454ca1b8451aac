#include "renamer/core/listed_folder.h"

#include "platform/listing.h"

#include <utility>

namespace renamer {
namespace {
constexpr qsizetype kMostEntries = 32 * 1024;
}

ListedFolder::ListedFolder(const QString& folder)
{
    NameSet entries;
    bool kept = true;
    auto files = platform::listFiles(folder, watch_, [&](QByteArrayView name) {
        // Unwatched, no run could trust them; a folder far beyond the work
        // list is read again by its run rather than held in memory.
        kept = kept && watch_.watching() && entries.size() < kMostEntries;
        if (kept)
            entries.insert(name, NameSet::hashOf(name));
    });
    if (!files)
        return;
    files_ = std::move(*files);
    // The watch stays either way: it tells the file list when to read again.
    if (kept && watch_.watching())
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
