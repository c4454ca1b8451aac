#include "renamer/core/preview.h"

#include "platform/rename.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/undo_check.h"

#include <QSet>

#include <algorithm>
#include <vector>

namespace renamer {
namespace {

// Whether the undo script holds both names exactly, asked of the run's own
// check one character at a time and remembered: the code page is stateless,
// so a name comes back exactly when each of its characters does. Saves
// encoding every name twice per preview.
class ScriptHolds {
public:
    bool operator()(const QString& newName, const QString& oldName)
    {
        return holds(newName) && holds(oldName);
    }

private:
    bool holds(const QString& name)
    {
        for (const QChar c : name) {
            signed char& verdict = verdicts_[c.unicode()];
            if (verdict < 0)
                verdict = encodedUndoLine(QString(c), QString(c)).has_value();
            if (!verdict)
                return false;
        }
        return true;
    }

    std::vector<signed char> verdicts_ = std::vector<signed char>(0x10000, -1);   // per UTF-16 unit
};

} // namespace

Preview previewRun(const ModeParams& params, const QStringList& workList)
{
    Preview preview;
    const Transform transform = prepareRun(params, int(workList.size())).transform;
    // The run counter as the transforms see it: it counts every attempt,
    // so numbering goes on past a name that cannot be changed.
    int counter = 0;
    ScriptHolds scriptHolds;
    QSet<QString> renamed;
    renamed.reserve(workList.size());
    const qsizetype count = std::min<qsizetype>(workList.size(), kNameTableSize);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& name = workList[i];
        if (isExcluded(name)) {
            ++preview.excluded;
            continue;
        }
        const TransformResult result = transform(name, counter);
        if (result.kind != TransformResult::Kind::NewName)
            continue;
        if (!scriptHolds(result.name, name)) {
            ++preview.unusable;
            continue;
        }
        ++counter;
        // No file of that name here, nothing to change, or a name listed
        // again whose file an earlier entry has renamed already.
        if (!platform::isBareFileName(name) || result.name == name || renamed.contains(name))
            continue;
        if (unusable(result.name)) {
            ++preview.unusable;
            continue;
        }
        renamed.insert(name);
        if (++preview.changed <= kPreviewShown)
            preview.first.emplace_back(name, result.name);
    }
    return preview;
}

} // namespace renamer
