#pragma once

#include <QString>

#include <optional>
#include <string>
#include <variant>

// Each mode's parameters, as the window read them from its boxes: numbers
// already checked, texts as typed.
namespace renamer {

// The start value of a numbering run. A whole start is kept as its digits,
// so that it is counted exactly at any length.
struct NumberStart {
    bool exact = true;
    bool negative = false;
    std::string digits = "1";   // exact: the magnitude, no leading zeros, not 0
    double value = 1;           // otherwise; not 0
    bool operator==(const NumberStart&) const = default;
};

// A position is the 0-based character index round(N - 1), never below 0;
// none where N is 0, and the mode then leaves every name alone.
struct RemoveTag {
    bool operator==(const RemoveTag&) const = default;
};
struct Prefix {
    QString text;
    bool operator==(const Prefix&) const = default;
};
struct Replace {
    QString find, with;   // the first occurrence of find, in any letter case
    bool operator==(const Replace&) const = default;
};
struct Insert {
    std::optional<int> at;
    QString text;
    bool operator==(const Insert&) const = default;
};
struct DeleteAt {
    std::optional<int> at;
    double count = 0;   // characters from at on; may be negative or have a fraction
    bool operator==(const DeleteAt&) const = default;
};
struct Number {
    NumberStart start;
    qsizetype startLength = 0;   // characters typed for the start: the field is at least this wide
    bool behindBase = false;     // in front of the first dot; else in front of the whole name
    bool operator==(const Number&) const = default;
};
struct DeleteBefore {
    QString text;
    bool alsoText = false;   // the text itself goes too
    bool operator==(const DeleteBefore&) const = default;
};

using ModeParams = std::variant<RemoveTag, Prefix, Replace, Insert, DeleteAt, Number, DeleteBefore>;

} // namespace renamer
