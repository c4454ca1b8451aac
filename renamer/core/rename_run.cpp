#include "renamer/core/rename_run.h"

#include "batch/undo_line.h"
#include "batch/undo_script.h"
#include "platform/durable_file.h"
#include "platform/entry_names.h"
#include "platform/folder_lock.h"
#include "platform/rename.h"
#include "platform/text_file.h"
#include "renamer/core/group_commit.h"
#include "renamer/core/listed_folder.h"
#include "renamer/core/name_set.h"
#include "renamer/core/undo_check.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <deque>
#include <optional>
#include <vector>

namespace renamer {
namespace {

// A group of undo lines reaches the disk with one sync before its files are
// renamed: few syncs for a large run, and the counter still moves often.
// The first group is small, so that the first renames start at once and the
// next group is planned while they run; each group doubles up to the most.
constexpr int kGroupLines = 1024;
constexpr int kFirstGroupLines = 64;
constexpr std::size_t kInFlight = 2;
constexpr qint64 kGroupMs = 50;

// From this many names on, the folder is read once instead of asked about
// every name on its own.
constexpr qsizetype kSnapshotFrom = 256;

class Run {
public:
    Run(const RunOptions& options, RunReport& report) : options_(options), report_(report) {}
    ~Run() { committer_.stop(); }   // before the groups and the script go

    bool open()
    {
        if (lock_.busy()) {
            report_.stop = RunReport::Stop::Busy;
            return false;
        }
        if (script_.open(options_.scriptName, lock_.folderFd()) != platform::DurableFile::OpenStatus::Ok) {
            report_.stop = RunReport::Stop::ScriptNotCreated;
            return false;
        }
        return true;
    }

    void walk(const QStringList& oldNames, const Transform& transform)
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
                if (!handOver())
                    return;
            }
        }
        drain();
    }

    // Another run put its script in place of this one's: the lines of this
    // run's renames went with it, so the renames go back too.
    void rollBackIfReplaced()
    {
        // The last group's renames came after the last sync's look.
        if (report_.stop == RunReport::Stop::None && !script_.checkInPlace())
            report_.stop = RunReport::Stop::ScriptReplaced;
        if (report_.stop != RunReport::Stop::ScriptReplaced)
            return;
        for (const auto& [from, to] : moves_.latestFirst()) {
            if (platform::renameNoReplace(to, from) == platform::RenameStatus::Renamed)
                --report_.renamed, ++report_.rolledBack;
            else
                ++report_.notRolledBack;
        }
    }

    void close()
    {
        script_.close();   // a script that never got a line is dropped, the old one stays
    }

