#include "platform/io_calls.h"

#include <atomic>
#include <fcntl.h>
#include <linux/fs.h>
#include <mutex>
#include <sys/file.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform::io {
namespace {

using testing::Fallback;
using testing::Fault;

// Read on every call: the only cost of the seam when nothing is armed.
std::atomic<bool> armed{false};

struct Plan {
    std::mutex mutex;
    bool faulting = false;
    Fault fault;
    bool met = false;
    bool writeCut = false;   // the cut write got its bytes in; the next one fails
    Fallback fallback = Fallback::None;
    std::array<long, kCallKinds> counts{};
    long any = 0;
};

Plan& plan()
{
    static Plan instance;
    return instance;
}

// What the armed plan makes of this call.
struct Verdict {
    int error = 0;             // fail with this errno
    long long writeOnly = -1;  // a write lets this many bytes through first
};

Verdict decide(Call call)
{
    Plan& p = plan();
    const std::lock_guard lock(p.mutex);
    const long nth = ++p.counts[std::size_t(call)];
    const long any = ++p.any;
    if (!p.faulting)
        return {};
    const Fault& f = p.fault;
    if (f.call != Call::Any && f.call != call)
        return {};
    const long n = f.call == Call::Any ? any : nth;
    if (p.writeCut && call == Call::Write) {
        // The volume filled up during the cut write.
        p.writeCut = f.persistent;
        return {f.error};
    }
    if (n < f.nth || (n >= f.nth + f.times && !f.persistent))
        return {};
    p.met = true;
    if (f.crash)
        ::_exit(testing::kCrashStatus);
    if (call == Call::Write && f.writeOnly > 0 && n == f.nth) {
        p.writeCut = true;
        return {0, f.writeOnly};
    }
    return {f.error};
}

// Whether the call must fail now; errno then says how.
bool faulted(Call call)
{
    if (!armed.load(std::memory_order_relaxed)) [[likely]]
        return false;
    const Verdict v = decide(call);
    errno = v.error;
    return v.error != 0;
}

Fallback forcedFallback()
{
    if (!armed.load(std::memory_order_relaxed)) [[likely]]
        return Fallback::None;
    Plan& p = plan();
    const std::lock_guard lock(p.mutex);
    return p.fallback;
}

template <typename F>
auto retried(F call)
{
    decltype(call()) result;
    do
        result = call();
    while (result < 0 && errno == EINTR);
    return result;
}

} // namespace

int open(const char* path, int flags, mode_t mode)
{
    return retried([&] { return faulted(Call::Open) ? -1 : ::open(path, flags, mode); });
}

int openat(int dirFd, const char* path, int flags, mode_t mode)
{
    return retried([&] { return faulted(Call::Open) ? -1 : ::openat(dirFd, path, flags, mode); });
}

ssize_t read(int fd, void* buffer, size_t size)
{
    return retried([&] { return faulted(Call::Read) ? ssize_t(-1) : ::read(fd, buffer, size); });
}

ssize_t pread(int fd, void* buffer, size_t size, off_t offset)
{
    return retried([&] { return faulted(Call::Read) ? ssize_t(-1) : ::pread(fd, buffer, size, offset); });
}

size_t writeAll(int fd, const char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n <= 0)
            break;
        done += size_t(n);
    }
    return done;
}

ssize_t write(int fd, const void* data, size_t size)
{
    return retried([&]() -> ssize_t {
        if (!armed.load(std::memory_order_relaxed)) [[likely]]
            return ::write(fd, data, size);
        const Verdict v = decide(Call::Write);
        if (v.error != 0) {
            errno = v.error;
            return -1;
        }
        return ::write(fd, data, v.writeOnly >= 0 && size_t(v.writeOnly) < size ? size_t(v.writeOnly) : size);
    });
}

int ftruncate(int fd, off_t length)
{
    return retried([&] { return faulted(Call::Truncate) ? -1 : ::ftruncate(fd, length); });
}

int fdatasync(int fd)
{
    return retried([&] { return faulted(Call::Sync) ? -1 : ::fdatasync(fd); });
}

int fsync(int fd)
{
    return retried([&] { return faulted(Call::Sync) ? -1 : ::fsync(fd); });
}

int renameNoReplace(const char* from, const char* to)
{
    if (forcedFallback() != Fallback::None) {
        errno = EINVAL;   // what a volume without the flag answers
        return -1;
    }
    return retried([&] {
        if (faulted(Call::Rename))
            return -1;
#ifdef SYS_renameat2
        return int(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE));
#else
        errno = ENOSYS;
        return -1;
#endif
    });
}

int rename(const char* from, const char* to)
{
    return retried([&] { return faulted(Call::Rename) ? -1 : ::rename(from, to); });
}

int link(const char* from, const char* to)
{
    if (forcedFallback() == Fallback::CheckedRename) {
        errno = EPERM;   // what a volume without hard links answers
        return -1;
    }
    return retried([&] { return faulted(Call::Link) ? -1 : ::link(from, to); });
}

int linkat(int fromDir, const char* from, int toDir, const char* to, int flags)
{
    return retried([&] { return faulted(Call::Link) ? -1 : ::linkat(fromDir, from, toDir, to, flags); });
}

int unlink(const char* path)
{
    return retried([&] { return faulted(Call::Unlink) ? -1 : ::unlink(path); });
}

int flock(int fd, int operation)
{
    return retried([&] { return faulted(Call::Lock) ? -1 : ::flock(fd, operation); });
}

int close(int fd)
{
    // The descriptor is gone whatever close answers, a faulted one too; and
    // an interrupted close has nothing left to do (Linux released it first).
    const bool fails = faulted(Call::Close);
    const int error = errno;
    int result = ::close(fd);
    if (fails) {
        errno = error;
        result = -1;
    }
    return result != 0 && errno == EINTR ? 0 : result;
}

namespace testing {

namespace {
void rearm(const Fault* fault, Fallback fallback)
{
    Plan& p = plan();
    const std::lock_guard lock(p.mutex);
    p.faulting = fault != nullptr;
    p.fault = fault ? *fault : Fault();
    p.met = false;
    p.writeCut = false;
    p.fallback = fallback;
    p.counts = {};
    p.any = 0;
}

Fallback currentFallback()
{
    Plan& p = plan();
    const std::lock_guard lock(p.mutex);
    return p.fallback;
}
} // namespace

void arm(const Fault& fault)
{
    rearm(&fault, currentFallback());
    armed = true;
}

void forceFallback(Fallback fallback)
{
    Plan& p = plan();
    {
        const std::lock_guard lock(p.mutex);
        p.fallback = fallback;
    }
    armed = true;
}

void count()
{
    rearm(nullptr, currentFallback());
    armed = true;
}

void disarm()
{
    armed = false;
    rearm(nullptr, Fallback::None);
}

bool faultMet()
{
    Plan& p = plan();
    const std::lock_guard lock(p.mutex);
    return p.met;
}

std::array<long, kCallKinds> calls()
{
    Plan& p = plan();
    const std::lock_guard lock(p.mutex);
    return p.counts;
}

} // namespace testing
} // namespace platform::io
