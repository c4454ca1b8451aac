#pragma once

#include <QString>

#include <array>
#include <optional>

// What the user types on the date page, and the checks and normalising done
// before it is written to the memorial data file.
namespace setup {

struct DateRow {
    QString year, month, day;
    bool operator==(const DateRow&) const = default;
};

struct DateEntry {
    QString name;
    std::array<DateRow, 3> rows;
    bool operator==(const DateEntry&) const = default;
};

enum class Box { Name, Year, Month, Day };

// One box of the page; row (0 to 2) means nothing for the name box.
struct BoxRef {
    Box box = Box::Name;
    int row = 0;
    bool operator==(const BoxRef&) const = default;
};

// The box the focus goes to because its content is not accepted, or nothing
// when the page may be left.
std::optional<BoxRef> firstRejectedBox(const DateEntry& entry);

// A box whose text the memorial data file cannot hold, and the first
// character in it that code page 932 lacks (or would turn into another).
struct Unwritable {
    BoxRef box;
    QString character;
};

// Checked after firstRejectedBox: the name, then the padded date boxes in
// the page's tab order.
std::optional<Unwritable> firstUnwritable(const DateEntry& entry);

// The last 4 characters of "00000" + year; the last 2 of "000" + month/day.
// Full-width digits become ASCII ones.
QString padYear(const QString& year);
QString padMonthOrDay(const QString& text);
DateEntry padded(const DateEntry& entry);

// Going back to the date page: the all-zero texts padding made out of empty
// boxes are emptied again; everything else stays.
DateEntry withZerosEmptied(const DateEntry& entry);

// "yyyy/mm/dd" from a padded row.
QString dateLine(const DateRow& row);

} // namespace setup
