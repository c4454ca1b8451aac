#pragma once

#include <QFile>
#include <QString>

#include <climits>

namespace platform {

// Whether the file systems here take a name this long: NAME_MAX bytes as the
// name is spelled on disk.
inline bool nameLengthFits(const QString& name)
{
    // No UTF-16 unit takes more than three bytes, so a short name fits unasked.
    return name.size() * 3 <= NAME_MAX || QFile::encodeName(name).size() <= NAME_MAX;
}

} // namespace platform
