#include "renamer/core/group_commit.h"

#include "platform/durable_file.h"

namespace renamer {

void Group::clear()
{
    bytes.clear();
    lines = 0;
    entries.clear();
    touched.clear();
    tally = RunReport();
    counted = false;
    kept = 0;
    synced = false;
    tidied = true;
    skipped = false;
}

namespace {

// Raises the flag for its lifetime.
class Flagged {
public:
    explicit Flagged(std::atomic<bool>& flag) : flag_(flag) { flag_ = true; }
    ~Flagged()
    {
        flag_ = false;
        flag_.notify_all();
    }
    Flagged(const Flagged&) = delete;
    Flagged& operator=(const Flagged&) = delete;

private:
    std::atomic<bool>& flag_;
};

// Writes and syncs the group's lines, then renames, in order, the entries
// whose whole line reached the disk.
void commitGroup(Group& group, platform::DurableFile& script, std::atomic<bool>& syncing)
{
    group.kept = 0;
    group.synced = true;
    if (group.lines > 0) {
        const Flagged whileSyncing(syncing);
        group.kept = script.append(group.bytes);
        // Nothing that got in is no reason to put an empty script in
        // place of the last run's.
        group.synced = group.kept > 0 && script.sync();
    }
    if (!group.synced)
        return;
    // Where the group's lines start in the script.
    const qint64 base = script.size() - group.kept;
    std::vector<std::pair<qint64, qint64>> undone;
    qsizetype lineStart = 0;
    for (GroupEntry& e : group.entries) {
        if (e.lineEnd > group.kept)
            break;   // its line did not reach the disk whole
        if (e.lineEnd < 0)
            continue;
        // Both names were checked to be bare names when planned.
        if (e.from != e.to) {
            e.status = platform::renameNoReplace(e.from, e.to);
            // A file left under both names keeps its line: the restore
            // takes the new name away again.
            if (e.status != platform::RenameStatus::Renamed && e.status != platform::RenameStatus::BothNames)
                undone.emplace_back(base + lineStart, base + e.lineEnd);
        }
        lineStart = e.lineEnd;
    }
    // A line of a rename that did not happen (another program took the name
    // meanwhile, a network volume answered from a stale cache) could later
    // move whatever holds that name: the script keeps only what happened.
    group.tidied = undone.empty() || script.dropRanges(undone);
}

} // namespace

void GroupCommitter::start(Group& group)
{
    group.ticket = worker_.post([this, &group] {
        if (failed_) {
            group.skipped = true;
            return;
        }
        commitGroup(group, script_, syncing_);
        failed_ = !group.committedWhole();
    });
}

} // namespace renamer
