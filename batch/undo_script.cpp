// Carrying out an undo script: its lines from the last to the first.
#include "batch/undo_script.h"

#include "batch/undo_line.h"
#include "platform/folder_lock.h"
#include "platform/system_folder.h"
#include "platform/text_file.h"

#include <QFile>
#include <QSet>
#include <QStringEncoder>

#include <vector>

namespace batch {
namespace {

// What became of each line, for the second look at lines whose old name
// was held: was it held by the very file the restore had put back?
enum class Outcome { Done, Back, Taken, Other };

bool exists(const QString& name)
{
    return platform::entryExists(name);
}

// A run cut off between the link and the unlink of a rename through a hard
// link leaves the file under both names: dropping the newer name restores it.
platform::RenameStatus renameBack(const QByteArray& from, const QByteArray& to)
{
    const platform::RenameStatus status = platform::renameNoReplace(from, to);
    if (status == platform::RenameStatus::TargetExists && platform::dropSecondName(from, to))
        return platform::RenameStatus::Renamed;
    return status;
}

// backThere: after a rename that found no file, whether the old name is there.
void countOutcome(platform::RenameStatus status, bool backThere, RestoreReport& report, Outcome& outcome)
{
    using platform::RenameStatus;
    switch (status) {
    case RenameStatus::Renamed:
        ++report.restored;
        outcome = Outcome::Done;
        return;
    case RenameStatus::SourceMissing:
        if (backThere) {
            ++report.alreadyBack;
            outcome = Outcome::Back;
        } else {
            ++report.missing;
        }
        return;
    case RenameStatus::TargetExists:
        ++report.taken;
        outcome = Outcome::Taken;
        return;
    default:
        ++report.refused;
        report.refusedWhy = status;
        return;
    }
}

// Restoring twice must not move what the first restore put back, and must
// say so: a line whose old name is held counts as back when its file went
// back before (its new name is absent) or when its new name is held by a
// file an earlier line put back (a chain such as Aa -> AAa, a -> Aa).
void recountWhenAllBack(const ParsedScript& script, std::vector<Outcome>& outcomes, RestoreReport& report)
{
    if (report.restored > 0 || report.missing > 0 || report.ambiguous > 0 || report.refused > 0 || report.taken == 0)
        return;
    QSet<QString> putBack;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        const auto& readings = script.readings[i];
        if (outcomes[i] == Outcome::Taken) {
            if (readings.size() != 1 || !putBack.contains(readings.front().first))
                return;
            outcomes[i] = Outcome::Back;
        }
        if (outcomes[i] == Outcome::Back)
            for (const Reading& r : readings)
                putBack.insert(r.second);
    }
    report.alreadyBack += report.taken;
    report.taken = 0;
}

// What a line asks for, and where a plain rename's names stand in
// Restore::spelled_.
struct PlannedLine {
    enum class Kind { Rename, Same, Choose };
    Kind kind = Kind::Choose;
    qsizetype from = 0;
    qsizetype fromSize = 0;
    qsizetype to = 0;
    qsizetype toSize = 0;
};

// The lines are undone from the last to the first, one after another: the
// renames are nearly all of the time, and on a thread of their own they
// were no faster.
class Restore {
public:
    Restore(const ParsedScript& script, RestoreReport& report)
        : script_(script), report_(report), outcomes_(script.readings.size(), Outcome::Other)
    {
    }

