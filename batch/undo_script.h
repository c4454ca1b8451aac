#pragma once

#include <QByteArray>
#include <QString>

#include "batch/undo_line.h"
#include "platform/rename.h"

#include <vector>

// The undo script as the restore reads and carries it out. It runs only what
// a rename run writes: "ren    NEW    OLD" lines of bare names, each ended by
// CR LF. A script holding anything else is not run at all.
namespace batch {

// The largest script a run writes: a line for every slot of the name table,
// two names of 255 bytes each.
inline constexpr int kMaxUndoLines = 20001;
inline constexpr qint64 kMaxUndoScriptBytes = kMaxUndoLines * (7LL + 255 + 4 + 255 + 2);

struct ParsedScript {
    enum class Status {
        Ok,
        Foreign,        // a line no run writes
        Damaged,        // zero bytes inside, or nothing but a cut line
        TooManyLines,   // more lines than a run writes
    };
    Status status = Status::Ok;
    int foreignLine = 0;   // 1-based number of the first line no run writes
    QString text;   // the whole lines decoded; the readings' names point into it
    std::vector<std::vector<Reading>> readings;   // each whole line's readings of bare names, in file order
    bool cutShort = false; // a last line without CR LF, or zero bytes at the end: a run cut short
};

ParsedScript parseUndoScript(const QByteArray& bytes);

struct RestoreReport {
    enum class Status {
        Ran,
        Missing,      // no script
        Unreadable,   // not a regular file (a link, FIFO, folder), or a read error
        TooLarge,     // larger than any run writes
        Foreign,      // a line no run writes: nothing was run
        Damaged,      // zero bytes inside, or nothing but a cut line: nothing was run
        Busy,         // a run or restore of another window holds the folder
    };
    Status status = Status::Ran;
    int foreignLine = 0;
    int lines = 0;          // whole lines in the script
    int restored = 0;       // names that came back
    int unchanged = 0;      // lines for names the run left as they were
    int alreadyBack = 0;    // the file already has its old name
    int taken = 0;          // the old name is held by another file
    int missing = 0;        // no file of the new name
    int ambiguous = 0;      // the line reads as more than one rename possible now
    int refused = 0;        // the system refused the rename
    platform::RenameStatus refusedWhy = platform::RenameStatus::Failed;   // the most recent refusal
    bool cutShort = false;  // the last line was cut short and skipped

    int failures() const { return taken + missing + ambiguous + refused; }
};

// Carries out the script at path (a leading "c:\windows\" stands for the
// system folder) in the working directory: its lines from the last to the
// first, which undoes a run exactly. An existing file is never replaced, and
// the folder is locked against other runs and restores meanwhile.
RestoreReport runUndoScript(const QString& path);

// Whether the restore's message tells of something that went wrong. No
// script at all is news, not a fault.
inline bool restoreWentWrong(const RestoreReport& report)
{
    return (report.status != RestoreReport::Status::Ran && report.status != RestoreReport::Status::Missing)
        || report.failures() > 0 || report.cutShort;
}

} // namespace batch
