#pragma once

#include "renamer/core/mode_params.h"

#include <QString>

#include <functional>

// The seven rename modes as pure functions from an old name to a new name.
// Names are handled as sequences of Unicode code points.
namespace renamer {

struct TransformResult {
    enum class Kind {
        NewName,    // rename to name
        Skip,       // the mode does not apply to this name
        TooShort,   // mode 5: n reaches past the end of the name (counted apart)
    };
    Kind kind = Kind::Skip;
    QString name;

    static TransformResult to(QString n) { return {Kind::NewName, std::move(n)}; }
    static TransformResult skip() { return {Kind::Skip, {}}; }
};

// counter: the run counter before this entry (numbering uses it).
using Transform = std::function<TransformResult(const QString& oldName, int counter)>;

struct PreparedRun {
    Transform transform;
    // Modes 2, 5 and 6 show the counter after every entry; the others only
    // after an attempt.
    bool refreshEveryEntry = false;
};

// The mode's transform for one run. workListCount is the number of entries
// of the work list (excluded ones included).
PreparedRun prepareRun(const ModeParams& params, int workListCount);

// The single transforms, for tests and for prepareRun.
TransformResult removeTag(const QString& name);
TransformResult addPrefix(const QString& name, const QString& a);
TransformResult replaceFirst(const QString& name, const QString& b, const QString& c);
TransformResult insertAt(const QString& name, int k, const QString& d);      // k = round(N - 1)
TransformResult deleteAt(const QString& name, int a, double n);             // a = round(N - 1)
TransformResult deleteBefore(const QString& name, const QString& t, bool alsoText);
QString numberField(const NumberStart& start, int counter, int width);     // W + 1 characters
TransformResult numberFront(const QString& name, const QString& field);
TransformResult numberBehind(const QString& name, const QString& field);

} // namespace renamer
