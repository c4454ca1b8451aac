#include "batch/undo_script.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "temp_env.h"
#include <QCoreApplication>
#include <QProcess>
#include <gtest/gtest.h>

// A second window (here: this process) in the folder of a running run is refused and touches nothing;
// every file the run renamed is restorable afterwards.
TEST(RenameRunCrash, SecondRunInTheSameFolderIsRefused)
{
    testsupport::TempWorkDir dir;
    QStringList originals;
    for (int i = 0; i < 200; ++i) {
        originals << QStringLiteral("f%1.txt").arg(i, 3, 10, QChar(u'0'));
        dir.write(originals.back(), originals.back().toUtf8());
    }
    QProcess process;
    process.start(QCoreApplication::applicationDirPath() + "/crash_runner");
    ASSERT_TRUE(process.waitForStarted(5000) && process.waitForReadyRead(5000));
    const auto other = [](const QString& name, int) { return renamer::addPrefix(name, QStringLiteral("Q_")); };
    const auto report = renamer::runRename(originals, other, {});
    const auto restore = batch::runUndoScript("modosu.bat");
    ASSERT_TRUE(process.waitForFinished(20000) && process.exitCode() == 0);
    EXPECT_EQ(std::tuple(report.stop, report.attempts, restore.status), std::tuple(renamer::RunReport::Stop::Busy, 0, batch::RestoreReport::Status::Busy));
    EXPECT_EQ(batch::runUndoScript("modosu.bat").restored, 200);
    EXPECT_EQ(dir.names(), QStringList(originals) << "modosu.bat");
}
