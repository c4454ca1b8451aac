#include "platform/text_file.h"

#include "platform/cp932.h"
#include "platform/io_calls.h"
#include "platform/temp_file.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

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
    return replaceFile(path, all);
}

WriteStatus replaceFile(const QString& pathName, const QByteArray& bytes, const QString& modeFrom)
{
    const QByteArray path = QFile::encodeName(pathName);
    QByteArray temp;
    const int fd = createBeside(path, temp);
    if (fd < 0)
        return WriteStatus::IoError;
    bool ok = true;
    // A copy of the program image keeps the image's bits, execute included.
    struct stat source;
    if (!modeFrom.isEmpty() && ::stat(QFile::encodeName(modeFrom).constData(), &source) == 0)
        ok = ::fchmod(fd, source.st_mode & 07777) == 0;
    ok = io::writeAll(fd, bytes.constData(), size_t(bytes.size())) == size_t(bytes.size()) && ok;
    ok = (io::fsync(fd) == 0 || errno == EINVAL || errno == ENOSYS) && ok;
    ok = io::close(fd) == 0 && ok;
    ok = ok && io::rename(temp.constData(), path.constData()) == 0;
    if (!ok)
        io::unlink(temp.constData());
    return ok ? WriteStatus::Ok : WriteStatus::IoError;
}

ReadResult readFile(const QString& path, qint64 maxBytes, Links links)
{
    ReadResult result;
    // Plain system calls: QFile would take a name starting with ":" for one
    // of Qt's built-in resources.
    const int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (links == Links::Refuse ? O_NOFOLLOW : 0);
    const int fd = io::open(QFile::encodeName(path).constData(), flags);
    if (fd < 0) {
        result.status = errno == ENOENT ? ReadStatus::Missing
            : errno == ELOOP            ? ReadStatus::NotRegular
                                        : ReadStatus::IoError;
        return result;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        io::close(fd);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        io::close(fd);
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
        const ssize_t n = io::read(fd, buffer, size_t(std::min<qint64>(room, qint64(sizeof buffer))));
        if (n < 0) {
            io::close(fd);
            return result;
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
        if (bytes.size() > maxBytes) {
            io::close(fd);
            result.status = ReadStatus::TooLarge;
            return result;
        }
    }
    io::close(fd);
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
    if (io::unlink(QFile::encodeName(path).constData()) == 0)
        return RemoveStatus::Removed;
    return errno == ENOENT ? RemoveStatus::Missing : RemoveStatus::Failed;
}

} // namespace platform
