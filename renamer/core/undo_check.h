#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// What the run checks of an undo line before it may write it.
namespace renamer {

// The undo line of a rename as the script will hold it, or nothing when the
// script cannot hold one of the names exactly (a line break included).
std::optional<QByteArray> encodedUndoLine(const QString& newName, const QString& oldName);

// The names the run has moved so far, to see the folder as it stood before
// the run: a restore pressed a second time starts from there.
class RunMoves {
public:
    // Few entries ever ask (names with blanks, names listed twice), so a
    // move is just noted here and the sets are brought up to date when asked.
    // Names as the file system spells them.
    void moved(QByteArrayView from, QByteArrayView to)
    {
        // One buffer for all: a file name never holds a NUL.
        pending_ += from;
        pending_ += '\0';
        pending_ += to;
        pending_ += '\0';
    }
    bool existedAtStart(const QString& name) const;
    // Every move as (from, to), the latest first.
    std::vector<std::pair<QByteArray, QByteArray>> latestFirst() const;
    // Whether the file of this name (as the file system spells it) was there
    // at the start and a rename of the run has moved it away.
    bool movedAway(const QByteArray& spelled) const;

private:
    QByteArray pending_;   // from, NUL, to, NUL for each move
    mutable qsizetype applied_ = 0;
    mutable QSet<QByteArray> made_;    // there now only because the run put them there
    mutable QSet<QByteArray> taken_;   // there at the start, moved away since
    void catchUp() const;
};

// Runs of four blanks in a name let its undo line split more than one way.
// Such a line is written only when restoring picks the right split after
// the rename, and moves nothing should the rename fail (or the run stop
// before it), nor when restore is pressed again after a restore. Asks the
// folder as it stands now: the caller has carried out every earlier rename.
bool undoReadsOneWay(const QString& line, const QString& newName, const QString& oldName, const RunMoves& moves);

} // namespace renamer
