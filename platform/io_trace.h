#pragma once

#include <QString>

#include <functional>

// A seam for tests that must see the order in which the undo script reaches
// the disk and files are renamed. Nothing is recorded unless a test sets a
// recorder; the check is one load of a pointer.
namespace platform {

enum class IoEvent {
    Write,    // bytes went into a file; value: the file's size after them
    Sync,     // a file's data reached the disk; value: the size that is safe
    Rename,   // a file was renamed; name: the new name
};

using IoRecorder = std::function<void(IoEvent event, const QString& name, long long value)>;

// Replaces the recorder (an empty one stops recording). Not thread-safe:
// set it before the work starts.
void setIoRecorder(IoRecorder recorder);

// Whether a recorder is set, so a caller can skip building the name.
bool recordingIo();

void recordIo(IoEvent event, const QString& name, long long value);

} // namespace platform
