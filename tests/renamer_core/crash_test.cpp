#include "batch/script.h"
#include "platform/cp932.h"
#include "temp_env.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

namespace {

// Kills a slow prefix run at seeded random points and checks that every
// moved file can be found through the undo script, and that running the
// script puts every name and every content back.
TEST(RenameRunCrash, KilledRunIsFullyUndoable)
{
    const QString runner = QCoreApplication::applicationDirPath() + "/crash_runner";
    ASSERT_TRUE(QFile::exists(runner)) << runner.toStdString();
    constexpr int kFiles = 60;
    for (unsigned seed = 1; seed <= 4; ++seed) {
        std::mt19937 random(seed);
        testsupport::TempWorkDir dir;
        QStringList originals;
        for (int i = 0; i < kFiles; ++i) {
            const QString name = QStringLiteral("f%1.txt").arg(i, 3, 10, QChar(u'0'));
            originals << name;
            dir.write(name, ("content " + QByteArray::number(i)));
        }

        const int killAfter = std::uniform_int_distribution<int>(1, kFiles - 10)(random);
        const int extraMicroseconds = std::uniform_int_distribution<int>(0, 1500)(random);
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(runner, {"1000"});
        ASSERT_TRUE(process.waitForStarted(5000));
        int seen = 0;
        while (seen < killAfter && process.state() == QProcess::Running) {
            if (!process.canReadLine() && !process.waitForReadyRead(5000))
                break;
            while (process.canReadLine())
                seen = process.readLine().trimmed().toInt();
        }
        std::this_thread::sleep_for(std::chrono::microseconds(extraMicroseconds));
        process.kill();
        process.waitForFinished(5000);
        EXPECT_EQ(process.exitStatus(), QProcess::CrashExit) << "seed " << seed;

        const auto script = platform::decodeCp932(dir.read("modosu.bat"));
        ASSERT_TRUE(script.has_value()) << "seed " << seed;
        const QStringList scriptLines = script->split(QStringLiteral("\r\n"));
        const QSet<QString> lines(scriptLines.begin(), scriptLines.end());
        const QSet<QString> originalSet(originals.begin(), originals.end());
        int moved = 0;
        for (const QString& name : dir.names()) {
            if (name == u"modosu.bat" || originalSet.contains(name))
                continue;
            ++moved;
            const QString old = name.mid(2);
            EXPECT_TRUE(lines.contains(batch::undoLine(name, old))) << "seed " << seed << ": " << name.toStdString();
        }
        EXPECT_GE(moved, killAfter) << "seed " << seed;
        EXPECT_LT(moved, kFiles) << "seed " << seed;

        batch::runScript("modosu.bat");
        QStringList expected = originals;
        expected << "modosu.bat";
        QStringList present = dir.names();
        expected.sort();
        present.sort();
        EXPECT_EQ(present, expected) << "seed " << seed;
        for (int i = 0; i < kFiles; ++i)
            EXPECT_EQ(dir.read(originals[i]), "content " + QByteArray::number(i)) << "seed " << seed;
    }
}

} // namespace
