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

// Creates or replaces path with the given lines. Nothing is created when a
// line is not representable.
WriteStatus writeLines(const QString& path, const QStringList& lines);

// Puts a fresh regular file with these bytes at path: written beside it,
// synced, then renamed over whatever held the name, so a link there is
// replaced, never followed, and a failure leaves the old file whole. The new
// file takes the permission bits of modeFrom when it names a file.
WriteStatus replaceFile(const QString& path, const QByteArray& bytes, const QString& modeFrom = {});

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
