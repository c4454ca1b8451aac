#pragma once

// What every run must leave behind, however it ended: checked after faults
// made through the seam and on real volumes alike.
#include "fault_loop.h"
#include "renamer/core/rename_run.h"

#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace faults {

extern const QString kScript;

// The run under test: the prefix X_.
renamer::TransformResult prefix(const QString& name, int counter);

// What a run did, as seen from the committing thread: for each rename, how
// many bytes of the script had reached the disk before it.
struct RunSeen {
    renamer::RunReport report;
    std::vector<std::pair<QString, long long>> renames;
};

// A prefix run over workList in the working folder, watched.
RunSeen watchedRun(const QStringList& workList, const renamer::RunOptions& options = {});

QByteArray readScript();

// Every file under one name, each renamed one with its line in the part of
// the script synced before the rename, whole lines of this run only (one cut
// last line at most), no temporary file, nothing beside the working folder or
// in the system folder, and no success unless allRenamed files were renamed. After a crash, the temporary file a crash may leave is
// removed, and nothing is known of the report.
void expectPromisesKept(const Folder& before, const RunSeen& seen, const std::string& what, int allRenamed,
                        bool crashed = false);

// The first name in which now differs from before, or nothing.
QString firstDifference(const Folder& before, const Folder& now);

} // namespace faults
