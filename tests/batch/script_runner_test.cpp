#include "batch/script_runner.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(ScriptRunner, DeliversTheReportOnTheOwnersThread)
{
    testsupport::TempWorkDir dir;
    dir.write("b", "b");
    ASSERT_EQ(platform::writeLines("modosu.bat", {batch::undoLine("b", "a"), batch::undoLine("x", "y")}),
              platform::WriteStatus::Ok);
    batch::ScriptRunner runner;
    QThread* deliveredOn = nullptr;
    QObject::connect(&runner, &batch::ScriptRunner::finished, [&] { deliveredOn = QThread::currentThread(); });
    QSignalSpy spy(&runner, &batch::ScriptRunner::finished);
    ASSERT_TRUE(runner.start("modosu.bat"));
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(deliveredOn, QThread::currentThread());
    const auto report = spy.at(0).at(0).value<batch::ScriptReport>();
    EXPECT_EQ(report.renamed, 1);
    EXPECT_EQ(report.failed, 1);
    EXPECT_TRUE(dir.exists("a"));
    EXPECT_FALSE(runner.isRunning());

    // Runnable again once done; wait() returns after the work, the signal
    // still comes through the event loop.
    ASSERT_TRUE(runner.start("missing.bat"));
    runner.wait();
    EXPECT_FALSE(runner.isRunning());
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_FALSE(spy.at(1).at(0).value<batch::ScriptReport>().readable);
}

} // namespace
