#pragma once

#include "common/worker.h"
#include "platform/rename.h"
#include "renamer/core/name_set.h"
#include "renamer/core/rename_run.h"

#include <QByteArray>

#include <atomic>
#include <cstdint>
#include <vector>

namespace platform {
class DurableFile;
}

namespace renamer {

// One entry of a group, in run order. Entries without a line are kept too,
// so the counter is shown in the run's order.
struct GroupEntry {
    QByteArray from;           // as the file system spells them
    QByteArray to;
    quint64 fromHash = 0;
    quint64 toHash = 0;
    int counter = 0;           // the run counter once this entry is done
    qsizetype lineEnd = -1;    // where its line ends in the group's bytes; -1: no line
    bool attempt = false;      // counted as a rename attempt
    platform::RenameStatus status = platform::RenameStatus::Renamed;   // set once renamed
};

// Undo lines that reach the disk with one sync, then the renames they cover.
struct Group {
    QByteArray bytes;          // the undo lines, CR LF after each
    int lines = 0;
    std::vector<GroupEntry> entries;
    NameSet touched;           // names the group's renames take or free
    RunReport tally;           // what planning counted, taken in with the renames
    bool counted = false;      // the tally holds something, even without entries
    // Set by the commit:
    qsizetype kept = 0;        // bytes of lines that got into the script
    bool synced = false;       // the kept lines reached the disk
    bool tidied = true;        // lines of renames that did not happen are out of the script again
    bool skipped = false;      // not committed: an earlier group's lines did not all get in
    std::uint64_t ticket = 0;  // the committer's

    bool empty() const { return entries.empty() && !counted; }
    bool committedWhole() const { return !skipped && synced && tidied && kept == bytes.size(); }
    void clear();
};

// Commits groups in the order started, on a thread of its own, so that the
// next groups are planned while the kernel renames this one. Once a group's
// lines do not all get in, the groups after it are skipped. All but the
// committing itself happens on the owner's thread; what a commit throws
// comes out of the next start() or waitFor().
class GroupCommitter {
public:
    explicit GroupCommitter(platform::DurableFile& script) : script_(script) {}
    ~GroupCommitter() { stop(); }
    GroupCommitter(const GroupCommitter&) = delete;
    GroupCommitter& operator=(const GroupCommitter&) = delete;

    // Queues group, which is not touched again until waitFor() returns.
    void start(Group& group);
    // Until group is committed (or skipped).
    void waitFor(const Group& group) { worker_.waitFor(group.ticket); }
    // Until the sync under way, if any, is over. A sync waits on the disk,
    // and on a virtual machine the disk is served by the same host cores as
    // the guest's: planning beside a sync made each take several times as
    // long (measured), so the planner holds still through it.
    void waitOutSync() const { syncing_.wait(true); }
    // Drops the groups not yet begun and waits for the one being committed:
    // the owner of the groups and the script calls it before they go.
    void stop() { worker_.stop(); }

private:
    platform::DurableFile& script_;
    bool failed_ = false;   // the committing thread's own
    std::atomic<bool> syncing_{false};
    Worker worker_;
};

} // namespace renamer
