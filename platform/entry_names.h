#pragma once

#include <QByteArrayView>

#include <functional>

struct dirent;

namespace platform {

// Gives visit the name (as the file system spells it) of every entry of the
// working directory that is not a folder: hidden ones, links and special
// files included. One read of the folder, for a run that would otherwise ask
// for each of thousands of names on its own. False when it cannot be read.
bool forEachNonFolderEntry(const std::function<void(QByteArrayView name)>& visit);

// Whether an entry read from the folder at dirFd is not a folder; a link is
// not followed.
bool isNonFolderEntry(int dirFd, const struct dirent* entry);

} // namespace platform
