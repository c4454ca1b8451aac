#include "renamer/core/rename_run.h"

#include "batch/script.h"
#include "platform/cp932.h"
#include "platform/rename.h"
#include "platform/text_file.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace renamer {
namespace {

bool isPrintableAscii(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

// The converter holds printable ASCII as the same bytes (some control
// characters it moves about). Checked once, so an all-ASCII line (the usual
// case) skips the converter's round trip.
bool printableAsciiEncodesAsItself()
{
    static const bool same = [] {
        QString all;
        for (char16_t c = 0x20; c <= 0x7E; ++c)
            all += QChar(c);
        const auto bytes = platform::encodeCp932(all);
        return bytes && *bytes == all.toLatin1();
    }();
    return same;
}

// The undo line as the script will hold it, or nothing when the script
// cannot hold one of its names exactly (a line break included). Encoding the
// whole line once is enough: the code page is stateless, so the line comes
// back exactly only when each name does.
std::optional<QByteArray> encodedUndoLine(const QString& line)
{
    if (isPrintableAscii(line) && printableAsciiEncodesAsItself())
        return line.toLatin1();
    if (line.contains(u'\n') || line.contains(u'\r'))
        return std::nullopt;
    return platform::encodeCp932(line);
}

// The names the run has moved so far, to see the folder as it stood before
// the run: a restore pressed a second time starts from there.
class RunMoves {
public:
    // Only names with blanks ever ask, so a move is just noted here and the
    // sets are brought up to date when asked.
    void moved(const QString& from, const QString& to) { pending_.emplace_back(from, to); }
    bool existedAtStart(const QString& name) const
    {
        for (; applied_ < pending_.size(); ++applied_) {
            const auto& [from, to] = pending_[applied_];
            if (!made_.remove(from))
                taken_.insert(from);
            if (!taken_.remove(to))
                made_.insert(to);
        }
        return taken_.contains(name) || (!made_.contains(name) && platform::entryExists(name));
    }

private:
    std::vector<std::pair<QString, QString>> pending_;
    mutable std::size_t applied_ = 0;
    mutable QSet<QString> made_;    // there now only because the run put them there
    mutable QSet<QString> taken_;   // there at the start, moved away since
};

// Runs of four blanks in a name let its undo line split more than one way.
// Such a line is written only when restoring picks the right split after the
// rename, and moves nothing should the rename fail (or the run stop before
// it), nor when restore is pressed again after a restore.
bool undoReadsOneWay(const QString& line, const QString& newName, const QString& oldName, const RunMoves& moves)
{
    // Without a blank in either name the separator is the only run of four.
    if (!newName.contains(u' ') && !oldName.contains(u' '))
        return true;
    if (batch::renReadings(line).size() < 2)
        return true;
    const auto now = [](const QString& name) { return platform::entryExists(name); };
    const auto atStart = [&](const QString& name) { return moves.existedAtStart(name); };
    const auto moved = [&](const QString& name) {
        return name == newName || (name != oldName && platform::entryExists(name));
    };
    const auto acts = [](const auto& pick, const auto& exists) {
        return pick && exists(pick->first) && !exists(pick->second);
    };
    if (acts(batch::chosenReading(line, now), now) || acts(batch::chosenReading(line, atStart), atStart))
        return false;
    if (newName == oldName)
        return true;
    const auto pick = batch::chosenReading(line, moved);
    return pick && pick->first == newName && pick->second == oldName;
}

} // namespace

bool isExcluded(const QString& name)
{
    // The endings are ASCII, so four UTF-16 units are four characters here.
    for (const char16_t* ending : {u".exe", u".bat", u".com", u".dll"}) {
        if (name.endsWith(QStringView(ending), Qt::CaseSensitive))
            return true;
    }
    return false;
}

RunReport runRename(const QStringList& oldNames, const Transform& transform, const RunOptions& options)
{
    RunReport report;
    platform::LineWriter script;
    if (!script.create(options.scriptName)) {
        report.stop = RunReport::Stop::ScriptNotCreated;
        return report;
    }

    auto progress = [&] {
        if (options.progress)
            options.progress(report.attempts);
    };

    RunMoves moves;
    const qsizetype count = std::min<qsizetype>(oldNames.size(), kNameTableSize);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& oldName = oldNames[i];
        bool attempted = false;
        if (!isExcluded(oldName)) {
            const TransformResult result = transform(oldName, report.attempts);
            if (result.kind == TransformResult::Kind::TooShort) {
                ++report.tooShort;
            } else if (result.kind == TransformResult::Kind::NewName) {
                const QString undo = batch::undoLine(result.name, oldName);
                const auto line = encodedUndoLine(undo);
                if (!line) {
                    ++report.unrepresentable;
                } else if (!platform::fileEntryExists(oldName)) {
                    // Gone, listed twice, or a folder listed from elsewhere:
                    // nothing may move, and an undo line would move whatever
                    // holds the new name.
                    ++report.failed;
                    ++report.attempts;
                    attempted = true;
                } else if (!undoReadsOneWay(undo, result.name, oldName, moves)) {
                    ++report.ambiguous;
                } else {
                    // The undo line is with the system before the file moves.
                    if (script.writeEncodedLine(*line) != platform::WriteStatus::Ok) {
                        report.stop = RunReport::Stop::ScriptWriteFailed;
                        break;
                    }
                    if (result.name != oldName) {
                        if (platform::renameBareNoReplace(oldName, result.name) == platform::RenameStatus::Renamed) {
                            ++report.renamed;
                            moves.moved(oldName, result.name);
                        } else {
                            ++report.failed;
                        }
                    }
                    ++report.attempts;
                    attempted = true;
                }
            }
        }
        if (attempted || options.refreshEveryEntry)
            progress();
    }

    if (!script.close())
        report.scriptNotClosed = true;
    return report;
}

QString reportMessage(const RunReport& report)
{
    QStringList lines;
    switch (report.stop) {
    case RunReport::Stop::ScriptNotCreated:
        return QStringLiteral("modosu.bat を作成できないため、何も変更しませんでした。");
    case RunReport::Stop::ScriptWriteFailed:
        lines << QStringLiteral("modosu.bat に書き込めなくなったため、途中で止めました。");
        break;
    case RunReport::Stop::None:
        break;
    }
    if (report.scriptNotClosed && report.stop == RunReport::Stop::None)
        lines << QStringLiteral("modosu.bat を最後まで保存できなかったおそれがあります。");
    if (report.failed > 0)
        lines << QStringLiteral("%1 件の名前を変更できませんでした（同じ名前のファイルがある等）。").arg(report.failed);
    if (report.unrepresentable > 0)
        lines << QStringLiteral("%1 件は modosu.bat に書けない文字を含むため、変更しませんでした。")
                     .arg(report.unrepresentable);
    if (report.ambiguous > 0)
        lines << QStringLiteral("%1 件は modosu.bat で正しく元に戻せない名前のため、変更しませんでした。")
                     .arg(report.ambiguous);
    if (report.tooShort > 0)
        lines << QStringLiteral("%1 件はファイル名が短いため、変更しませんでした。").arg(report.tooShort);
    return lines.join(u'\n');
}

} // namespace renamer
