#include "common/ordered_worker.h"

#include <system_error>

OrderedWorker::~OrderedWorker()
{
    if (!thread_.joinable())
        return;
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

std::uint64_t OrderedWorker::post(std::function<void()> job)
{
    if (!thread_.joinable() && !alone_) {
        try {
            thread_ = std::thread([this] { work(); });
        } catch (const std::system_error&) {
            alone_ = true;   // no thread to be had: every job runs as it is posted
        }
    }
    if (alone_) {
        job();
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

void OrderedWorker::waitFor(std::uint64_t ticket)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_ >= ticket; });
}

void OrderedWorker::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !queue_.empty() || quit_; });
        if (queue_.empty())
            return;
        std::function<void()> job = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        job();
        job = nullptr;   // what it holds goes on this thread too
        lock.lock();
        ++done_;
        changed_.notify_all();
    }
}
