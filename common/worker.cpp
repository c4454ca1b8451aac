#include "common/worker.h"

#include <system_error>

std::uint64_t Worker::post(std::function<void()> job)
{
    throwIfFailed();
    if (!thread_.joinable() && !alone_) {
        try {
            thread_ = std::jthread([this](std::stop_token stop) { work(stop); });
        } catch (const std::system_error&) {
            alone_ = true;   // no thread to be had: every job runs as it is posted
        }
    }
    if (alone_) {
        run(job);
        ++done_;
        return ++posted_;
    }
    std::uint64_t ticket = 0;
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(job));
        ticket = ++posted_;
    }
    changed_.notify_all();
    return ticket;
}

void Worker::waitFor(std::uint64_t ticket)
{
    {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_ >= ticket || failure_; });
    }
    throwIfFailed();
}

void Worker::stop()
{
    std::deque<std::function<void()>> dropped;
    {
        const std::lock_guard lock(mutex_);
        dropped.swap(queue_);
    }
    dropped.clear();   // outside the lock: what the jobs hold goes here
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    const std::lock_guard lock(mutex_);
    done_ = posted_;
}

void Worker::work(std::stop_token stop)
{
    std::unique_lock lock(mutex_);
    // Wakes for a job, or for a stop (the queue is empty by then).
    while (changed_.wait(lock, stop, [this] { return !queue_.empty(); })) {
        std::function<void()> job = std::move(queue_.front());
        queue_.pop_front();
        const bool skip = bool(failure_);
        lock.unlock();
        if (!skip)
            run(job);
        job = nullptr;   // what it holds goes on this thread too
        lock.lock();
        ++done_;
        changed_.notify_all();
    }
}

void Worker::run(std::function<void()>& job)
{
    try {
        job();
    } catch (...) {
        const std::lock_guard lock(mutex_);
        if (!failure_)
            failure_ = std::current_exception();
    }
}

void Worker::throwIfFailed()
{
    std::exception_ptr failure;
    {
        const std::lock_guard lock(mutex_);
        failure = failure_;
    }
    if (failure)
        std::rethrow_exception(failure);
}
