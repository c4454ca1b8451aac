#include "batch/script.h"
#include "platform/cp932.h"
#include "temp_env.h"

#include <QCoreApplication>
#include <QProcess>

#include <gtest/gtest.h>

// Kills a slow prefix run at two points: every moved file can be found
// through the undo script, which then puts every name and content back.
TEST(RenameRunCrash, KilledRunIsFullyUndoable)
{
    constexpr int kFiles = 60;
    for (const int killAfter : {3, 41}) {
        testsupport::TempWorkDir dir;
        QStringList originals;
        for (int i = 0; i < kFiles; ++i) {
            originals << QStringLiteral("f%1.txt").arg(i, 3, 10, QChar(u'0'));
            dir.write(originals.back(), "content of " + originals.back().toUtf8());
        }
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(QCoreApplication::applicationDirPath() + "/crash_runner", {"1000"});
        ASSERT_TRUE(process.waitForStarted(5000));
        for (int seen = 0; seen < killAfter && (process.canReadLine() || process.waitForReadyRead(5000));)
            seen = process.readLine().trimmed().toInt();
        process.kill();
        process.waitForFinished(5000);

        const auto script = platform::decodeCp932(dir.read("modosu.bat"));
        ASSERT_TRUE(script.has_value()) << killAfter;
        int moved = 0;
        for (const QString& name : dir.names()) {
            if (name == u"modosu.bat" || originals.contains(name))
                continue;
            ++moved;
            EXPECT_TRUE(script->split("\r\n").contains(batch::undoLine(name, name.mid(2)))) << name.toStdString();
        }
        EXPECT_GE(moved, killAfter);
        EXPECT_LT(moved, kFiles);
        batch::runScript("modosu.bat");
        EXPECT_EQ(dir.names(), QStringList(originals) << "modosu.bat");
        for (const QString& name : originals)
            EXPECT_EQ(dir.read(name), "content of " + name.toUtf8()) << killAfter;
    }
}
