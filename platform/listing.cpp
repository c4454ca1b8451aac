#include "platform/listing.h"

#include "common/both_at_once.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <utility>
#include <vector>
#include <cerrno>
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

template <typename Visit>
bool forEachEntry(const QString& folder, Visit visit)
{
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    const int fd = ::dirfd(dir);
    while (const struct dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // hidden, and "." and ".."
        visit(QFile::decodeName(entry->d_name), kindOf(fd, entry));
    }
    ::closedir(dir);
    return true;
}

QString joinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

} // namespace

bool nameLess(const QString& a, const QString& b)
{
    const int blind = QString::compare(a, b, Qt::CaseInsensitive);
    if (blind != 0)
        return blind < 0;
    return QString::compare(a, b, Qt::CaseSensitive) < 0;
}

namespace {

constexpr qsizetype kSortInTwoFrom = 4096;

// By UTF-16 units, as the toolkit's own comparison goes.
int compareUnits(QStringView a, QStringView b)
{
    return QtPrivate::compareStrings(a, b, Qt::CaseSensitive);
}

// The case-blind key of a name, folded once: sorting compares keys instead
// of folding both names at every comparison.
QString foldedKey(const QString& name)
{
    QString key = name;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const char16_t u = key[i].unicode();
        if (u < 0x80) {
            if (u >= u'A' && u <= u'Z')
                key[i] = QChar(char16_t(u + 0x20));
        } else if (QChar::isHighSurrogate(u) && i + 1 < key.size() && key[i + 1].isLowSurrogate()) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(u, key[i + 1].unicode()));
            key[i] = QChar(QChar::highSurrogate(folded));
            key[++i] = QChar(QChar::lowSurrogate(folded));
        } else {
            key[i] = QChar(QChar::toCaseFolded(u));
        }
    }
    return key;
}

} // namespace

void sortNames(QStringList& names)
{
    using Keyed = std::pair<QString, QString>;   // folded key, name
    const auto less = [](const Keyed& a, const Keyed& b) {
        const int blind = compareUnits(a.first, b.first);
        return blind != 0 ? blind < 0 : compareUnits(a.second, b.second) < 0;
    };
    const qsizetype count = names.size();
    std::vector<Keyed> keyed(static_cast<std::size_t>(count));
    QString* items = names.data();   // detached here, before two threads take from it
    const auto keyAndSort = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            keyed[std::size_t(i)] = {foldedKey(items[i]), std::move(items[i])};
        std::sort(keyed.begin() + from, keyed.begin() + to, less);
    };
    // A large folder is sorted in two halves at once, then merged.
    if (count >= kSortInTwoFrom) {
        const qsizetype half = count / 2;
        bothAtOnce([&] { keyAndSort(0, half); }, [&] { keyAndSort(half, count); });
        std::inplace_merge(keyed.begin(), keyed.begin() + half, keyed.end(), less);
    } else {
        keyAndSort(0, count);
    }
    for (qsizetype i = 0; i < count; ++i)
        items[i] = std::move(keyed[std::size_t(i)].second);
}

std::optional<QStringList> listFiles(const QString& folder)
{
    QStringList names;
    const bool ok = forEachEntry(folder, [&](const QString& name, Kind kind) {
        if (kind == Kind::File)
            names.append(name);
    });
    if (!ok)
        return std::nullopt;
    sortNames(names);
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
    forEachEntry(folder, [&](const QString& name, Kind kind) {
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
