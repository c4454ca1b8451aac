#include "batch/undo_script.h"

#include "batch/undo_line.h"
#include "common/both_at_once.h"
#include "common/ordered_worker.h"
#include "platform/cp932.h"
#include "platform/folder_lock.h"
#include "platform/system_folder.h"
#include "platform/text_file.h"

#include <QFile>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <deque>
#include <memory>
#include <vector>

namespace batch {
namespace {

// From this many bytes on (about 4,000 lines), a script is decoded on two
// threads.
constexpr qsizetype kParallelFrom = 256 * 1024;

bool hasForeignByte(QByteArrayView line)
{
    return std::any_of(line.begin(), line.end(), isForeignByte);
}

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
        report.refusedWhy = refusalWords(status);
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

// The lines are undone from the last to the first. The renames run on a
// thread of their own in chunks, while the next chunk's names are encoded;
// a line that can be read more than one way looks at the folder, so it waits
// until every rename before it is done.
class Restore {
public:
    Restore(const ParsedScript& script, RestoreReport& report)
        : script_(script), report_(report), outcomes_(script.readings.size(), Outcome::Other)
    {
    }

    void run()
    {
        // The run wrote its lines in the order it renamed; undoing goes
        // backwards, or a chain such as Aa -> AAa, a -> Aa would collide.
        for (std::size_t i = outcomes_.size(); i-- > 0;) {
            const auto& readings = script_.readings[i];
            if (readings.size() == 1) {
                const Reading& r = readings.front();
                if (r.first == r.second) {
                    ++report_.unchanged;
                    outcomes_[i] = Outcome::Done;
                } else {
                    // The no-replace rename itself says whether it can be
                    // done: no file need be looked up first.
                    chunk_.push_back({i, QFile::encodeName(r.first), QFile::encodeName(r.second)});
                    if (chunk_.size() >= chunkLines_)
                        handOver();
                }
                continue;
            }
            settle();
            carryOutAlone(i);
        }
        settle();
        recountWhenAllBack(script_, outcomes_, report_);
    }

private:
    struct Rename {
        std::size_t line;
        QByteArray from, to;   // as the file system spells them
        platform::RenameStatus status = platform::RenameStatus::Failed;
        bool backThere = false;
    };
    using Chunk = std::vector<Rename>;

    void handOver()
    {
        if (chunk_.empty())
            return;
        if (inFlight_.size() >= 2)
            takeInOldest();
        auto chunk = std::make_shared<Chunk>(std::move(chunk_));
        chunk_ = Chunk();
        chunk_.reserve(chunkLines_);
        const std::uint64_t ticket = worker_.post([chunk, this] {
            for (Rename& r : *chunk) {
                r.status = renameBack(r.from, r.to);
                // Asked at once: undoing the lines above may bring that name back later.
                r.backThere = r.status == platform::RenameStatus::SourceMissing
                    && exists(script_.readings[r.line].front().second);
            }
        });
        inFlight_.emplace_back(ticket, std::move(chunk));
        chunkLines_ = std::min<std::size_t>(2 * chunkLines_, 1024);
    }

    void takeInOldest()
    {
        const auto [ticket, chunk] = std::move(inFlight_.front());
        inFlight_.pop_front();
        worker_.waitFor(ticket);
        for (const Rename& r : *chunk)
            countOutcome(r.status, r.backThere, report_, outcomes_[r.line]);
    }

    // Every rename handed over done and counted.
    void settle()
    {
        handOver();
        while (!inFlight_.empty())
            takeInOldest();
    }

