#pragma once

#include "setup/core/date_entry.h"

#include <QString>

// Installing the program: the memorial data file, and the program file made
// from the shipped image by the generated copy script.
namespace setup {

enum class InstallStatus {
    Ok,
    ImageMissing,        // the shipped image cannot be read
    NotRepresentable,    // the name or a date holds a character code page 932 lacks
    NoSystemFolder,      // the system folder is missing and cannot be made
    WriteFailed,         // a file could not be written (file says which)
    CopyFailed,          // the program file is not the image + CR LF afterwards
};

struct InstallResult {
    InstallStatus status = InstallStatus::Ok;
    QString file;   // the file the failure is about
    bool ok() const { return status == InstallStatus::Ok; }
};

// programName + ".$_$" / ".exe", relative to the working directory.
QString imageName(const QString& programName);
QString programFileName(const QString& programName);

// The scratch files of an installation, in the system folder.
QString nullFilePath();
QString copyScriptPath();

// Writes the scratch files and the memorial data file, runs the copy script
// in the working directory and checks its result. entry holds the padded
// boxes. Nothing is written when the image is missing or the entry cannot be
// written; on any failure the image stays.
InstallResult install(const QString& programName, const DateEntry& entry);

// After a successful installation: removes the two scratch files and the
// image, each on its own, ignoring failures.
void closeInstallation(const QString& programName);

} // namespace setup
