#pragma once

// One run or restore per folder at a time, across processes: an advisory
// lock on the working directory itself.
namespace platform {

class FolderLock {
public:
    enum class State {
        Held,          // this object holds the lock
        Busy,          // another run or restore holds it
        Unsupported,   // the file system knows no locks; the work goes on unguarded
    };

    // Tries the working directory's lock without waiting.
    FolderLock();
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return state_; }
    bool busy() const { return state_ == State::Busy; }
    // The working directory, open for fsync; -1 when it could not be opened.
    int folderFd() const { return fd_; }

private:
    int fd_ = -1;
    State state_ = State::Unsupported;
};

} // namespace platform
