#include "platform/working_dir.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace platform {

EnterResult enterFolder(const QString& folder)
{
    if (::chdir(QFile::encodeName(folder).constData()) == 0)
        return EnterResult::Entered;
    switch (errno) {
    case ENOENT:
        return EnterResult::Missing;
    case ENOTDIR:
        return EnterResult::NotAFolder;
    default:   // no search permission, a link loop, a name too long
        return EnterResult::Refused;
    }
}

} // namespace platform
