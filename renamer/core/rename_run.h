#pragma once

#include "renamer/core/transforms.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace renamer {

inline constexpr int kNameTableSize = 20001;

struct RunReport {
    enum class Stop {
        None,               // the whole list was walked
        ScriptNotCreated,   // nothing renamed: the undo script could not be made
        ScriptWriteFailed,  // stopped before the rename whose undo line failed
    };
    Stop stop = Stop::None;
    int attempts = 0;          // the run counter at the end
    int renamed = 0;           // renames that succeeded
    int failed = 0;            // renames that were attempted and failed
    int unrepresentable = 0;   // names left alone: the undo script cannot hold them
    int ambiguous = 0;         // names left alone: their undo line could be read as another rename
    int tooShort = 0;          // mode 5: names too short for n
    bool scriptNotClosed = false;  // every line was written, but the final sync failed
};

struct RunOptions {
    QString scriptName = QStringLiteral("modosu.bat");
    bool refreshEveryEntry = false;
    // Called with the run counter where the counter display is refreshed.
    std::function<void(int counter)> progress;
};

// The rename run over oldNames (the name table's first entries): exclusion,
// transform, undo line (on the disk before the rename), no-replace rename,
// counting. Works in the working directory.
RunReport runRename(const QStringList& oldNames, const Transform& transform, const RunOptions& options);

// The short Japanese message the window shows after a run, or an empty text
// when there is nothing to tell beyond the count.
QString reportMessage(const RunReport& report);

// The last four characters are exactly ".exe", ".bat", ".com" or ".dll".
bool isExcluded(const QString& name);

} // namespace renamer
