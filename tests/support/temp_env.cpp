#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <unistd.h>

namespace testsupport {

TempWorkDir::TempWorkDir(const QString& under)
    : dir_(under.isEmpty() ? QDir::tempPath() + "/qm-XXXXXX" : under + "/qm-XXXXXX")
{
    char buf[4096];
    if (getcwd(buf, sizeof buf))
        oldCwd_ = buf;
    const char* xdg = getenv("XDG_DATA_HOME");
    hadXdg_ = xdg != nullptr;
    if (xdg)
        oldXdg_ = xdg;
    QDir().mkpath(dir_.path() + "/work");
    QDir().mkpath(dir_.path() + "/data");
    setenv("XDG_DATA_HOME", QFile::encodeName(dir_.path() + "/data").constData(), 1);
    if (chdir(QFile::encodeName(path()).constData()) != 0)
        abort();
}

TempWorkDir::~TempWorkDir()
{
    if (!oldCwd_.isEmpty() && chdir(oldCwd_.constData()) != 0) {
        // nothing sensible to do in a destructor
    }
    if (hadXdg_)
        setenv("XDG_DATA_HOME", oldXdg_.constData(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

QString TempWorkDir::root() const { return dir_.path(); }
QString TempWorkDir::path() const { return dir_.path() + "/work"; }
QString TempWorkDir::systemFolder() const { return dir_.path() + "/data/quillmere"; }
QString TempWorkDir::file(const QString& name) const { return path() + "/" + name; }

void TempWorkDir::write(const QString& name, const QByteArray& bytes) const
{
    writeFile(file(name), bytes);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        abort();
}

QByteArray TempWorkDir::read(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool TempWorkDir::exists(const QString& name) const
{
    return QFileInfo::exists(file(name)) || QFileInfo(file(name)).isSymLink();
}

QStringList TempWorkDir::names() const
{
    return QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QStringList TempWorkDir::namesButScript() const
{
    QStringList list = names();
    list.removeAll(QStringLiteral("modosu.bat"));
    return list;
}

QString TempWorkDir::contentsButScript(const QString& separator) const
{
    QStringList list = namesButScript();
    for (QString& name : list)
        name += u'=' + QString::fromUtf8(read(name));
    return list.join(separator);
}

QString memoryFolder()
{
    return QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QString();
}

} // namespace testsupport
