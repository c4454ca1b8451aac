#pragma once

#include <QString>
#include <QStringList>

// Removing an installation: the program file, the archive and read-me next
// to setup, and the memorial data file.
namespace setup {

struct UninstallResult {
    QStringList notDeleted;   // files that exist but could not be deleted
    bool ok() const { return notDeleted.isEmpty(); }
};

// Each file is tried on its own; a file that is not there is not a failure.
UninstallResult uninstall(const QString& programName);

} // namespace setup
