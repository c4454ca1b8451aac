#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the folder list and the file list show.
namespace platform {

// The ordinary files of a folder, as bare names, in name order: regular files
// and links to regular files. Hidden files (names starting with ".") and
// anything that is not a regular file are left out. nullopt when the folder
// cannot be read.
std::optional<QStringList> listFiles(const QString& folder);

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

// Name order: case-blind by code point, ties broken case-sensitively.
bool nameLess(const QString& a, const QString& b);
void sortNames(QStringList& names);

} // namespace platform
