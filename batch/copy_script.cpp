#include "batch/copy_script.h"

#include "platform/cp932.h"
#include "platform/rename.h"
#include "platform/system_folder.h"
#include "platform/text_file.h"

namespace batch {
namespace {

// A copy script holds a line or two; the copy joins a program image of a
// few megabytes and a line end.
constexpr qint64 kMaxCopyScriptBytes = 64 * 1024;
constexpr qint64 kMaxCopySourceBytes = 1LL << 30;

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringList blankSeparated(const QString& line)
{
    QStringList parts;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const qsizetype start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start)
            parts << line.mid(start, i - start);
    }
    return parts;
}

// A bare name, or a bare name in the system folder: nothing else is ever
// written by setup, and nothing else may be read or written through it.
bool isCopyName(const QString& name)
{
    const QString mapped = platform::mapScriptPath(name);
    if (mapped == name)
        return platform::isBareFileName(name);
    const QString prefix = platform::systemFolder() + u'/';
    return mapped.startsWith(prefix) && platform::isBareFileName(mapped.mid(prefix.size()));
}

bool runCopy(const CopyCommand& copy)
{
    QByteArray bytes;
    for (const QString& source : copy.sources) {
        const auto part = platform::readBytes(platform::mapScriptPath(source), kMaxCopySourceBytes);
        if (!part || bytes.size() + part->size() > kMaxCopySourceBytes)
            return false;
        bytes += *part;
    }
    // The installed program must stay executable like its image.
    return platform::replaceFile(platform::mapScriptPath(copy.target), bytes,
                                 platform::mapScriptPath(copy.sources.front()))
        == platform::WriteStatus::Ok;
}

} // namespace

QString copyLine(const QString& programName)
{
    return QStringLiteral("copy /B ") + programName + QStringLiteral(".$_$+c:\\windows\\qmnull.dam   ") + programName
        + QStringLiteral(".exe /B");
}

std::optional<CopyCommand> parseCopy(const QString& line)
{
    const QStringList parts = blankSeparated(line);
    if (parts.size() != 5 || parts[0].compare(u"copy", Qt::CaseInsensitive) != 0
        || parts[1].compare(u"/b", Qt::CaseInsensitive) != 0 || parts[4].compare(u"/b", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QStringList sources = parts[2].split(u'+');
    for (const QString& source : sources)
        if (!isCopyName(source))
            return std::nullopt;
    if (!isCopyName(parts[3]))
        return std::nullopt;
    return CopyCommand{sources, parts[3]};
}

CopyReport runCopyScript(const QString& path)
{
    CopyReport report;
    const auto bytes = platform::readBytes(platform::mapScriptPath(path), kMaxCopyScriptBytes);
    const auto text = bytes ? platform::decodeCp932(*bytes) : std::nullopt;
    if (!text) {
        report.readable = false;
        return report;
    }
    QStringList lines = text->split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();   // the line end of the last line
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            ++report.ignored;
        else if (const auto copy = parseCopy(line); copy && runCopy(*copy))
            ++report.copied;
        else
            ++report.failed;   // a path outside the two folders among them
    }
    return report;
}

} // namespace batch
