#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

// The two kinds of line the programs write into their batch files, and the
// interpreter that carries them out. This is the one place that knows the
// format: writers and the interpreter both come through here.
namespace batch {

// "ren    " + newName + "    " + oldName: renames newName back to oldName.
QString undoLine(const QString& newName, const QString& oldName);

// "copy /B <program>.$_$+c:\windows\qmnull.dam   <program>.exe /B"
QString copyLine(const QString& programName);

// The ways a "ren" line can be read as (source, target). A name may hold
// runs of four blanks itself, so a line can have more than one reading;
// they come in order of the split position. Empty when the line is not a
// "ren" line.
std::vector<std::pair<QString, QString>> renReadings(const QString& line);

// The reading of a ren line that runScript carries out when exists tells
// which names the working directory holds; nullopt when the line asks for
// nothing (a name the run left alone) or cannot be carried out at all.
std::optional<std::pair<QString, QString>> chosenReading(const QString& line,
                                                         const std::function<bool(const QString&)>& exists);

// A parsed "copy /B A+B   C /B" line: sources in order, then the target.
struct CopyCommand {
    QStringList sources;
    QString target;
};
std::optional<CopyCommand> parseCopy(const QString& line);

struct ScriptReport {
    bool readable = true;   // false: the script is missing or not code page 932
    int renamed = 0;        // ren lines carried out
    int failed = 0;         // ren or copy lines that could not be carried out
    int copied = 0;         // copy lines carried out
    int ignored = 0;        // lines that are neither (blank lines included)
};

// Runs a script in the working directory. The ren lines go from the last to
// the first, which undoes a run exactly; a copy line runs in file order. An
// existing file is never replaced by a ren line. A leading "c:\windows\"
// stands for the system folder.
ScriptReport runScript(const QString& path);

} // namespace batch
