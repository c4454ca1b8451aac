#include "platform/system_folder.h"

#include <QDir>
#include <QFile>

#include <cstdlib>

namespace platform {

QString systemFolder()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    QString base;
    if (xdg && xdg[0] == '/')
        base = QFile::decodeName(xdg);
    else
        base = QDir::homePath() + "/.local/share";
    return base + "/quillmere";
}

QString systemFile(const QString& name)
{
    return systemFolder() + "/" + name;
}

bool ensureSystemFolder()
{
    return QDir().mkpath(systemFolder());
}

QString mapScriptPath(const QString& path)
{
    static const QString prefix = QStringLiteral("c:\\windows\\");
    if (path.startsWith(prefix, Qt::CaseInsensitive))
        return systemFile(path.mid(prefix.size()));
    return path;
}

} // namespace platform
