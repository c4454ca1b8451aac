#pragma once

#include "platform/text_file.h"

#include <QString>

// The memorial data file: the user's name and three dates, written by setup
// and read by quillmere at every start.
namespace memorial {

struct Record {
    QString name;
    QString date1, date2, date3;   // "yyyy/mm/dd" as written; may be anything when read
    bool operator==(const Record&) const = default;
};

// quillmere.ini in the system folder.
QString dataFilePath();

// Creates or replaces the file: four lines, code page 932, CR LF. A value
// holding a comma or a double quote, or starting with a blank, is written in
// double quotes with inner quotes doubled, so that it reads back whole; any
// other value is written as it stands. A value with a line break, or one the
// code page cannot hold, gives NotRepresentable and no file.
platform::WriteStatus writeRecord(const QString& path, const Record& record);

// Reads the four values as comma-delimited fields (a value ends at a comma or
// a line end; leading blanks are skipped; quotes are not part of a value,
// doubled quotes inside a quoted value give one). A missing or unreadable
// file, or one that is not a regular file of sensible size, gives empty
// values. A value the code page cannot read ends the reading: it and the
// values after it stay empty; nothing after the fourth value is read.
Record readRecord(const QString& path);

} // namespace memorial
