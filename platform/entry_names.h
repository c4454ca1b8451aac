#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace platform {

// The names (as the file system spells them) of every entry of the working
// directory that is not a folder: hidden ones, links and special files
// included. One read of the folder, for a run that would otherwise ask for
// each of thousands of names on its own. nullopt when it cannot be read.
std::optional<QList<QByteArray>> nonFolderEntries();

} // namespace platform
