#include "batch/undo_line.h"

#include "platform/rename.h"

namespace batch {
namespace {

const QString kRenPrefix = QStringLiteral("ren    ");
const QString kSplit = QStringLiteral("    ");

} // namespace

QString undoLine(const QString& newName, const QString& oldName)
{
    return kRenPrefix + newName + kSplit + oldName;
}

std::vector<Reading> renReadings(QStringView line, Names names)
{
    const auto name = [names](QStringView part) {
        return names == Names::Borrowed ? QString::fromRawData(part.data(), part.size()) : part.toString();
    };
    std::vector<Reading> readings;
    if (!line.startsWith(kRenPrefix, Qt::CaseInsensitive))
        return readings;
    const QStringView rest = line.sliced(kRenPrefix.size());
    // Every run of four blanks may be the separator, overlapping runs too:
    // "a     b" is "a" + " b" or "a " + "b". Neither name can be empty.
    // Counted character by character: the restore reads every line so, and
    // this is several times as fast as looking for the four blanks.
    const qsizetype split = kSplit.size();
    qsizetype blanks = 0;
    for (qsizetype i = 0; i < rest.size(); ++i) {
        blanks = rest[i] == u' ' ? blanks + 1 : 0;
        const qsizetype at = i + 1 - split;   // where the last four blanks start
        if (blanks < split || at < 1)
            continue;
        if (i + 1 >= rest.size())
            break;
        readings.emplace_back(name(rest.left(at)), name(rest.sliced(i + 1)));
    }
    return readings;
}

std::vector<Reading> usableReadings(QStringView line, Names names)
{
    auto readings = renReadings(line, names);
    std::erase_if(readings, [](const Reading& r) {
        return !platform::isBareFileName(r.first) || !platform::isBareFileName(r.second);
    });
    return readings;
}

Choice choose(const std::vector<Reading>& readings, const Exists& exists)
{
    // A reading that names one file twice was written for a name the run
    // left alone; while that file is there, it is one of the possibilities.
    std::vector<const Reading*> possible;
    bool nothing = false;
    for (const Reading& r : readings) {
        if (r.first == r.second) {
            if (exists(r.first)) {
                nothing = true;
                possible.push_back(&r);
            }
        } else if (exists(r.first) && !exists(r.second)) {
            possible.push_back(&r);
        }
    }
    if (possible.size() > 1)
        return {Choice::Kind::Ambiguous, {}};
    if (possible.empty())
        return {Choice::Kind::None, {}};
    if (nothing)
        return {Choice::Kind::Nothing, {}};
    return {Choice::Kind::Rename, *possible.front()};
}

} // namespace batch
