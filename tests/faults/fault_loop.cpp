#include "fault_loop.h"

#include <QFile>

#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace faults {
namespace {

const char* const kCallNames[] = {"open", "read", "write", "ftruncate", "sync", "rename",
                                  "link", "unlink", "flock", "close", "any"};

// What a full, failing or read-only volume, or a refused permission, answers.
constexpr int kErrors[] = {ENOSPC, EIO, EDQUOT, EROFS, EACCES};

} // namespace

std::string describe(const Trial& f)
{
    std::string s = std::string(kCallNames[int(f.call)]) + " #" + std::to_string(f.nth);
    if (f.crash)
        return s + " crash";
    s += std::string(" ") + strerrorname_np(f.error) + (f.persistent ? " persistent" : " once");
    if (f.writeOnly >= 0)
        s += " after " + std::to_string(f.writeOnly) + " bytes";
    return s;
}

std::vector<Trial> trialsFor(const std::array<long, platform::io::kCallKinds>& calls, const Sampling& asked)
{
    // The sanitizer build walks the same kinds of fault, fewer N of each:
    // every call there costs several times as much.
    Sampling sampling = asked;
    if (qEnvironmentVariableIsSet("QM_FAULT_LIGHT"))
        sampling.dense = std::min(sampling.dense, 8L), sampling.points = std::min(sampling.points, 6L);
    std::vector<Trial> trials;
    long total = 0;
    const auto sampled = [&](long count) {
        std::vector<long> ns;
        for (long n = 1; n <= count && n <= sampling.dense; ++n)
            ns.push_back(n);
        const long stride = std::max(1L, (count - sampling.dense) / std::max(1L, sampling.points));
        for (long n = sampling.dense + stride; n < count; n += stride)
            ns.push_back(n);
        if (count > sampling.dense)
            ns.push_back(count);
        return ns;
    };
    for (std::size_t k = 0; k < calls.size(); ++k) {
        const Call call = Call(k);
        total += calls[k];
        for (const long n : sampled(calls[k])) {
            // The errors take turns over N, and so do transient and persistent.
            const int error = kErrors[(n + long(k)) % std::size(kErrors)];
            trials.push_back({.call = call, .nth = n, .error = error, .persistent = n % 2 == 0});
            if (n == 1 || n == calls[k] || n % 7 == 3)
                trials.push_back({.call = call, .nth = n, .error = EINTR});
            if (call == Call::Write)
                for (const long long bytes : {1LL, 19LL, 300LL})
                    trials.push_back({.call = call, .nth = n, .error = ENOSPC, .persistent = true, .writeOnly = bytes});
        }
    }
    for (const long n : sampled(total))
        trials.push_back({.call = Call::Any, .nth = n, .crash = true});
    return trials;
}

std::array<long, platform::io::kCallKinds> countCalls(const std::function<void()>& op, io::Fallback fallback)
{
    io::count();
    io::forceFallback(fallback);
    op();
    const auto calls = io::calls();
    io::disarm();
    return calls;
}

bool runUnder(const Trial& trial, io::Fallback fallback, const std::function<void()>& op)
{
    if (!trial.crash) {
        io::arm(trial);
        io::forceFallback(fallback);
        op();
        io::count();   // the fault is gone, the fallback stays
        return true;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        io::arm(trial);
        io::forceFallback(fallback);
        op();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    io::disarm();
    io::forceFallback(fallback);
    return false;
}

Folder folder(const QString& path)
{
    Folder f;
    DIR* dir = ::opendir(QFile::encodeName(path).constData());
    if (!dir)
        return f;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray name = e->d_name;
        if (name == "." || name == "..")
            continue;
        const QByteArray full = QFile::encodeName(path) + "/" + name;
        struct stat st;
        if (::lstat(full.constData(), &st) == 0)
            f[QFile::decodeName(name)] = {st.st_ino, st.st_nlink, st.st_size};
    }
    ::closedir(dir);
    return f;
}

std::set<unsigned long long> files(const Folder& f)
{
    std::set<unsigned long long> all;
    for (const auto& [name, entry] : f)
        all.insert(entry.inode);
    return all;
}

QStringList tempsBeside(const Folder& f, const QString& name)
{
    QStringList temps;
    for (const auto& [entry, _] : f)
        if (entry.startsWith(u'.' + name + u'.'))
            temps << entry;
    return temps;
}

} // namespace faults
