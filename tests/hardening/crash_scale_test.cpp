// A run over 5,000 files killed at random points, again and again: every
// file away from its name is traceable through the undo script, and the
// script brings every name back.
#include "hardening.h"
#include "temp_env.h"

#include <QCoreApplication>
#include <QProcess>

#include <iostream>

namespace {

using namespace hardening;
constexpr int kFiles = 5000, kKills = 50;

// Plain, Japanese, with four blanks, excluded, and in the way of f<i+2>.txt for the prefix X and for f -> F.
QString fileName(int i)
{
    const QString n = QStringLiteral("%1").arg(i, 4, 10, QChar(u'0')), m = QStringLiteral("%1").arg(i + 2, 4, 10, QChar(u'0'));
    const QString shaped[] = {"写真" + n + ".jpg", "my    " + n + ".txt", "f" + n + ".exe", "Xf" + m + ".txt", "F" + m + ".txt"};
    return i % 10 < 5 ? shaped[i % 10] : "f" + n + ".txt";
}

struct Outcome { bool crashed; int moved; qint64 microseconds; };

// One run, killed after delay microseconds unless negative; then the folder
// is checked, restored, and its script emptied as the next run would.
Outcome killAndRestore(const char* mode, long delay, const Snapshot& original, const testsupport::TempWorkDir& dir)
{
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(QCoreApplication::applicationDirPath() + "/hardening_crash_runner", {mode, QString::number(delay)});
    EXPECT_TRUE(process.waitForFinished(30000));
    Outcome o{process.exitStatus() == QProcess::CrashExit, 0, process.readAllStandardOutput().trimmed().toLongLong()};
    EXPECT_TRUE(o.crashed || process.exitCode() == 0) << process.readAllStandardError().toStdString();
    checkRun(original, snapshot(dir.path()), mode, o.moved);
    EXPECT_TRUE(batch::runScript("modosu.bat").readable);
    const Snapshot restored = snapshot(dir.path(), true);
    EXPECT_TRUE(restored == original) << "not restored" << difference(restored, original);
    dir.write("modosu.bat");
    return o;
}

TEST(Hardening, KilledRunsAtScaleAreFullyUndone)
{
    const std::uint64_t seed = envNumber("QM_HARDENING_SEED", 20261206);
    Random random(seed);
    testsupport::TempWorkDir dir;
    for (int i = 0; i < kFiles; ++i)
        dir.write(fileName(i), "content " + QByteArray::number(i));
    const Snapshot original = snapshot(dir.path());
    const char* const modes[] = {"prefix", "front", "behind", "replace", "insert"};
    qint64 whole[5] = {};   // an uninterrupted run per mode sets the range of its kill points
    for (int m = 0; m < 5; ++m) {
        const Outcome o = killAndRestore(modes[m], -1, original, dir);
        whole[m] = std::max<qint64>(o.microseconds, 1);
        EXPECT_FALSE(o.crashed) << modes[m];
        ASSERT_GT(o.moved, kFiles / 3) << modes[m];
    }
    int partial = 0;
    for (int k = 0; k < kKills; ++k) {
        const long delay = long(random.below(int(whole[k % 5])));
        const Outcome o = killAndRestore(modes[k % 5], delay, original, dir);
        partial += o.crashed && o.moved > 0;
        ASSERT_FALSE(HasFailure()) << "kill " << k << ": " << modes[k % 5] << ", " << delay << " us (seed " << seed << ")";
    }
    std::cout << "[hardening] " << kKills << " kills over " << kFiles << " files; " << partial << " landed part-way\n";
    EXPECT_GE(partial, kKills / 3);   // many kill points must fall inside the renaming, or little was tested
}

} // namespace
