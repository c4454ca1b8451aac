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

// Creates or replaces the file: four lines, code page 932, CR LF.
platform::WriteStatus writeRecord(const QString& path, const Record& record);

// Reads the four values; a missing or unreadable file gives empty values,
// and values the file does not reach stay empty.
Record readRecord(const QString& path);

} // namespace memorial
