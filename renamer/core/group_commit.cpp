#include "renamer/core/group_commit.h"

#include "platform/durable_file.h"

#include <algorithm>

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
    skipped = false;
}

void commitGroup(Group& group, platform::DurableFile& script)
{
    group.kept = 0;
    group.synced = true;
    if (group.lines > 0) {
        group.kept = script.append(group.bytes);
        // Nothing that got in is no reason to put an empty script in
        // place of the last run's.
        group.synced = group.kept > 0 && script.sync();
        if (!group.synced)
            return;
    }
    for (GroupEntry& e : group.entries) {
        if (e.lineEnd > group.kept)
            break;   // its line did not reach the disk whole
        // Both names were checked to be bare names when planned.
        if (e.lineEnd >= 0 && e.from != e.to)
            e.status = platform::renameNoReplace(e.from, e.to);
    }
}

GroupCommitter::~GroupCommitter()
{
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void GroupCommitter::start(Group& group)
{
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(&group);
    }
    if (thread_.joinable())
        changed_.notify_all();
    else
        thread_ = std::thread([this] { work(); });
}

void GroupCommitter::waitFor(const Group& group)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return std::find(queue_.begin(), queue_.end(), &group) == queue_.end(); });
}

void GroupCommitter::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queue_.empty() || quit_; });
        if (queue_.empty())
            return;
        Group* group = queue_.front();
        lock.unlock();
        if (failed_) {
            group->skipped = true;
        } else {
            commitGroup(*group, script_);
            failed_ = !group->committedWhole();
        }
        lock.lock();
        queue_.pop_front();
        changed_.notify_all();
    }
}

} // namespace renamer
