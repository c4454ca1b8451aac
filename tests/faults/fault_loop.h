#pragma once

// The fault loop: an operation is run again and again, each time with one
// more of its system calls failing (or the process ending there), and the
// caller checks what must hold after every one.
#include "platform/io_calls.h"
#include "temp_env.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace faults {

using platform::io::Call;
namespace io = platform::io::testing;
using testsupport::writeFile;

using Trial = io::Fault;
std::string describe(const Trial& trial);

// Every trial worth making for an operation that made calls[kind] calls of
// each kind unfaulted: each N up to dense, then a stride, with the errors a
// full, failing or read-only volume gives, transient and persistent; EINTR;
// writes cut short; and the end of the process at the Nth call of any kind.
struct Sampling {
    long dense = 40;
    long points = 12;    // beyond dense, about this many more N
};
std::vector<Trial> trialsFor(const std::array<long, platform::io::kCallKinds>& calls, const Sampling& sampling = {});

// Counts the calls op makes with nothing failing (under the forced fallback).
std::array<long, platform::io::kCallKinds> countCalls(const std::function<void()>& op,
                                                     io::Fallback fallback = io::Fallback::None);

// Runs op under the trial's fault. A crash trial runs op in a child process
// and returns once the child has ended; the fault is disarmed afterwards
// but the fallback stays forced.
// Returns false when the trial was a crash (op's results are the child's).
bool runUnder(const Trial& trial, io::Fallback fallback, const std::function<void()>& op);

// A folder as name -> the file's identity: every test file has its own
// inode, which a rename keeps and a replacement or a copy does not.
struct Entry {
    unsigned long long inode = 0;
    unsigned long links = 1;
    long long size = 0;
    bool operator==(const Entry&) const = default;
};
using Folder = std::map<QString, Entry>;
Folder folder(const QString& path = QStringLiteral("."));
// The files, each once whatever its names.
std::set<unsigned long long> files(const Folder& f);
// Names of entries hidden beside name (".name.xxxx"): a temporary file.
QStringList tempsBeside(const Folder& f, const QString& name);

} // namespace faults
