#include "common/worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

TEST(Worker, RunsJobsInTheOrderPosted)
{
    Worker worker;
    int next = 0;          // the worker's alone
    int order[200] = {};   // each slot its job's until its wait returns
    std::uint64_t tickets[200] = {};
    for (int i = 0; i < 200; ++i)
        tickets[i] = worker.post([&, i] { order[i] = ++next; });
    worker.waitFor(tickets[99]);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[i], i + 1) << i;
    worker.waitFor(tickets[199]);
    for (int i = 100; i < 200; ++i)
        EXPECT_EQ(order[i], i + 1) << i;
}

// The job's exception comes out of the owner's wait, for its own ticket or
// a later one, and out of every post() after; the jobs after it never run.
TEST(Worker, AJobsExceptionReachesTheOwner)
{
    for (const bool waitForLater : {false, true}) {
        Worker worker;
        bool laterRan = false;
        worker.post([] {});
        const auto failing = worker.post([] { throw std::runtime_error("disk gone"); });
        const auto later = worker.post([&] { laterRan = true; });
        try {
            worker.waitFor(waitForLater ? later : failing);
            ADD_FAILURE() << "nothing thrown " << waitForLater;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "disk gone") << waitForLater;
        }
        EXPECT_THROW(worker.post([] {}), std::runtime_error) << waitForLater;
        worker.stop();
        EXPECT_FALSE(laterRan) << waitForLater;
    }
}

// Jobs still queued are dropped and the running one ends first. The running
// job waits until the queued one is dropped: had stopping run it instead,
// the running job would give up after its timeout and the test would fail.
TEST(Worker, StoppingDropsQueuedJobsAndFinishesTheRunningOne)
{
    for (const bool byDestructor : {false, true}) {
        std::vector<int> ran;
        bool droppedInTime = false;
        {
            auto worker = std::make_unique<Worker>();
            std::promise<void> dropped;
            std::future<void> droppedSeen = dropped.get_future();
            std::promise<void> started;
            worker->post([&] {
                started.set_value();
                droppedInTime = droppedSeen.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
                ran.push_back(1);
            });
            // The token tells of the job's drop when the job, its only holder, goes.
            worker->post([&ran, token = std::shared_ptr<void>(nullptr, [&](void*) { dropped.set_value(); })] {
                ran.push_back(2);
            });
            started.get_future().wait();
            if (byDestructor)
                worker.reset();
            else
                worker->stop();
            EXPECT_TRUE(droppedInTime) << byDestructor;
        }
        EXPECT_EQ(ran, std::vector<int>{1}) << byDestructor;
    }
}

} // namespace
