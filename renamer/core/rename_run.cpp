#include "renamer/core/rename_run.h"

#include "batch/undo_line.h"
#include "batch/undo_script.h"
#include "platform/durable_file.h"
#include "platform/entry_names.h"
#include "platform/folder_lock.h"
#include "platform/rename.h"
#include "platform/text_file.h"
#include "renamer/core/name_set.h"
#include "renamer/core/undo_check.h"

#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <optional>
#include <vector>

namespace renamer {
namespace {

// A group of undo lines reaches the disk with one sync before its files are
// renamed: few syncs for a large run, and the counter still moves often.
constexpr int kGroupLines = 1024;
constexpr qint64 kGroupMs = 50;

// From this many names on, the folder is read once instead of asked about
// every name on its own.
constexpr qsizetype kSnapshotFrom = 256;

// One entry of the current group, in run order. Entries without a line are
// kept too, so the counter is shown in the run's order.
struct Entry {
    QByteArray from;           // as the file system spells them
    QByteArray to;
    quint64 fromHash = 0;
    quint64 toHash = 0;
    int counter = 0;           // the run counter once this entry is done
    qsizetype lineEnd = -1;    // where its line ends in the group's bytes; -1: no line
    bool attempt = false;      // counted as a rename attempt
};

class Run {
public:
    Run(const RunOptions& options, RunReport& report) : options_(options), report_(report) {}

    bool open()
    {
        if (lock_.busy()) {
            report_.stop = RunReport::Stop::Busy;
            return false;
        }
        if (script_.open(options_.scriptName, lock_.folderFd()) != platform::DurableFile::OpenStatus::Ok) {
            report_.stop = RunReport::Stop::ScriptNotCreated;
            return false;
        }
        return true;
    }

    void walk(const QStringList& oldNames, const Transform& transform)
    {
        const qsizetype count = std::min<qsizetype>(oldNames.size(), kNameTableSize);
        if (count >= kSnapshotFrom) {
            if (const auto names = platform::nonFolderEntries()) {
                present_.emplace();
                for (const QByteArray& name : *names)
                    present_->insert(name, NameSet::hashOf(name));
            }
        }
        for (qsizetype i = 0; i < count; ++i) {
            if (!plan(oldNames[i], transform))
                return;
            if (entries_.size() >= std::size_t(kGroupLines) || (!entries_.empty() && clock_.elapsed() >= kGroupMs)) {
                if (!commit())
                    return;
            }
        }
        commit();
    }

    void close()
    {
        script_.close();   // a script that never got a line is dropped, the old one stays
    }

private:
    // Decides one entry; false when the run must stop.
    bool plan(const QString& oldName, const Transform& transform)
    {
        if (isExcluded(oldName))
            return noLine(false);
        const TransformResult result = transform(oldName, counter_);
        if (result.kind == TransformResult::Kind::TooShort) {
            ++report_.tooShort;
            return noLine(false);
        }
        if (result.kind != TransformResult::Kind::NewName)
            return noLine(false);
        const auto line = encodedUndoLine(result.name, oldName);
        if (!line) {
            ++report_.unrepresentable;
            return noLine(false);
        }
        // The checks below ask the folder, so they must see this group's
        // renames done when they touch its names.
        const QString undo = result.name.contains(u' ') || oldName.contains(u' ')
            ? batch::undoLine(result.name, oldName)
            : QString();
        const bool readings = !undo.isEmpty() && batch::usableReadings(undo).size() > 1;
        const QByteArray from = QFile::encodeName(oldName);
        const quint64 fromHash = NameSet::hashOf(from);
        if (readings || touched_.contains(from, fromHash)) {
            if (!commit())
                return false;
        }
        // A name with a folder in it is never one of this folder's files.
        if (!platform::isBareFileName(oldName) || !exists(oldName, from, fromHash)) {
            // Gone, listed twice, or a folder listed from elsewhere: nothing
            // may move, and an undo line would move whatever holds the new name.
            ++(moves_.movedAway(from) ? report_.alreadyMoved : report_.notFound);
            ++counter_;
            return noLine(true);
        }
        if (!platform::isBareFileName(result.name)) {
            // No rename can make it ("", "..", a "/"), and the restore
            // would refuse a script holding it.
            ++report_.refused;
            report_.refusedWhy = batch::refusalWords(platform::RenameStatus::NameRefused);
            ++counter_;
            return noLine(true);
        }
        if (readings && !undoReadsOneWay(undo, result.name, oldName, moves_)) {
            ++report_.ambiguous;
            return noLine(false);
        }
        startGroup();
        bytes_ += *line;
        bytes_ += "\r\n";
        ++lines_;
        ++counter_;
        const QByteArray to = QFile::encodeName(result.name);
        const quint64 toHash = NameSet::hashOf(to);
        entries_.push_back({from, to, fromHash, toHash, counter_, bytes_.size(), true});
        touched_.insert(from, fromHash);
        touched_.insert(to, toHash);
        return true;
    }

