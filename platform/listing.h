#pragma once

#include "platform/folder_watch.h"
#include "platform/name_order.h"

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// What the folder list and the file list show.
namespace platform {

// The ordinary files of a folder, as bare names, in name order: regular files
// and links to regular files. Hidden files (names starting with ".") and
// anything that is not a regular file are left out. nullopt when the folder
// cannot be read.
std::optional<QStringList> listFiles(const QString& folder);
// The same, read once for a run as well: nonFolder gets every entry that is
// not a folder (hidden ones, links and special files included) as the file
// system spells it (one call at a time, maybe on another thread, all before
// listFiles returns), and watch begins before the read, so that it tells
// later whether those names still hold.
std::optional<QStringList> listFiles(const QString& folder, FolderWatch& watch,
                                     const std::function<void(QByteArrayView name)>& nonFolder);

// The chain of folders from "/" down to folder (both included), as absolute
// paths: "/", "/home", "/home/user".
QStringList folderChain(const QString& folder);

// The folder's subfolders (links to folders included, hidden ones left out),
// as absolute paths in name order. Empty when the folder cannot be read.
QStringList subfolders(const QString& folder);

// Whether folder exists and can be listed.
bool canOpenFolder(const QString& folder);

// The working directory as an absolute, clean path.
QString workingDirectory();


} // namespace platform
