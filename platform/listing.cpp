#include "platform/listing.h"

#include "platform/entry_names.h"

#include <QDir>
#include <QFile>

#include <cstring>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

enum class Kind { File, Folder, Other };

Kind kindOf(int dirFd, const struct dirent* entry)
{
    if (entry->d_type == DT_REG)
        return Kind::File;
    if (entry->d_type == DT_DIR)
        return Kind::Folder;
    if (entry->d_type != DT_LNK && entry->d_type != DT_UNKNOWN)
        return Kind::Other;
    // Links and file systems that do not say: ask, following links.
    struct stat st;
    if (::fstatat(dirFd, entry->d_name, &st, 0) != 0)
        return Kind::Other;
    if (S_ISREG(st.st_mode))
        return Kind::File;
    if (S_ISDIR(st.st_mode))
        return Kind::Folder;
    return Kind::Other;
}

// Every entry but "." and "..", with the open folder; the watch, when
// asked for, begins before the first entry is read.
template <typename Visit>
bool forEachEntry(const QString& folder, FolderWatch* watch, Visit visit)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (watch)
        *watch = FolderWatch(fd);
    DIR* dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    while (const struct dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (!(name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))))
            visit(fd, entry);
    }
    ::closedir(dir);
    return true;
}

// The entries the lists show: not hidden, by name and kind.
template <typename Visit>
bool forEachShownEntry(const QString& folder, Visit visit)
{
    return forEachEntry(folder, nullptr, [&](int fd, const struct dirent* entry) {
        if (entry->d_name[0] != '.')
            visit(QFile::decodeName(entry->d_name), kindOf(fd, entry));
    });
}

QString joinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

std::optional<QStringList> listFiles(const QString& folder)
{
    FolderWatch none;
    return listFiles(folder, none, {});
}

std::optional<QStringList> listFiles(const QString& folder, FolderWatch& watch,
                                     const std::function<void(QByteArrayView name)>& nonFolder)
{
    // The kernel's part first, copying names as they come; decoding them
    // (and handing them to nonFolder) is left to the sort's two threads.
    QByteArray spelled;   // each name ended by a NUL
    std::vector<qsizetype> listed, others;
    const bool ok = forEachEntry(folder, nonFolder ? &watch : nullptr, [&](int fd, const struct dirent* entry) {
        const bool shown = entry->d_name[0] != '.' && kindOf(fd, entry) == Kind::File;
        if (!shown && !(nonFolder && isNonFolderEntry(fd, entry)))
            return;
        (shown ? listed : others).push_back(spelled.size());
        spelled.append(entry->d_name, qsizetype(std::strlen(entry->d_name)) + 1);
    });
    if (!ok)
        return std::nullopt;
    QStringList names(qsizetype(listed.size()));
    QString* const items = names.data();   // each thread fills its own part
    sortNames(names, [&](qsizetype from, qsizetype to) {
        if (from == 0 && nonFolder) {   // one thread gives every name to nonFolder
            for (const qsizetype at : listed)
                nonFolder(QByteArrayView(spelled.constData() + at));
            for (const qsizetype at : others)
                nonFolder(QByteArrayView(spelled.constData() + at));
        }
        for (qsizetype i = from; i < to; ++i)
            items[i] = QFile::decodeName(spelled.constData() + listed[std::size_t(i)]);
    });
    return names;
}

QStringList folderChain(const QString& folder)
{
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    QStringList chain{QStringLiteral("/")};
    QString path;
    for (const QString& part : clean.split(u'/', Qt::SkipEmptyParts)) {
        path += u'/' + part;
        chain.append(path);
    }
    return chain;
}

QStringList subfolders(const QString& folder)
{
    QStringList names;
    forEachShownEntry(folder, [&](const QString& name, Kind kind) {
        if (kind == Kind::Folder)
            names.append(name);
    });
    sortNames(names);
    QStringList paths;
    paths.reserve(names.size());
    for (const QString& name : names)
        paths.append(joinPath(folder, name));
    return paths;
}

bool canOpenFolder(const QString& folder)
{
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    ::closedir(dir);
    return true;
}

QString workingDirectory()
{
    return QDir::cleanPath(QDir::currentPath());
}

} // namespace platform