    void carryOutAlone(std::size_t i)
    {
        const auto& readings = script_.readings[i];
        Outcome& outcome = outcomes_[i];
        const Choice choice = choose(readings, exists);
        switch (choice.kind) {
        case Choice::Kind::Rename: {
            // Both names are bare: the script was checked whole.
            const platform::RenameStatus status
                = renameBack(QFile::encodeName(choice.reading.first), QFile::encodeName(choice.reading.second));
            countOutcome(status, status == platform::RenameStatus::SourceMissing && exists(choice.reading.second),
                         report_, outcome);
            break;
        }
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
    Chunk chunk_;
    std::size_t chunkLines_ = 64;   // small at first, so that the renames start at once
    std::deque<std::pair<std::uint64_t, std::shared_ptr<Chunk>>> inFlight_;
    OrderedWorker worker_;   // last: stops first
};

// Decodes whole lines (each ended by CR LF) and takes their readings; a
// line that is not code page 932 or has no reading of bare names makes the
// part foreign, with that line's number within the part.
void decodeLines(QByteArrayView bytes, ParsedScript& part)
{
    const auto refuse = [&](int line) {
        part.status = ParsedScript::Status::Foreign;
        part.foreignLine = line;
    };
    const auto text = platform::decodeCp932(bytes.toByteArray());
    if (!text) {
        // Find the line that is not code page 932.
        const QList<QByteArray> raw = bytes.toByteArray().split('\n');
        for (qsizetype i = 0; i < raw.size(); ++i)
            if (!platform::decodeCp932(raw[i]))
                return refuse(int(i) + 1);
        return refuse(1);
    }
    // Every line ends in CR LF; each is read where it stands.
    const QStringView all(*text);
    for (qsizetype pos = 0, end = 0; (end = all.indexOf(u"\r\n", pos)) >= 0; pos = end + 2) {
        part.readings.push_back(usableReadings(all.sliced(pos, end - pos)));
        if (part.readings.back().empty())
            return refuse(int(part.readings.size()));
    }
}

} // namespace

ParsedScript parseUndoScript(const QByteArray& bytes)
{
    ParsedScript parsed;
    auto refuse = [&](int line, ParsedScript::Status status = ParsedScript::Status::Foreign) {
        parsed.status = status;
        parsed.foreignLine = line;
        parsed.readings.clear();
        return parsed;
    };
    // A power cut can leave the end of a file as zero bytes that were never
    // written: like a cut last line, such an end is skipped. Zero bytes
    // anywhere else mean the file is damaged.
    qsizetype size = bytes.size();
    while (size > 0 && bytes[size - 1] == '\0')
        --size;
    parsed.cutShort = size < bytes.size();
    if (QByteArrayView(bytes).first(size).contains('\0'))
        return refuse(0, ParsedScript::Status::Damaged);
    // Whole lines are checked byte by byte, then decoded at once.
    qsizetype whole = 0;   // where the whole lines end
    int count = 0;
    for (qsizetype pos = 0; pos < size; pos = whole) {
        const qsizetype end = bytes.indexOf("\r\n", pos);
        if (end < 0) {
            // A run cut short leaves a last line without its end; other
            // line ends mean another program wrote the file.
            // A write cut between CR and LF leaves the CR alone at the end.
            const QByteArrayView rest = QByteArrayView(bytes).sliced(pos, size - pos);
            if (rest.chopped(rest.endsWith('\r') ? 1 : 0).contains('\r') || rest.contains('\n'))
                return refuse(count + 1);
            parsed.cutShort = true;
            break;
        }
        if (++count > kMaxUndoLines)
            return refuse(count, ParsedScript::Status::TooManyLines);
        if (hasForeignByte(QByteArrayView(bytes).sliced(pos, end - pos)))
            return refuse(count);
        whole = end + 2;
    }
    // Nothing but a cut line is no script a run leaves.
    if (count == 0 && parsed.cutShort)
        return refuse(0, ParsedScript::Status::Damaged);
    // Large scripts are decoded in two halves at once, split at a line end.
    const qsizetype half = whole >= kParallelFrom ? bytes.indexOf("\r\n", whole / 2) + 2 : whole;
    ParsedScript second;
    const auto first = [&] { decodeLines(QByteArrayView(bytes).first(half), parsed); };
    if (half < whole)
        bothAtOnce(first, [&] { decodeLines(QByteArrayView(bytes).sliced(half, whole - half), second); });
    else
        first();
    if (parsed.status == ParsedScript::Status::Foreign)
        return refuse(parsed.foreignLine);
    if (second.status == ParsedScript::Status::Foreign)
        return refuse(int(parsed.readings.size()) + second.foreignLine);
    parsed.readings.insert(parsed.readings.end(), std::make_move_iterator(second.readings.begin()),
                           std::make_move_iterator(second.readings.end()));
    return parsed;
}

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

QString busyFolderMessage()
{
    return QStringLiteral("このフォルダでは別の quillmere が名前を変更中です。終わってからもう一度押して下さい。");
}

QString refusalWords(platform::RenameStatus status)
{
    using platform::RenameStatus;
    switch (status) {
    case RenameStatus::NotPermitted:
        return QStringLiteral("書き込みの権限がありません");
    case RenameStatus::ReadOnly:
        return QStringLiteral("読み取り専用のドライブです");
    case RenameStatus::NameRefused:
        return QStringLiteral("このドライブでは使えない名前です");
    default:
        return QStringLiteral("システムのエラーです");
    }
}

bool restoreWentWrong(const RestoreReport& report)
{
    // No script at all is news, not a fault.
    return (report.status != RestoreReport::Status::Ran && report.status != RestoreReport::Status::Missing)
        || report.failures() > 0 || report.cutShort;
}

QString restoreMessage(const RestoreReport& r)
{
    using Status = RestoreReport::Status;
    switch (r.status) {
    case Status::Missing:
        return QStringLiteral("元に戻すためのファイル modosu.bat がありません。");
    case Status::Unreadable:
        return QStringLiteral("modosu.bat を読み込めませんでした（普通のファイルでないか、読み取りのエラーです）。");
    case Status::TooLarge:
        return QStringLiteral("modosu.bat が大きすぎるため、実行しませんでした。");
    case Status::Foreign:
        return QStringLiteral("この modosu.bat は quillmere が書いたものではないため、何も実行しませんでした（%1 行目）。")
            .arg(r.foreignLine);
    case Status::Damaged:
        return QStringLiteral("modosu.bat が壊れているため、何も実行しませんでした。");
    case Status::Busy:
        return busyFolderMessage();
    case Status::Ran:
        break;
    }
    QStringList lines;
    if (r.restored > 0)
        lines << QStringLiteral("%1 件の名前を元に戻しました。").arg(r.restored);
    else if (r.alreadyBack > 0 && r.failures() == 0)
        lines << QStringLiteral("名前はすでに元に戻っています。");
    else if (r.failures() == 0 && !r.cutShort)
        lines << QStringLiteral("元に戻す名前はありませんでした。");
    if (r.alreadyBack > 0 && (r.restored > 0 || r.failures() > 0))
        lines << QStringLiteral("%1 件はすでに元の名前でした。").arg(r.alreadyBack);
    if (r.taken > 0)
        lines << QStringLiteral("%1 件は元の名前のファイルがほかにあるため、戻せませんでした。").arg(r.taken);
    if (r.missing > 0)
        lines << QStringLiteral("%1 件はファイルが見つからないため、戻せませんでした。").arg(r.missing);
    if (r.ambiguous > 0)
        lines << QStringLiteral("%1 件は行の読み方が一つに決まらないため、実行しませんでした。").arg(r.ambiguous);
    if (r.refused > 0)
        lines << QStringLiteral("%1 件は名前の変更を拒まれました（%2）。").arg(r.refused).arg(r.refusedWhy);
    if (r.cutShort)
        lines << QStringLiteral("途中で切れた最後の行は実行しませんでした。");
    return lines.join(u'\n');
}

} // namespace batch
