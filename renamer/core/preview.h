#pragma once

#include "renamer/core/transforms.h"

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace renamer {

// What a mode's run would do to the work list now, worked out with the run's
// own exclusion and transform, touching no file. It takes every listed name
// to be in the folder.
struct Preview {
    std::vector<std::pair<QString, QString>> first;   // the first renames: old, new
    int changed = 0;    // names the run would change, the first ones included
    int excluded = 0;   // ending in .exe, .bat, .com or .dll
    int unusable = 0;   // new names no file can take or the undo script cannot hold
};

inline constexpr int kPreviewShown = 5;

Preview previewRun(const ModeParams& params, const QStringList& workList);

} // namespace renamer
