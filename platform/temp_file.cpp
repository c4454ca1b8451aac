#include "platform/temp_file.h"

#include "platform/io_calls.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

QByteArray nameBeside(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return path.left(slash + 1) + "." + path.mid(slash + 1) + "."
        + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

int createBeside(const QByteArray& path, QByteArray& tempPath)
{
    for (int tries = 0; tries < 100; ++tries) {
        tempPath = nameBeside(path);
        // O_EXCL never opens what another made; 0666 lets the umask decide.
        const int fd = io::open(tempPath.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace platform
