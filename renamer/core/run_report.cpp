// Counting what the run's renames did into its report, and whether the
// report tells of a fault.
#include "renamer/core/run.h"

#include "platform/rename.h"

namespace renamer {

bool Run::countGroup(const Group& g)
{
    if (g.skipped || report_.stop != RunReport::Stop::None)
        return false;   // the run stopped at an earlier group
    countPlanned(g.tally);
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
            countRename(e);
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

void Run::countPlanned(const RunReport& t)
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

void Run::countRename(const GroupEntry& e)
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
        report_.refusedWhy = e.status;
        break;
    }
}

bool runWentWrong(const RunReport& report)
{
    return report.stop != RunReport::Stop::None || report.failed() > 0 || report.leftAlone() > 0;
}

} // namespace renamer
