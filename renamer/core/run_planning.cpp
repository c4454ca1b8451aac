// Planning the run: each entry decided, and its undo line put into the group
// that is being formed.
#include "renamer/core/run.h"

#include "batch/undo_line.h"
#include "platform/entry_names.h"
#include "platform/rename.h"
#include "renamer/core/listed_folder.h"

#include <QFile>

#include <algorithm>

namespace renamer {

void Run::walk(const QStringList& oldNames, const Transform& transform)
{
    const qsizetype count = std::min<qsizetype>(oldNames.size(), kNameTableSize);
    if (options_.listed)
        present_ = options_.listed->takeEntries(lock_.folderFd());
    if (!present_ && count >= kSnapshotFrom) {
        present_.emplace();
        if (!platform::forEachNonFolderEntry([this](QByteArrayView name) { present_->insert(name, NameSet::hashOf(name)); }))
            present_.reset();
    }
    for (qsizetype i = 0; i < count; ++i) {
        committer_.waitOutSync();
        if (!plan(oldNames[i], transform))
            return;
        if (planning_->entries.size() >= std::size_t(groupLines_)
            || (!planning_->empty() && clock_.elapsed() >= kGroupMs)) {
            if (!send())
                return;
        }
    }
    sendAndFinishAll();
}

// Decides one entry; false when the run must stop.
bool Run::plan(const QString& oldName, const Transform& transform)
{
    if (isExcluded(oldName))
        return noLine(false);
    const TransformResult result = transform(oldName, counter_);
    if (result.kind == TransformResult::Kind::TooShort) {
        ++tally().tooShort;
        return noLine(false);
    }
    if (result.kind != TransformResult::Kind::NewName)
        return noLine(false);
    const auto line = encodedUndoLine(result.name, oldName);
    if (!line) {
        ++tally().unrepresentable;
        return noLine(false);
    }
    // The checks below ask the folder, so they must see the renames of
    // earlier groups, and of this one, done when they touch its names.
    const QString undo = result.name.contains(u' ') || oldName.contains(u' ')
        ? batch::undoLine(result.name, oldName)
        : QString();
    const bool readings = !undo.isEmpty() && batch::usableReadings(undo).size() > 1;
    const QByteArray from = QFile::encodeName(oldName);
    const quint64 fromHash = NameSet::hashOf(from);
    const QByteArray to = QFile::encodeName(result.name);
    const quint64 toHash = NameSet::hashOf(to);
    if (readings || planning_->touched.contains(from, fromHash) || planning_->touched.contains(to, toHash)) {
        if (!sendAndFinishAll())
            return false;
    } else if (inFlight(from, fromHash) || inFlight(to, toHash)) {
        if (!finishAll())
            return false;
    }
    // A name with a folder in it is never one of this folder's files.
    if (!platform::isBareFileName(oldName) || !exists(oldName, from, fromHash)) {
        // Gone, listed twice, or a folder listed from elsewhere: nothing
        // may move, and an undo line would move whatever holds the new name.
        ++(moves_.movedAway(from) ? tally().alreadyMoved : tally().notFound);
        return attemptWithoutLine();
    }
    // A line for a rename that cannot happen could later move an
    // unrelated file that took the new name: such entries get none.
    if (const auto why = unusable(result.name)) {
        ++tally().unusable[*why];
        return attemptWithoutLine();
    }
    if (from != to && (isScriptName(result.name) || !nameFree(from, to, toHash))) {
        ++tally().taken;
        return attemptWithoutLine();
    }
    if (readings && !undoReadsOneWay(undo, result.name, oldName, moves_)) {
        ++tally().ambiguous;
        return noLine(false);
    }
    startGroup();
    Group& g = *planning_;
    g.bytes += *line;
    g.bytes += "\r\n";
    ++g.lines;
    ++counter_;
    g.entries.push_back({from, to, fromHash, toHash, counter_, g.bytes.size(), true});
    g.touched.insert(from, fromHash);
    g.touched.insert(to, toHash);
    return true;
}

// Whether a file (not a folder) of the name is there now.
bool Run::exists(const QString& name, const QByteArray& spelled, quint64 hash) const
{
    return present_ ? present_->contains(spelled, hash) : platform::fileEntryExists(name);
}

// Whether nothing holds the new name now. The folder as read knows no
// folders: a rename onto one is refused by the system, and its line taken
// out again at the end.
bool Run::nameFree(const QByteArray& from, const QByteArray& to, quint64 toHash) const
{
    return present_ ? !present_->contains(to, toHash) : platform::nameFreeFor(from, to);
}

bool Run::isScriptName(const QString& name) const
{
    return name.compare(options_.scriptName, Qt::CaseInsensitive) == 0;
}

bool Run::attemptWithoutLine()
{
    ++counter_;
    return noLine(true);
}

bool Run::noLine(bool attempt)
{
    if (attempt || options_.refreshEveryEntry) {
        startGroup();
        planning_->entries.push_back({{}, {}, 0, 0, counter_, -1, attempt});
    }
    return true;
}

// Counts of the group being planned.
RunReport& Run::tally()
{
    startGroup();
    planning_->counted = true;
    return planning_->tally;
}

void Run::startGroup()
{
    if (planning_->empty())
        clock_.start();
}

} // namespace renamer
