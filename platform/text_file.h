#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Text files in code page 932 with CR LF after every line.
namespace platform {

enum class WriteStatus {
    Ok,
    NotRepresentable,   // the text cannot be held exactly in code page 932
    IoError,            // the file could not be created or written
};

// A file written one line at a time. Each writeLine() hands the whole line to
// the operating system before it returns, so a line survives a crash of the
// process that wrote it.
class LineWriter {
public:
    LineWriter() = default;
    ~LineWriter();
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    // Creates the file, or empties an existing one.
    bool create(const QString& path);
    bool isOpen() const { return fd_ >= 0; }
    // Writes text + CR LF. Nothing is written when the text is not
    // representable.
    WriteStatus writeLine(const QString& text);
    // Writes bytes + CR LF as they are (already encoded). A line that cannot
    // be written whole is taken back out of the file.
    WriteStatus writeEncodedLine(const QByteArray& bytes);
    // Syncs and closes; false when an error showed up on the way.
    bool close();

private:
    int fd_ = -1;
    long long size_ = 0;   // bytes of the whole lines written so far
};

// Creates or replaces path with the given lines. Nothing is created when a
// line is not representable.
WriteStatus writeLines(const QString& path, const QStringList& lines);

enum class ReadStatus {
    Ok,
    Missing,      // no entry of that name
    NotRegular,   // a folder, FIFO, device, socket (or a link, where links are not followed)
    TooLarge,     // longer than the caller's limit
    IoError,
};

struct ReadResult {
    ReadStatus status = ReadStatus::IoError;
    QByteArray bytes;   // the whole file when status is Ok
};

enum class Links { Follow, Refuse };

// Reads a regular file of at most maxBytes. The open never blocks (a FIFO or
// a device is refused, not waited on), and nothing past the limit is read,
// so a huge file or a link to /dev/zero cannot exhaust memory.
ReadResult readFile(const QString& path, qint64 maxBytes, Links links = Links::Follow);

// readFile's bytes, or nothing when the file cannot be read within the limit.
std::optional<QByteArray> readBytes(const QString& path, qint64 maxBytes);

enum class RemoveStatus { Removed, Missing, Failed };
RemoveStatus removeFile(const QString& path);

} // namespace platform
