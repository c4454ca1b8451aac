#include "renamer/core/undo_check.h"

#include "batch/undo_line.h"
#include "platform/cp932.h"
#include "platform/rename.h"

#include <QFile>

#include <algorithm>

namespace renamer {

// The code page is stateless: a line comes back exactly when each name does.
std::optional<QByteArray> encodedUndoLine(const QString& newName, const QString& oldName)
{
    const auto newBytes = platform::encodeCp932(newName);
    const auto oldBytes = newBytes ? platform::encodeCp932(oldName) : std::nullopt;
    // Whatever the restore would refuse is never written.
    if (!oldBytes || std::any_of(newBytes->begin(), newBytes->end(), batch::isForeignByte)
        || std::any_of(oldBytes->begin(), oldBytes->end(), batch::isForeignByte))
        return std::nullopt;
    QByteArray line;
    line.reserve(7 + newBytes->size() + 4 + oldBytes->size() + 2);
    line += "ren    ";
    line += *newBytes;
    line += "    ";
    line += *oldBytes;
    return line;
}

std::vector<std::pair<QByteArray, QByteArray>> RunMoves::latestFirst() const
{
    std::vector<std::pair<QByteArray, QByteArray>> moves;
    for (qsizetype at = 0; at < pending_.size();) {
        const qsizetype fromEnd = pending_.indexOf('\0', at);
        const qsizetype toEnd = pending_.indexOf('\0', fromEnd + 1);
        moves.emplace_back(pending_.sliced(at, fromEnd - at), pending_.sliced(fromEnd + 1, toEnd - fromEnd - 1));
        at = toEnd + 1;
    }
    std::reverse(moves.begin(), moves.end());
    return moves;
}

void RunMoves::catchUp() const
{
    while (applied_ < pending_.size()) {
        const qsizetype fromEnd = pending_.indexOf('\0', applied_);
        const qsizetype toEnd = pending_.indexOf('\0', fromEnd + 1);
        const QByteArray from = pending_.sliced(applied_, fromEnd - applied_);
        const QByteArray to = pending_.sliced(fromEnd + 1, toEnd - fromEnd - 1);
        applied_ = toEnd + 1;
        if (!made_.remove(from))
            taken_.insert(from);
        if (!taken_.remove(to))
            made_.insert(to);
    }
}

bool RunMoves::movedAway(const QByteArray& spelled) const
{
    catchUp();
    return taken_.contains(spelled);
}

bool RunMoves::existedAtStart(const QString& name) const
{
    catchUp();
    const QByteArray spelled = QFile::encodeName(name);
    return taken_.contains(spelled) || (!made_.contains(spelled) && platform::entryExists(name));
}

bool undoReadsOneWay(const QString& line, const QString& newName, const QString& oldName, const RunMoves& moves)
{
    // Without a blank in either name the separator is the only run of four.
    if (!newName.contains(u' ') && !oldName.contains(u' '))
        return true;
    const auto readings = batch::usableReadings(line);
    if (readings.size() < 2)
        return true;
    using Kind = batch::Choice::Kind;
    const auto now = [](const QString& name) { return platform::entryExists(name); };
    const auto atStart = [&](const QString& name) { return moves.existedAtStart(name); };
    const auto moved = [&](const QString& name) {
        return name == newName || (name != oldName && platform::entryExists(name));
    };
    if (batch::choose(readings, now).kind == Kind::Rename || batch::choose(readings, atStart).kind == Kind::Rename)
        return false;
    if (newName == oldName)
        return true;
    const batch::Choice after = batch::choose(readings, moved);
    return after.kind == Kind::Rename && after.reading == batch::Reading(newName, oldName);
}

} // namespace renamer
