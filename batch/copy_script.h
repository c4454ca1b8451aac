#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The installer's copy script: "copy /B A+B   C /B" lines that join files
// into a new one. Only setup runs these; the restore never does.
namespace batch {

// "copy /B <program>.$_$+c:\windows\qmnull.dam   <program>.exe /B"
QString copyLine(const QString& programName);

// A parsed copy line: sources in order, then the target. Every name is a
// bare name of the working directory or "c:\windows\" and a bare name.
struct CopyCommand {
    QStringList sources;
    QString target;
};
std::optional<CopyCommand> parseCopy(const QString& line);

struct CopyReport {
    bool readable = true;   // false: the script is missing, not a file, or not code page 932
    int copied = 0;
    int failed = 0;         // lines that could not be carried out, or are no copy lines
    int ignored = 0;        // blank lines
};

// Runs the copy lines of a script, in file order. A target is written as a
// fresh file: a link standing at its name is replaced, never followed.
CopyReport runCopyScript(const QString& path);

} // namespace batch
