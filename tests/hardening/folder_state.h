#pragma once

#include <QByteArray>
#include <QHash>
#include <QMultiHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <string>

// What the hardening tests look at in a folder: every file's name with its
// content, and the undo script's lines.
namespace hardening {

// name -> content of every entry of the folder (directories excluded; a
// link or a device is noted by its target, never read).
using Snapshot = QHash<QString, QByteArray>;

Snapshot snapshot(const QString& folder);

// Removes every entry of the folder, hidden ones and subfolders included.
void clearFolder(const QString& folder);

// Creates folder/name holding bytes; false when the system refuses the name.
bool createFile(const QString& folder, const QString& name, const QByteArray& bytes);

// The lines of a code page 932 script (CR LF ends); nullopt when the bytes
// are not code page 932.
std::optional<QStringList> scriptLines(const QByteArray& bytes);

// Every way the undo lines can be read, as moves from a name to another.
class UndoGraph {
public:
    explicit UndoGraph(const QStringList& lines);
    // Whether the lines lead from name back to old: a file may move more
    // than once in a run when the work list names it again under its new name.
    bool leadsBack(const QString& name, const QString& old) const;

private:
    QMultiHash<QString, QString> moves_;
};

// Where the folders differ, for failure messages.
std::string difference(const Snapshot& got, const Snapshot& want);

// While it lives, no file of the process may grow beyond the given size: a
// write across the limit is cut short, the next one fails.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long oldSoft_ = 0;
    void (*oldHandler_)(int) = nullptr;
};

// A number from the environment, or fallback when unset or unreadable.
std::uint64_t envNumber(const char* name, std::uint64_t fallback);

} // namespace hardening
