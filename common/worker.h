#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

// Runs jobs one after another, in the order posted, on a thread of its own,
// so that the caller prepares the next job while this one runs. Where no
// thread can be started, each job runs inside post().
//
// Threads: the worker belongs to one thread, its owner, which alone calls
// post(), waitFor(), stop() and the destructor. Jobs run on the worker's
// thread; what a job touches is the job's until the owner's waitFor() of its
// ticket returns.
//
// A job that throws: the jobs after it are not run, and post() and
// waitFor() throw its exception from then on.
//
// stop() drops the jobs not yet started (on the owner's thread), waits for
// the one running and ends the thread; the destructor calls it. An owner
// whose jobs touch its own members calls stop() in its own destructor, so
// that no job outlives what it touches whatever order the members go in.
class Worker {
public:
    Worker() = default;
    ~Worker() { stop(); }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Queues job; returns its ticket for waitFor(). Throws what an earlier
    // job threw, without queuing.
    std::uint64_t post(std::function<void()> job);
    // Until the job of ticket, and every job posted before it, has run.
    // Throws what a job threw.
    void waitFor(std::uint64_t ticket);
    void stop();

private:
    void work(std::stop_token stop);
    void run(std::function<void()>& job);   // keeps what it throws
    void throwIfFailed();

    std::mutex mutex_;
    std::condition_variable_any changed_;
    std::deque<std::function<void()>> queue_;
    std::uint64_t posted_ = 0;
    std::uint64_t done_ = 0;     // run, or dropped after a failure
    std::exception_ptr failure_;
    bool alone_ = false;         // no thread could be started
    std::jthread thread_;        // started with the first job
};
