#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Runs jobs one after another, in the order posted, on a thread of its own,
// so that the caller prepares the next job while this one runs. Where no
// thread can be started, each job runs as it is posted.
class OrderedWorker {
public:
    OrderedWorker() = default;
    ~OrderedWorker();   // runs what is queued, then stops
    OrderedWorker(const OrderedWorker&) = delete;
    OrderedWorker& operator=(const OrderedWorker&) = delete;

    // Queues job; returns its ticket for waitFor().
    std::uint64_t post(std::function<void()> job);
    // Until the job of ticket, and every job posted before it, has run.
    void waitFor(std::uint64_t ticket);

private:
    void work();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> queue_;
    std::uint64_t posted_ = 0;
    std::uint64_t done_ = 0;
    bool quit_ = false;
    bool alone_ = false;   // no thread could be started
    std::thread thread_;   // started with the first job
};
