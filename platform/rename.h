#pragma once

#include <QString>

// Renaming that never replaces an existing file.
namespace platform {

enum class RenameStatus {
    Renamed,
    TargetExists,   // a file (or folder) of the new name is there already
    SourceMissing,  // no file of the old name
    Refused,        // the name is not a bare file name, or the system said no
};

// Renames from to to, both bare names or paths relative to the working
// directory (or absolute). A name holding "/" where a bare name is wanted is
// the caller's business: see renameBareNoReplace.
RenameStatus renameNoReplace(const QString& from, const QString& to);

// Both names must be bare file names (no "/", not empty, not "." or "..");
// they are resolved in the working directory.
RenameStatus renameBareNoReplace(const QString& from, const QString& to);

bool isBareFileName(const QString& name);

// Whether the working directory (or the path) holds an entry of that name; a
// dangling link counts, since a rename can move it.
bool entryExists(const QString& name);

// Like entryExists, but a folder does not count: the renamer renames files.
bool fileEntryExists(const QString& name);

} // namespace platform