    // Whether a file (not a folder) of the name is there now.
    bool exists(const QString& name, const QByteArray& spelled, quint64 hash) const
    {
        return present_ ? present_->contains(spelled, hash) : platform::fileEntryExists(name);
    }

    bool noLine(bool attempt)
    {
        if (attempt || options_.refreshEveryEntry) {
            startGroup();
            entries_.push_back({{}, {}, 0, 0, counter_, -1, attempt});
        }
        return true;
    }

    void startGroup()
    {
        if (entries_.empty())
            clock_.start();
    }

    // Writes and syncs the group's lines, then renames its files in order.
    // False when the run must stop.
    bool commit()
    {
        qsizetype kept = 0;
        bool whole = true;
        if (lines_ > 0) {
            kept = script_.append(bytes_);
            whole = kept == bytes_.size();
            // Nothing that got in is no reason to put an empty script in
            // place of the last run's.
            if (kept == 0 || !script_.sync()) {
                report_.stop = script_.placed() ? RunReport::Stop::ScriptWriteFailed : RunReport::Stop::ScriptNotCreated;
                return false;
            }
        }
        for (const Entry& e : entries_) {
            if (e.lineEnd > kept)
                break;   // its line did not reach the disk whole
            if (e.lineEnd >= 0 && e.from != e.to)
                rename(e);
            if (e.attempt)
                report_.attempts = e.counter;
            if (options_.progress)
                options_.progress(e.counter);
        }
        entries_.clear();
        touched_.clear();
        bytes_.clear();
        lines_ = 0;
        if (!whole) {
            report_.stop = RunReport::Stop::ScriptWriteFailed;
            return false;
        }
        return true;
    }

    // Both names were checked to be bare names when planned.
    void rename(const Entry& e)
    {
        using platform::RenameStatus;
        const RenameStatus status = platform::renameNoReplace(e.from, e.to);
        switch (status) {
        case RenameStatus::Renamed:
            ++report_.renamed;
            moves_.moved(e.from, e.to);
            if (present_) {
                present_->remove(e.from, e.fromHash);
                present_->insert(e.to, e.toHash);
            }
            break;
        case RenameStatus::TargetExists:
            ++report_.taken;
            break;
        case RenameStatus::SourceMissing:
            ++report_.notFound;
            if (present_)
                present_->remove(e.from, e.fromHash);
            break;
        default:
            ++report_.refused;
            report_.refusedWhy = batch::refusalWords(status);
            break;
        }
    }

    const RunOptions& options_;
    RunReport& report_;
    platform::FolderLock lock_;
    platform::DurableFile script_;
    int counter_ = 0;             // the run counter as the transforms see it
    QByteArray bytes_;            // the group's undo lines
    int lines_ = 0;
    std::vector<Entry> entries_;
    NameSet touched_;             // names this group's renames take or free
    std::optional<NameSet> present_;   // the folder's files, kept up to date
    RunMoves moves_;
    QElapsedTimer clock_;
};

} // namespace

bool isExcluded(const QString& name)
{
    // The endings are ASCII, so four UTF-16 units are four characters here.
    if (name.size() < 4 || name[name.size() - 4] != u'.')
        return false;
    for (const char16_t* ending : {u".exe", u".bat", u".com", u".dll"}) {
        if (name.endsWith(QStringView(ending), Qt::CaseSensitive))
            return true;
    }
    return false;
}

RunReport runRename(const QStringList& oldNames, const Transform& transform, const RunOptions& options)
{
    RunReport report;
    Run run(options, report);
    if (run.open())
        run.walk(oldNames, transform);
    run.close();
    return report;
}

bool runWentWrong(const RunReport& report)
{
    return report.stop != RunReport::Stop::None || report.failed() > 0;
}

QString reportMessage(const RunReport& report)
{
    QStringList lines;
    switch (report.stop) {
    case RunReport::Stop::Busy:
        return batch::busyFolderMessage();
    case RunReport::Stop::ScriptNotCreated:
        return QStringLiteral("modosu.bat を作成できないため、何も変更しませんでした。");
    case RunReport::Stop::ScriptWriteFailed:
        lines << QStringLiteral("modosu.bat に書き込めなくなったため、途中で止めました。");
        break;
    case RunReport::Stop::None:
        break;
    }
    if (report.notFound > 0)
        lines << QStringLiteral("%1 件は作業フォルダにファイルが見つかりませんでした（名前の変更は、起動したフォルダで行います）。")
                     .arg(report.notFound);
    if (report.taken > 0)
        lines << QStringLiteral("%1 件は新しい名前のファイルがすでにあるため、変更できませんでした。").arg(report.taken);
    if (report.refused > 0 && report.renamed == 0 && report.taken == 0)
        lines << QStringLiteral("このフォルダでは名前を変更できません（%1）。").arg(report.refusedWhy);
    else if (report.refused > 0)
        lines << QStringLiteral("%1 件は名前の変更を拒まれました（%2）。").arg(report.refused).arg(report.refusedWhy);
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

void removeUndoScript(const QString& scriptName)
{
    const platform::FolderLock lock;
    if (!lock.busy())
        platform::removeFile(scriptName);
}

} // namespace renamer
