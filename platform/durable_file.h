#pragma once

#include <QByteArray>
#include <QString>

#include <sys/types.h>
#include <utility>
#include <vector>

// A file of lines that reaches the disk in groups, written beside its final
// name and put in place on the first sync. Until then an older file of that
// name stays as it was, and whatever stands at that name (a file with other
// hard links, a symbolic link) is replaced, never written through.
namespace platform {

class DurableFile {
public:
    enum class OpenStatus {
        Ok,
        InTheWay,       // a folder, FIFO, device or socket holds the name
        CannotCreate,   // the folder takes no new file
    };

    DurableFile() = default;
    ~DurableFile();
    DurableFile(const DurableFile&) = delete;
    DurableFile& operator=(const DurableFile&) = delete;

    // name is a bare name in the working directory; folderFd, when not -1, is
    // that directory, synced once the file is in place.
    OpenStatus open(const QString& name, int folderFd);

    // Appends lines, each ended by LF. A write cut short (a full disk) is
    // cut back to the last whole line that got in; returns how many of the
    // bytes stay in the file. Where the cut cannot be undone, or after a
    // failed sync, the file takes nothing more and no sync succeeds.
    qsizetype append(const QByteArray& lines);

    // Makes everything appended so far durable; the first time, also puts
    // the file in place under its name. False: nothing appended since the
    // last good sync may be counted on; also when another file has taken
    // the name since (lost()).
    bool sync();

    // Puts in place a durable file that holds this one's bytes less the given
    // ranges (offsets, in order, not overlapping). False: the file as it was
    // stays in place and takes nothing more.
    bool dropRanges(const std::vector<std::pair<qint64, qint64>>& ranges);

    bool placed() const { return placed_; }
    // Another file stood at the name at a sync after this one was put there.
    bool lost() const { return lost_; }
    // Whether this file, once placed, still stands at its name; notes a loss.
    bool checkInPlace();
    long long size() const { return size_; }

    // Closes; a file never put in place is removed.
    void close();

private:
    int create(QByteArray& tempPath) const;   // a new file beside the name
    bool putInPlace();
    bool stillInPlace() const;
    bool giveName();   // links the nameless file under a hidden name
    void broken();     // nothing more gets in or is vouched for

    QString name_;
    QByteArray tempPath_;   // empty while the file has no name
    int fd_ = -1;
    int folderFd_ = -1;
    long long size_ = 0;
    bool placed_ = false;
    bool lost_ = false;
    dev_t device_ = 0;      // the file as it was put in place
    ino_t inode_ = 0;
};

} // namespace platform
