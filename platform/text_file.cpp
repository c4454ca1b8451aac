#include "platform/text_file.h"

#include "platform/cp932.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

} // namespace

LineWriter::~LineWriter()
{
    close();
}

bool LineWriter::create(const QString& path)
{
    close();
    fd_ = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    size_ = 0;
    return fd_ >= 0;
}

WriteStatus LineWriter::writeLine(const QString& text)
{
    const auto bytes = encodeCp932(text);
    if (!bytes)
        return WriteStatus::NotRepresentable;
    return writeEncodedLine(*bytes);
}

WriteStatus LineWriter::writeEncodedLine(const QByteArray& bytes)
{
    if (fd_ < 0)
        return WriteStatus::IoError;
    QByteArray line = bytes;
    line += "\r\n";
    if (writeAll(fd_, line.constData(), line.size())) {
        size_ += line.size();
        return WriteStatus::Ok;
    }
    // A full disk can cut a line short, and a cut undo line reads as another
    // rename ("ren    Xb.txt    b.t"): take back what part of it got in.
    if (::ftruncate(fd_, off_t(size_)) == 0)
        ::lseek(fd_, off_t(size_), SEEK_SET);
    return WriteStatus::IoError;
}

bool LineWriter::close()
{
    if (fd_ < 0)
        return true;
    bool ok = ::fsync(fd_) == 0 || errno == EINVAL;
    ok = ::close(fd_) == 0 && ok;
    fd_ = -1;
    return ok;
}

WriteStatus writeLines(const QString& path, const QStringList& lines)
{
    QByteArray all;
    for (const QString& line : lines) {
        const auto bytes = encodeCp932(line);
        if (!bytes)
            return WriteStatus::NotRepresentable;
        all += *bytes;
        all += "\r\n";
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0)
        return WriteStatus::IoError;
    bool ok = writeAll(fd, all.constData(), all.size());
    ok = (::fsync(fd) == 0 || errno == EINVAL) && ok;
    ok = ::close(fd) == 0 && ok;
    return ok ? WriteStatus::Ok : WriteStatus::IoError;
}

ReadResult readFile(const QString& path, qint64 maxBytes, Links links)
{
    ReadResult result;
    // Plain system calls: QFile would take a name starting with ":" for one
    // of Qt's built-in resources.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const int fd = ::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0) {
        result.status = errno == ENOENT ? ReadStatus::Missing
            : errno == ELOOP            ? ReadStatus::NotRegular
                                        : ReadStatus::IoError;
        return result;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        result.status = ReadStatus::NotRegular;
        return result;
    }
    // One byte past the limit tells a file that is too long from one that is
    // exactly at it, whatever fstat said (the file may grow meanwhile).
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min<qint64>(st.st_size, maxBytes) + 1));
    char buffer[65536];
    for (;;) {
        const qint64 room = maxBytes + 1 - bytes.size();
        const ssize_t n = ::read(fd, buffer, size_t(std::min<qint64>(room, qint64(sizeof buffer))));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return result;
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
        if (bytes.size() > maxBytes) {
            ::close(fd);
            result.status = ReadStatus::TooLarge;
            return result;
        }
    }
    ::close(fd);
    result.status = ReadStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

std::optional<QByteArray> readBytes(const QString& path, qint64 maxBytes)
{
    ReadResult result = readFile(path, maxBytes);
    if (result.status != ReadStatus::Ok)
        return std::nullopt;
    return std::move(result.bytes);
}

RemoveStatus removeFile(const QString& path)
{
    if (::unlink(QFile::encodeName(path).constData()) == 0)
        return RemoveStatus::Removed;
    return errno == ENOENT ? RemoveStatus::Missing : RemoveStatus::Failed;
}

} // namespace platform
