#pragma once

#include <QString>

// Renaming that never replaces an existing file.
namespace platform {

enum class RenameStatus {
    Renamed,
    TargetExists,    // a file (or folder) of the new name is there already
    SourceMissing,   // no file of the old name
    NameRefused,     // not a bare file name, or the file system takes no such name
    NotPermitted,    // no write permission in the folder, or the file is protected
    ReadOnly,        // the volume is read-only
    Failed,          // any other error of the system
    BothNames,       // linked under the new name, but the old one could not be removed
};

// Renames from to to, both bare names or paths relative to the working
// directory (or absolute). Where the file system knows no no-replace
// rename, a hard link stands in; where it knows neither, a rename checked
// against an existing target (a case-only rename of the file itself passes).
RenameStatus renameNoReplace(const QString& from, const QString& to);

// The same, with names as the file system spells them (the caller has
// encoded them once already).
RenameStatus renameNoReplace(const QByteArray& from, const QByteArray& to);

// A rename through a hard link that was cut off between its link and its
// unlink leaves the file under both names. Where to is that very file (not
// just another spelling of from on a case-blind volume), removes the name
// from; whether it did.
bool dropSecondName(const QByteArray& from, const QByteArray& to);

bool isBareFileName(const QString& name);

// Whether a rename of from could take the name to now: nothing is there, or
// only from itself under another spelling (a case-blind volume). Names as
// the file system spells them.
bool nameFreeFor(const QByteArray& from, const QByteArray& to);

// Whether the working directory (or the path) holds an entry of that name; a
// dangling link counts, since a rename can move it.
bool entryExists(const QString& name);

// Like entryExists, but a folder does not count: the renamer renames files.
bool fileEntryExists(const QString& name);

} // namespace platform
