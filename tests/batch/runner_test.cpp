#include "batch/script_runner.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

TEST(ScriptRunner, DeliversTheReportOnTheOwnersThread)
{
    testsupport::TempWorkDir dir;
    dir.write("b");
    platform::writeLines("modosu.bat", {"ren    b    a", "ren    x    y"});
    batch::ScriptRunner runner;
    QThread* deliveredOn = nullptr;
    QObject::connect(&runner, &batch::ScriptRunner::finished, [&] { deliveredOn = QThread::currentThread(); });
    QSignalSpy spy(&runner, &batch::ScriptRunner::finished);
    ASSERT_TRUE(runner.start("modosu.bat"));
    runner.wait();
    EXPECT_FALSE(runner.isRunning());
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(deliveredOn, QThread::currentThread());
    const auto report = spy.at(0).at(0).value<batch::ScriptReport>();
    EXPECT_EQ(report.renamed, 1);
    EXPECT_EQ(report.failed, 1);
}

TEST(UndoProgram, ExitCodes)
{
    const std::tuple<QByteArray, QStringList, int, QString> cases[] = {   // script, arguments, code, output
        {"ren    b    a\r\n", {"other.bat"}, 0, "1 件の名前を元に戻しました。"},
        {"ren    b    a\r\nren    c    d\r\n", {}, 1, "1 件はできませんでした。"},
        {{}, {}, 2, "modosu.bat が見つかりません。"},
        {"ren    \xFF    a\r\n", {}, 2, "modosu.bat を読めません。"},
    };
    for (const auto& [script, args, code, output] : cases) {
        testsupport::TempWorkDir dir;
        dir.write("b");
        if (!script.isEmpty())
            dir.write(args.value(0, "modosu.bat"), script);
        QProcess undo;
        undo.start(QM_UNDO_PROGRAM, args);
        ASSERT_TRUE(undo.waitForFinished(10000));
        const QString said = QString::fromUtf8(undo.readAllStandardOutput() + undo.readAllStandardError());
        EXPECT_EQ(undo.exitCode(), code) << said.toStdString();
        EXPECT_TRUE(said.contains(output)) << said.toStdString();
    }
}

} // namespace