    void run()
    {
        plan();
        // The run wrote its lines in the order it renamed; undoing goes
        // backwards, or a chain such as Aa -> AAa, a -> Aa would collide.
        for (std::size_t i = lines_.size(); i-- > 0;) {
            const PlannedLine& line = lines_[i];
            switch (line.kind) {
            case PlannedLine::Kind::Choose:
                chooseAndCarryOut(i);
                break;
            case PlannedLine::Kind::Same:
                ++report_.unchanged;
                outcomes_[i] = Outcome::Done;
                break;
            case PlannedLine::Kind::Rename:
                // The no-replace rename itself says whether it can be done:
                // no file need be looked up first.
                carryOut(QByteArray::fromRawData(spelled_.constData() + line.from, line.fromSize),
                         QByteArray::fromRawData(spelled_.constData() + line.to, line.toSize),
                         [&]() -> const QString& { return script_.readings[i].front().second; }, outcomes_[i]);
                break;
            }
        }
        recountWhenAllBack(script_, outcomes_, report_);
    }

private:
    // Tells each line's kind and spells every plain rename's names before
    // the first rename, into one block with a zero byte after each name.
    // The renames then run back to back over two small arrays instead of
    // walking the parsed lines between them: measured, several per cent of
    // the whole restore, all of it time in the program.
    void plan()
    {
        lines_.resize(script_.readings.size());
        qsizetype room = 0;
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const auto& readings = script_.readings[i];
            if (readings.size() != 1)
                continue;
            const Reading& r = readings.front();
            if (r.first == r.second) {
                lines_[i].kind = PlannedLine::Kind::Same;
                continue;
            }
            lines_[i].kind = PlannedLine::Kind::Rename;
            room += encoder_.requiredSpace(r.first.size()) + encoder_.requiredSpace(r.second.size()) + 2;
        }
        spelled_.resize(room);
        char* const start = spelled_.data();
        char* out = start;
        const auto append = [&](const QString& name, qsizetype& at, qsizetype& size) {
            at = out - start;
            out = encoder_.appendToBuffer(out, name);
            size = out - start - at;
            *out++ = '\0';
        };
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            PlannedLine& line = lines_[i];
            if (line.kind != PlannedLine::Kind::Rename)
                continue;
            const Reading& r = script_.readings[i].front();
            append(r.first, line.from, line.fromSize);
            append(r.second, line.to, line.toSize);
        }
    }

    // Both names are bare: the script was checked whole. from and to are
    // the names as the system spells them, each ended by a zero byte;
    // oldName gives the name the line puts back, asked for only when the
    // rename found no file.
    template <typename OldName>
    void carryOut(const QByteArray& from, const QByteArray& to, const OldName& oldName, Outcome& outcome)
    {
        const platform::RenameStatus status = renameBack(from, to);
        // Asked at once: undoing the lines above may bring that name back later.
        countOutcome(status, status == platform::RenameStatus::SourceMissing && exists(oldName()), report_, outcome);
    }

    // A line of more than one reading: the folder tells which can be done.
    void chooseAndCarryOut(std::size_t i)
    {
        const auto& readings = script_.readings[i];
        Outcome& outcome = outcomes_[i];
        const Choice choice = choose(readings, exists);
        switch (choice.kind) {
        case Choice::Kind::Rename:
            carryOut(QFile::encodeName(choice.reading.first), QFile::encodeName(choice.reading.second),
                     [&]() -> const QString& { return choice.reading.second; }, outcome);
            break;
        case Choice::Kind::Nothing:
            ++report_.unchanged;
            outcome = Outcome::Done;
            break;
        case Choice::Kind::Ambiguous:
            ++report_.ambiguous;
            break;
        case Choice::Kind::None: {
            bool held = false, back = false;
            for (const Reading& r : readings) {
                held = held || exists(r.first);
                back = back || exists(r.second);
            }
            if (held) {
                ++report_.taken;
                outcome = Outcome::Taken;
            } else if (back) {
                ++report_.alreadyBack;
                outcome = Outcome::Back;
            } else {
                ++report_.missing;
            }
            break;
        }
        }
    }

    const ParsedScript& script_;
    RestoreReport& report_;
    std::vector<Outcome> outcomes_;
    QStringEncoder encoder_{QStringConverter::System, QStringConverter::Flag::Stateless};
    QByteArray spelled_;
    std::vector<PlannedLine> lines_;
};

} // namespace

RestoreReport runUndoScript(const QString& path)
{
    RestoreReport report;
    const platform::FolderLock lock;
    if (lock.busy()) {
        report.status = RestoreReport::Status::Busy;
        return report;
    }
    // A link is not followed: the script is the folder's own file.
    const platform::ReadResult read
        = platform::readFile(platform::mapScriptPath(path), kMaxUndoScriptBytes, platform::Links::Refuse);
    switch (read.status) {
    case platform::ReadStatus::Ok:
        break;
    case platform::ReadStatus::Missing:
        report.status = RestoreReport::Status::Missing;
        return report;
    case platform::ReadStatus::TooLarge:
        report.status = RestoreReport::Status::TooLarge;
        return report;
    case platform::ReadStatus::NotRegular:
    case platform::ReadStatus::IoError:
        report.status = RestoreReport::Status::Unreadable;
        return report;
    }
    const ParsedScript parsed = parseUndoScript(read.bytes);
    switch (parsed.status) {
    case ParsedScript::Status::Ok:
        break;
    case ParsedScript::Status::Foreign:
        report.status = RestoreReport::Status::Foreign;
        report.foreignLine = parsed.foreignLine;
        return report;
    case ParsedScript::Status::Damaged:
        report.status = RestoreReport::Status::Damaged;
        return report;
    case ParsedScript::Status::TooManyLines:
        report.status = RestoreReport::Status::TooLarge;
        return report;
    }
    report.lines = int(parsed.readings.size());
    report.cutShort = parsed.cutShort;
    Restore(parsed, report).run();
    return report;
}

} // namespace batch
