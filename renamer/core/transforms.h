#pragma once

#include <QString>

#include <functional>
#include <string>
#include <variant>

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

enum class Mode {
    RemoveTag,      // 1, Command2
    Prefix,         // 2, Command6
    Replace,        // 3, Command5
    Insert,         // 4, Command1
    DeleteAt,       // 5, Command7
    NumberFront,    // 6, Command8
    NumberBehind,   // 6, Command9
    DeleteBefore,   // 7, Command10
};

// The parameter boxes' texts as the user left them.
struct Boxes {
    QString text2, text3, text4, text5, text6, text7, text8, text9, text11;
    bool check1 = false;
};

struct PreparedRun {
    Transform transform;
    // Modes 2, 5 and 6 show the counter after every entry; the others only
    // after an attempt.
    bool refreshEveryEntry = false;
};

// The mode's set-up: reads and checks the boxes once for the whole run.
// workListCount is the number of entries of the work list (excluded ones
// included). A parameter the mode cannot use gives a short Japanese message
// naming the box, and no run.
std::variant<PreparedRun, QString> prepareRun(Mode mode, const Boxes& boxes, int workListCount);

// The single transforms, for tests and for prepareRun.
TransformResult removeTag(const QString& name);
TransformResult addPrefix(const QString& name, const QString& a);
TransformResult replaceFirst(const QString& name, const QString& b, const QString& c);
TransformResult insertAt(const QString& name, int k, const QString& d);      // k = round(N - 1)
TransformResult deleteAt(const QString& name, int a, double n);             // a = round(N - 1)
TransformResult deleteBefore(const QString& name, const QString& t, bool alsoText);
// The start value of a numbering run, from the start text read leniently
// (0 and no number give 1). A whole start is counted exactly at any length.
struct NumberStart {
    bool exact = true;
    bool negative = false;
    std::string digits = "1";   // exact: the magnitude, no leading zeros
    double value = 1;           // otherwise
};
NumberStart numberStart(const QString& text);
QString numberField(const NumberStart& start, int counter, int width);     // W + 1 characters
TransformResult numberFront(const QString& name, const QString& field);
TransformResult numberBehind(const QString& name, const QString& field);

} // namespace renamer
