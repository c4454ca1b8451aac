#pragma once

#include "platform/durable_file.h"
#include "platform/folder_lock.h"
#include "renamer/core/group_commit.h"
#include "renamer/core/name_set.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/undo_check.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <deque>
#include <optional>

// The rename run behind runRename(), for the files that carry it out and
// for no one else: run_planning.cpp decides each entry and forms the groups,
// run_committing.cpp sends them to the committer and waits for them, and
// run_report.cpp counts what their renames did.
namespace renamer {

class Run {
public:
    Run(const RunOptions& options, RunReport& report) : options_(options), report_(report) {}
    ~Run() { committer_.stop(); }   // before the groups and the script go
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    bool open();
    void walk(const QStringList& oldNames, const Transform& transform);
    // Another run put its script in place of this one's: the lines of this
    // run's renames went with it, so the renames go back too.
    void rollBackIfReplaced();
    void close();

private:
    // A group of undo lines reaches the disk with one sync before its files
    // are renamed: few syncs for a large run, and the counter still moves
    // often. The first group is small, so that the first renames start at
    // once and the next group is planned while they run; each group doubles
    // up to the most.
    static constexpr int kGroupLines = 1024;
    static constexpr int kFirstGroupLines = 64;
    static constexpr std::size_t kInFlight = 2;
    static constexpr qint64 kGroupMs = 50;
    // From this many names on, the folder is read once instead of asked
    // about every name on its own.
    static constexpr qsizetype kSnapshotFrom = 256;

    // Planning.
    bool plan(const QString& oldName, const Transform& transform);
    bool exists(const QString& name, const QByteArray& spelled, quint64 hash) const;
    bool nameFree(const QByteArray& from, const QByteArray& to, quint64 toHash) const;
    bool isScriptName(const QString& name) const;
    bool attemptWithoutLine();
    bool noLine(bool attempt);
    RunReport& tally();
    void startGroup();

    // Committing. Each step is false when the run must stop.
    // Sends the group planned so far to the committer, behind at most one
    // other, so that it goes from group to group without waiting.
    bool send();
    // Waits for the oldest group sent and counts what its renames did.
    bool finishOldest();
    // Finishes every group sent.
    bool finishAll();
    // Every rename planned so far done and counted.
    bool sendAndFinishAll() { return send() && finishAll(); }
    // Whether a group sent and not yet finished renames or frees the name.
    bool inFlight(QByteArrayView name, quint64 hash) const
    {
        return std::any_of(inFlight_.begin(), inFlight_.end(),
                           [&](const Group* g) { return g->touched.contains(name, hash); });
    }

    // Counting.
    // Counts what the group's renames did and shows the counter; false when
    // its lines did not all reach the disk, which stops the run.
    bool countGroup(const Group& g);
    // Adds what planning counted for the group.
    void countPlanned(const RunReport& t);
    // Counts one rename the committer carried out.
    void countRename(const GroupEntry& e);

    const RunOptions& options_;
    RunReport& report_;
    platform::FolderLock lock_;
    platform::DurableFile script_;
    int counter_ = 0;             // the run counter as the transforms see it
    Group groups_[kInFlight + 1];  // one planned while the others are committed
    Group* planning_ = &groups_[0];
    std::deque<Group*> inFlight_;  // sent to the committer, oldest first
    int groupLines_ = kFirstGroupLines;
    std::optional<NameSet> present_;   // the folder's files as the groups counted left them
    RunMoves moves_;
    QElapsedTimer clock_;
    GroupCommitter committer_{script_};
};

} // namespace renamer
