#include "folder_state.h"

#include "batch/script.h"
#include "platform/cp932.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QSet>

#include <csignal>
#include <cstdlib>
#include <sys/resource.h>
#include <sstream>

namespace hardening {

Snapshot snapshot(const QString& folder)
{
    Snapshot files;
    const QDir dir(folder);
    const auto entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : entries) {
        if (info.isSymLink() || !info.isFile()) {
            // Never read through a link: it may lead to a device such as /dev/full.
            files.insert(info.fileName(), "-> " + QFile::encodeName(info.symLinkTarget()));
            continue;
        }
        QFile f(info.filePath());
        files.insert(info.fileName(), f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>"));
    }
    return files;
}

void clearFolder(const QString& folder)
{
    QDir dir(folder);
    const auto entries = dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : entries) {
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            QFile::remove(info.absoluteFilePath());   // a bare ":name" would be taken for a resource
    }
}

bool createFile(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QFile f(folder + u'/' + name);
    if (!f.open(QIODevice::NewOnly))
        return false;
    return f.write(bytes) == bytes.size();
}

std::optional<QStringList> scriptLines(const QByteArray& bytes)
{
    const auto text = platform::decodeCp932(bytes);
    if (!text)
        return std::nullopt;
    QStringList lines = text->split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

UndoGraph::UndoGraph(const QStringList& lines)
{
    for (const QString& line : lines)
        for (const auto& [from, to] : batch::renReadings(line))
            moves_.insert(from, to);
}

bool UndoGraph::leadsBack(const QString& name, const QString& old) const
{
    QSet<QString> seen{name};
    QStringList frontier{name};
    while (!frontier.isEmpty()) {
        const QString at = frontier.takeLast();
        if (at == old)
            return true;
        for (auto it = moves_.constFind(at); it != moves_.cend() && it.key() == at; ++it)
            if (!seen.contains(it.value())) {
                seen.insert(it.value());
                frontier << it.value();
            }
    }
    return false;
}

std::string difference(const Snapshot& got, const Snapshot& want)
{
    const auto show = [](const QString& s) { return ("\"" + s + "\"").toStdString(); };
    std::ostringstream out;
    int shown = 0;
    for (auto it = want.begin(); it != want.end() && shown < 20; ++it)
        if (got.value(it.key(), "<missing>") != it.value()) {
            out << "\n  " << show(it.key()) << " wanted " << it.value().toStdString() << " got "
                << got.value(it.key(), "<missing>").toStdString();
            ++shown;
        }
    for (auto it = got.begin(); it != got.end() && shown < 20; ++it)
        if (!want.contains(it.key())) {
            out << "\n  extra " << show(it.key()) << " holding " << it.value().toStdString();
            ++shown;
        }
    return out.str();
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    // The signal would end the process; the failing write is what we want.
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    oldSoft_ = limit.rlim_cur;
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(oldSoft_);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler_);
}

std::uint64_t envNumber(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    return *end == '\0' ? value : fallback;
}

} // namespace hardening
