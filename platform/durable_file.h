#pragma once

#include <QByteArray>
#include <QString>

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
    // last good sync may be counted on.
    bool sync();

    bool placed() const { return placed_; }
    long long size() const { return size_; }

    // Closes; a file never put in place is removed.
    void close();

private:
    bool giveName();   // links the nameless file under a hidden name
    void broken();     // nothing more gets in or is vouched for

    QString name_;
    QByteArray tempPath_;   // empty while the file has no name
    int fd_ = -1;
    int folderFd_ = -1;
    long long size_ = 0;
    bool placed_ = false;
};

} // namespace platform
