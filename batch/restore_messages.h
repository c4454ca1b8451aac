#pragma once

#include "batch/undo_script.h"
#include "platform/rename.h"

#include <QString>

// The words of a restore, shared by the window and the undo program.
namespace batch {

// What to tell the user about a restore of the script named scriptName: one
// or more short lines.
QString restoreMessage(const RestoreReport& report, const QString& scriptName);

// A run or restore of another window holds the working folder.
QString busyFolderMessage();

// Why the system refused a rename, in a few words ("書き込みの権限がありません").
QString refusalWords(platform::RenameStatus status);

} // namespace batch
