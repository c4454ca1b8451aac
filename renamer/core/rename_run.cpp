// The rename run from start to end: the folder's lock and the script, the
// walk over the names, and the way back when another run took the script.
#include "renamer/core/rename_run.h"

#include "platform/rename.h"
#include "platform/text_file.h"
#include "renamer/core/run.h"

namespace renamer {

bool Run::open()
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

void Run::rollBackIfReplaced()
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

void Run::close()
{
    script_.close();   // a script that never got a line is dropped, the old one stays
}

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

void removeUndoScript(const QString& scriptName)
{
    const platform::FolderLock lock;
    if (!lock.busy())
        platform::removeFile(scriptName);
}

} // namespace renamer
