#pragma once

#include "batch/undo_line.h"
#include "platform/rename.h"
#include "renamer/core/transforms.h"

#include <QString>
#include <QStringList>

#include <array>

#include <functional>
#include <optional>

namespace renamer {

inline constexpr int kNameTableSize = 20001;

struct RunReport {
    enum class Stop {
        None,               // the whole list was walked
        Busy,               // nothing done: another run or restore holds the folder
        ScriptNotCreated,   // nothing renamed: the undo script could not be made
        ScriptWriteFailed,  // stopped before the renames whose undo lines did not reach the disk
        ScriptReplaced,     // stopped: another run put its own script in place of this one's
    };
    Stop stop = Stop::None;
    int attempts = 0;          // the run counter at the end
    int renamed = 0;           // renames that succeeded
    int alreadyMoved = 0;      // listed again after this run had renamed the file: not a failure
    int notFound = 0;          // no file of the name in the working folder
    int taken = 0;             // the new name was held by another file
    int refused = 0;           // the system refused the rename
    platform::RenameStatus refusedWhy = platform::RenameStatus::Failed;   // the most recent refusal
    int unrepresentable = 0;   // names left alone: the undo script cannot hold them
    int ambiguous = 0;         // names left alone: their undo line could be read as another rename
    int tooShort = 0;          // mode 5: names too short for n
    // Names left alone because no file can have the new name.
    enum Unusable { Empty, Dots, Slash, TooLong, kUnusableKinds };
    std::array<int, kUnusableKinds> unusable{};
    int rolledBack = 0;        // renames taken back after another run replaced the script
    int notRolledBack = 0;     // of those, renames that could not be taken back

    int failed() const { return notFound + taken + refused; }
    int unusableNames() const { return unusable[Empty] + unusable[Dots] + unusable[Slash] + unusable[TooLong]; }
    // Entries that kept their names for a reason the user should hear of.
    int leftAlone() const { return unrepresentable + ambiguous + tooShort + unusableNames(); }
};

class ListedFolder;

struct RunOptions {
    QString scriptName = QString::fromUtf16(batch::kUndoScriptName);
    bool refreshEveryEntry = false;
    // Called with the run counter where the counter display is refreshed.
    std::function<void(int counter)> progress;
    // The working directory as the list was read, when the caller has it:
    // spares the run a second read while nothing in it has changed.
    ListedFolder* listed = nullptr;
};

// The rename run over oldNames (the name table's first entries) in the
// working directory: exclusion, transform, undo lines, no-replace renames,
// counting. Undo lines reach the disk in groups before the group's files
// are renamed; a run that writes no undo line leaves the previous script.
RunReport runRename(const QStringList& oldNames, const Transform& transform, const RunOptions& options);

// Whether the run was stopped or refused, or left names alone that it was
// asked to change, rather than only informing.
bool runWentWrong(const RunReport& report);

// Why no file can have this new name, if none can.
std::optional<RunReport::Unusable> unusable(const QString& newName);

// The last four characters are exactly ".exe", ".bat", ".com" or ".dll";
// or the name is the undo script's, in any letter case.
bool isExcluded(const QString& name);

// Deletes the undo script, unless a run or restore of another window is
// working in the folder right now.
void removeUndoScript(const QString& scriptName = QString::fromUtf16(batch::kUndoScriptName));

} // namespace renamer
