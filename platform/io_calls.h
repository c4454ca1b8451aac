#pragma once

#include <array>
#include <cerrno>
#include <sys/types.h>

// Every system call that touches the user's files, the undo script or the
// memorial file goes through here, so that a test can make any one of them
// fail, or end the process, and walk that error path for real. Unarmed, a
// call costs one well-predicted branch.
//
// EINTR is retried here once for every caller, so no caller needs its own
// loop (close is never retried: Linux has released the descriptor anyway).
namespace platform::io {

enum class Call : unsigned char { Open, Read, Write, Truncate, Sync, Rename, Link, Unlink, Lock, Close, Any };
inline constexpr std::size_t kCallKinds = std::size_t(Call::Any);

int open(const char* path, int flags, mode_t mode = 0);
int openat(int dirFd, const char* path, int flags, mode_t mode = 0);
ssize_t read(int fd, void* buffer, size_t size);
ssize_t write(int fd, const void* data, size_t size);
int ftruncate(int fd, off_t length);
int fdatasync(int fd);
int fsync(int fd);
// renameat2 with RENAME_NOREPLACE, relative to the working directory.
int renameNoReplace(const char* from, const char* to);
int rename(const char* from, const char* to);
int link(const char* from, const char* to);
int linkat(int fromDir, const char* from, int toDir, const char* to, int flags);
int unlink(const char* path);
int flock(int fd, int operation);
int close(int fd);
ssize_t pread(int fd, void* buffer, size_t size, off_t offset);

// Writes until everything is in or a write fails; how many bytes got in.
size_t writeAll(int fd, const char* data, size_t size);

namespace testing {

inline constexpr int kCrashStatus = 77;

struct Fault {
    Call call = Call::Any;      // Any: the Nth call of whatever kind
    long nth = 1;               // counted from 1 since arm()
    int error = EIO;
    long times = 1;             // how many calls fail from the Nth on
    bool persistent = false;    // every call of the kind from the Nth on fails
    long long writeOnly = -1;   // a Write: this many bytes get in, then it fails with error
    bool crash = false;         // _exit(kCrashStatus) at the Nth call, as a power cut would
};

// The file system as one that lacks the no-replace flag (HardLink), or hard
// links too (CheckedRename).
enum class Fallback { None, HardLink, CheckedRename };

// Arms one fault and starts counting calls afresh. Thread-safe; counting
// goes on until disarm().
void arm(const Fault& fault);
void forceFallback(Fallback fallback);
// Counts calls without failing any.
void count();
void disarm();   // and no fallback forced

// Whether the armed fault has been met.
bool faultMet();
// Calls of each kind since arm() or count().
std::array<long, kCallKinds> calls();

} // namespace testing
} // namespace platform::io
