#include "batch/script.h"

#include "platform/cp932.h"
#include "platform/rename.h"
#include "platform/system_folder.h"
#include "platform/text_file.h"

#include <QFile>
#include <QSaveFile>

namespace batch {
namespace {

const QString kRenPrefix = QStringLiteral("ren    ");
const QString kSplit = QStringLiteral("    ");

// The largest script a run writes: a line for every slot of the name table,
// two names of 255 bytes each.
constexpr qint64 kMaxScriptBytes = 20001LL * (7 + 255 + 4 + 255 + 2);
// A copy joins the program image and a line end.
constexpr qint64 kMaxCopySourceBytes = 1LL << 30;

bool isRenLine(const QString& line)
{
    return line.startsWith(kRenPrefix, Qt::CaseInsensitive);
}

// A dangling link is still a name that a rename can move or collide with.
// Asked of the file system itself: the toolkit's file classes would take a
// name starting with ":" for one of their built-in resources.
bool nameExists(const QString& name)
{
    return platform::entryExists(name);
}

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

using Reading = std::pair<QString, QString>;
using Exists = std::function<bool(const QString&)>;

// The readings a rename could carry out. A split that leaves "..", or a name
// with a folder in it, can never be one; "..", being there, would otherwise
// win the pick.
std::vector<Reading> usableReadings(const QString& line)
{
    auto readings = renReadings(line);
    std::erase_if(readings, [](const Reading& r) {
        return !platform::isBareFileName(r.first) || !platform::isBareFileName(r.second);
    });
    return readings;
}

// The reading a ren line most likely came from; nullopt when there is
// nothing to do. A reading that names one file twice was written for a name
// the run left alone, so it wins while that file is there; then a reading
// that can be carried out.
std::optional<Reading> pickReading(const std::vector<Reading>& readings, const Exists& exists)
{
    auto identity = [](const Reading& r) { return r.first == r.second; };
    // One reading leaves nothing to choose: the rename itself says whether
    // it can be done, and no file need be looked up first.
    if (readings.size() == 1)
        return identity(readings.front()) ? std::nullopt : std::optional<Reading>(readings.front());
    for (const auto& r : readings)
        if (identity(r) && exists(r.first))
            return std::nullopt;
    for (const auto& r : readings)
        if (!identity(r) && exists(r.first) && !exists(r.second))
            return r;
    for (const auto& r : readings)
        if (identity(r))
            return std::nullopt;
    // Nothing can succeed; the rename below reports why.
    for (const auto& r : readings)
        if (exists(r.first))
            return r;
    return readings.front();
}

bool runRen(const QString& line)
{
    const auto readings = usableReadings(line);
    if (readings.empty())
        return false;
    const auto pick = pickReading(readings, nameExists);
    return !pick || platform::renameBareNoReplace(pick->first, pick->second) == platform::RenameStatus::Renamed;
}

bool runCopy(const CopyCommand& copy)
{
    QByteArray bytes;
    for (const QString& source : copy.sources) {
        const auto part = platform::readBytes(platform::mapScriptPath(source), kMaxCopySourceBytes);
        if (!part)
            return false;
        bytes += *part;
    }
    const QString firstSource = platform::mapScriptPath(copy.sources.front());
    // Written aside and moved into place, so a failed copy leaves no half file.
    QSaveFile target(platform::mapScriptPath(copy.target));
    if (!target.open(QIODevice::WriteOnly))
        return false;
    if (target.write(bytes) != bytes.size()) {
        target.cancelWriting();
        return false;
    }
    // The installed program must stay executable like its image.
    if (const auto permissions = QFile::permissions(firstSource))
        target.setPermissions(permissions);
    return target.commit();
}

QStringList splitLines(const QString& text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();   // the line end of the last line
    for (QString& line : lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return lines;
}

} // namespace

QString undoLine(const QString& newName, const QString& oldName)
{
    return kRenPrefix + newName + kSplit + oldName;
}

QString copyLine(const QString& programName)
{
    return QStringLiteral("copy /B ") + programName + QStringLiteral(".$_$+c:\\windows\\qmnull.dam   ") + programName
        + QStringLiteral(".exe /B");
}

std::vector<std::pair<QString, QString>> renReadings(const QString& line)
{
    std::vector<std::pair<QString, QString>> readings;
    if (!isRenLine(line))
        return readings;
    const QString rest = line.mid(kRenPrefix.size());
    // Every run of four blanks may be the separator, overlapping runs too:
    // "a     b" is "a" + " b" or "a " + "b". Neither name can be empty.
    for (qsizetype at = rest.indexOf(kSplit, 1); at >= 0; at = rest.indexOf(kSplit, at + 1)) {
        const qsizetype targetStart = at + kSplit.size();
        if (targetStart >= rest.size())
            break;
        readings.emplace_back(rest.left(at), rest.mid(targetStart));
    }
    return readings;
}

std::optional<std::pair<QString, QString>> chosenReading(const QString& line, const Exists& exists)
{
    const auto readings = usableReadings(line);
    if (readings.empty())
        return std::nullopt;
    return pickReading(readings, exists);
}

std::optional<CopyCommand> parseCopy(const QString& line)
{
    const QStringList parts = blankSeparated(line);
    if (parts.size() != 5 || parts[0].compare(u"copy", Qt::CaseInsensitive) != 0
        || parts[1].compare(u"/b", Qt::CaseInsensitive) != 0 || parts[4].compare(u"/b", Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QStringList sources = parts[2].split(u'+');
    for (const QString& source : sources)
        if (source.isEmpty())
            return std::nullopt;
    return CopyCommand{sources, parts[3]};
}

ScriptReport runScript(const QString& path)
{
    ScriptReport report;
    const auto bytes = platform::readBytes(platform::mapScriptPath(path), kMaxScriptBytes);
    const auto text = bytes ? platform::decodeCp932(*bytes) : std::nullopt;
    if (!text) {
        report.readable = false;
        return report;
    }

    QStringList renLines;
    for (const QString& line : splitLines(*text)) {
        if (isRenLine(line)) {
            renLines << line;
        } else if (const auto copy = parseCopy(line)) {
            if (runCopy(*copy))
                ++report.copied;
            else
                ++report.failed;
        } else {
            ++report.ignored;
        }
    }
    // The run wrote its lines in the order it renamed; undoing goes backwards,
    // or a chain such as Aa -> AAa, a -> Aa would collide with itself.
    for (auto it = renLines.crbegin(); it != renLines.crend(); ++it) {
        if (runRen(*it))
            ++report.renamed;
        else
            ++report.failed;
    }
    return report;
}

} // namespace batch
