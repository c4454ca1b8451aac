#include "setup/core/uninstall.h"

#include "memorial/record.h"
#include "platform/text_file.h"

namespace setup {

UninstallResult uninstall(const QString& programName)
{
    const QStringList files = {
        programName + QStringLiteral(".exe"),
        programName + QStringLiteral(".zip"),
        QStringLiteral("readme.txt"),
        memorial::dataFilePath(),
    };
    UninstallResult result;
    for (const QString& file : files) {
        if (platform::removeFile(file) == platform::RemoveStatus::Failed)
            result.notDeleted << file;
    }
    return result;
}

} // namespace setup
