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

// The whole file, or nothing when it cannot be read.
std::optional<QByteArray> readBytes(const QString& path);

enum class RemoveStatus { Removed, Missing, Failed };
RemoveStatus removeFile(const QString& path);

} // namespace platform