private:
    // Decides one entry; false when the run must stop.
    bool plan(const QString& oldName, const Transform& transform)
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
            if (!drain())
                return false;
        } else if (inFlight(from, fromHash) || inFlight(to, toHash)) {
            if (!settle())
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
    bool exists(const QString& name, const QByteArray& spelled, quint64 hash) const
    {
        return present_ ? present_->contains(spelled, hash) : platform::fileEntryExists(name);
    }

    // Whether nothing holds the new name now. The folder as read knows no
    // folders: a rename onto one is refused by the system, and its line
    // taken out again at the end.
    bool nameFree(const QByteArray& from, const QByteArray& to, quint64 toHash) const
    {
        return present_ ? !present_->contains(to, toHash) : platform::nameFreeFor(from, to);
    }

    bool isScriptName(const QString& name) const
    {
        return name.compare(options_.scriptName, Qt::CaseInsensitive) == 0;
    }

    bool attemptWithoutLine()
    {
        ++counter_;
        return noLine(true);
    }

    bool noLine(bool attempt)
    {
        if (attempt || options_.refreshEveryEntry) {
            startGroup();
            planning_->entries.push_back({{}, {}, 0, 0, counter_, -1, attempt});
        }
        return true;
    }

    // Counts of the group being planned.
    RunReport& tally()
    {
        startGroup();
        planning_->counted = true;
        return planning_->tally;
    }

    void startGroup()
    {
        if (planning_->empty())
            clock_.start();
    }

    // Queues the group planned so far behind at most one other, so that the
    // committer goes from group to group without waiting. False when the run
    // must stop.
    bool handOver()
    {
        if (planning_->empty())
            return true;
        if (inFlight_.size() >= kInFlight && !settleOldest())
            return settle(), false;
        committer_.start(*planning_);
        inFlight_.push_back(planning_);
        planning_ = &*std::find_if(std::begin(groups_), std::end(groups_), [this](const Group& g) {
            return std::find(inFlight_.begin(), inFlight_.end(), &g) == inFlight_.end();
        });
        groupLines_ = std::min(2 * groupLines_, kGroupLines);
        return true;
    }

    // Waits for the oldest group in flight and takes in what its renames did.
    bool settleOldest()
    {
        Group& g = *inFlight_.front();
        committer_.waitFor(g);
        inFlight_.pop_front();
        const bool goOn = takeIn(g);
        g.clear();
        return goOn;
    }

    // Every group in flight committed and taken in. False when the run must stop.
    bool settle()
    {
        bool goOn = true;
        while (!inFlight_.empty())
            goOn = settleOldest() && goOn;
        return goOn;
    }

    // Whether a group in flight renames or frees the name.
    bool inFlight(QByteArrayView name, quint64 hash) const
    {
        return std::any_of(inFlight_.begin(), inFlight_.end(),
                           [&](const Group* g) { return g->touched.contains(name, hash); });
    }

    // Every group planned so far committed and taken in.
    bool drain() { return handOver() && settle(); }

    // Counts what the group's renames did and shows the counter; false when
    // its lines did not all reach the disk, which stops the run.
    bool takeIn(const Group& g)
    {
        if (g.skipped || report_.stop != RunReport::Stop::None)
            return false;   // the run stopped at an earlier group
        addTally(g.tally);
        if (!g.synced) {
            report_.stop = script_.lost()   ? RunReport::Stop::ScriptReplaced
                : script_.placed()          ? RunReport::Stop::ScriptWriteFailed
                                            : RunReport::Stop::ScriptNotCreated;
            return false;
        }
        for (const GroupEntry& e : g.entries) {
            if (e.lineEnd > g.kept)
                break;
            if (e.lineEnd >= 0 && e.from != e.to)
                count(e);
            if (e.attempt)
                report_.attempts = e.counter;
            if (options_.progress)
                options_.progress(e.counter);
        }
        if (!g.committedWhole()) {
            report_.stop = script_.lost() ? RunReport::Stop::ScriptReplaced : RunReport::Stop::ScriptWriteFailed;
            return false;
        }
        return true;
    }

    void addTally(const RunReport& t)
    {
        report_.notFound += t.notFound;
        report_.alreadyMoved += t.alreadyMoved;
        report_.taken += t.taken;
        for (int kind = 0; kind < RunReport::kUnusableKinds; ++kind)
            report_.unusable[kind] += t.unusable[kind];
        report_.refused += t.refused;
        if (t.refused > 0)
            report_.refusedWhy = t.refusedWhy;
        report_.unrepresentable += t.unrepresentable;
        report_.ambiguous += t.ambiguous;
        report_.tooShort += t.tooShort;
    }

    void count(const GroupEntry& e)
    {
        using platform::RenameStatus;
        switch (e.status) {
        case RenameStatus::Renamed:
            ++report_.renamed;
            moves_.moved(e.from, e.to);
            if (present_) {
                present_->remove(e.from, e.fromHash);
                present_->insert(e.to, e.toHash);
            }
            break;
        case RenameStatus::TargetExists:
            ++report_.taken;
            break;
        case RenameStatus::SourceMissing:
            ++report_.notFound;
            if (present_)
                present_->remove(e.from, e.fromHash);
            break;
        case RenameStatus::BothNames:
            if (present_)
                present_->insert(e.to, e.toHash);
            [[fallthrough]];
        default:
            ++report_.refused;
            report_.refusedWhy = batch::refusalWords(e.status);
            break;
        }
    }

    const RunOptions& options_;
    RunReport& report_;
    platform::FolderLock lock_;
    platform::DurableFile script_;
    int counter_ = 0;             // the run counter as the transforms see it
    Group groups_[kInFlight + 1];  // one planned while the others are committed
    Group* planning_ = &groups_[0];
    std::deque<Group*> inFlight_;  // handed to the committer, oldest first
    int groupLines_ = kFirstGroupLines;
    std::optional<NameSet> present_;   // the folder's files as the groups taken in left them
    RunMoves moves_;
    QElapsedTimer clock_;
    GroupCommitter committer_{script_};
};

} // namespace

RunReport runRename(const QStringList& oldNames, const Transform& transform, const RunOptions& options)
{
    RunReport report;
    Run run(options, report);
    if (run.open()) {
        run.walk(oldNames, transform);
        run.rollBackIfReplaced();
    }
    run.close();
    return report;
}

} // namespace renamer
