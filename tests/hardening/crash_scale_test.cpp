// A run over 5,000 files killed at a random point, again and again: every
// file away from its name can be traced through the undo script, and the
// script brings every name back.
#include "batch/script.h"
#include "folder_state.h"
#include "random_folder.h"
#include "temp_env.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <iostream>

namespace {

constexpr int kFiles = 5000;
constexpr int kKills = 50;

// Plain names, Japanese ones, names with a run of four blanks, excluded
// ones, and names that stand in the way of the renames.
QString fileName(int i)
{
    const QString n = QStringLiteral("%1").arg(i, 4, 10, QChar(u'0'));
    switch (i % 10) {
    case 0: return QStringLiteral("写真") + n + QStringLiteral(".jpg");
    case 1: return QStringLiteral("my    ") + n + QStringLiteral(".txt");
    case 2: return QStringLiteral("f") + n + QStringLiteral(".exe");
    // In the way of f<i+2>.txt, for the prefix X and for f -> F.
    case 3: return QStringLiteral("Xf") + QStringLiteral("%1").arg(i + 2, 4, 10, QChar(u'0')) + QStringLiteral(".txt");
    case 4: return QStringLiteral("F") + QStringLiteral("%1").arg(i + 2, 4, 10, QChar(u'0')) + QStringLiteral(".txt");
    default: return QStringLiteral("f") + n + QStringLiteral(".txt");
    }
}

struct Outcome {
    bool crashed = false;
    int moved = 0;
    qint64 runMicroseconds = 0;   // as the runner measured it, when not killed
};

Outcome killAndRestore(const QString& runner, const char* mode, long delay, const hardening::Snapshot& original,
                       const testsupport::TempWorkDir& dir)
{
    Outcome outcome;
    QProcess process;
    process.setWorkingDirectory(dir.path());
    process.start(runner, {mode, QString::number(delay)});
    EXPECT_TRUE(process.waitForFinished(30000));
    outcome.crashed = process.exitStatus() == QProcess::CrashExit;
    if (!outcome.crashed) {
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        const QList<QByteArray> numbers = process.readAllStandardOutput().trimmed().split(' ');
        outcome.runMicroseconds = numbers.size() == 3 ? numbers[2].toLongLong() : 0;
    }

    const hardening::Snapshot after = hardening::snapshot(dir.path());
    const auto lines = hardening::scriptLines(after.value("modosu.bat"));
    EXPECT_TRUE(lines.has_value());
    const hardening::UndoGraph graph(lines.value_or(QStringList()));
    QHash<QByteArray, QString> oldNameOf;
    for (auto it = original.begin(); it != original.end(); ++it)
        oldNameOf.insert(it.value(), it.key());
    EXPECT_EQ(after.size(), original.size() + 1) << hardening::difference(after, original);
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (it.key() == u"modosu.bat")
            continue;
        const QString old = oldNameOf.value(it.value());
        EXPECT_FALSE(old.isEmpty()) << "content changed: " << it.key().toStdString();
        if (old.isEmpty() || old == it.key())
            continue;
        ++outcome.moved;
        EXPECT_TRUE(graph.leadsBack(it.key(), old))
            << old.toStdString() << " became " << it.key().toStdString() << " without its undo line";
    }

    const batch::ScriptReport report = batch::runScript("modosu.bat");
    EXPECT_TRUE(report.readable);
    // Names first; then the content of every file that had moved.
    QStringList names = dir.names();
    names.removeOne("modosu.bat");
    QStringList wanted = original.keys();
    names.sort();
    wanted.sort();
    EXPECT_TRUE(names == wanted) << "not restored";
    for (auto it = after.begin(); it != after.end(); ++it) {
        const QString old = oldNameOf.value(it.value());
        if (!old.isEmpty() && old != it.key()) {
            EXPECT_EQ(dir.read(old), it.value()) << old.toStdString();
        }
    }
    dir.write("modosu.bat");   // emptied, as the next run would
    return outcome;
}

TEST(Hardening, KilledRunsAtScaleAreFullyUndone)
{
    const QString runner = QCoreApplication::applicationDirPath() + "/hardening_crash_runner";
    ASSERT_TRUE(QFile::exists(runner)) << runner.toStdString();
    const std::uint64_t seed = hardening::envNumber("QM_HARDENING_SEED", 20261206);
    hardening::Random random(seed);
    testsupport::TempWorkDir dir;
    for (int i = 0; i < kFiles; ++i)
        ASSERT_TRUE(hardening::createFile(dir.path(), fileName(i), "content " + QByteArray::number(i)));
    const hardening::Snapshot original = hardening::snapshot(dir.path());
    ASSERT_EQ(original.size(), kFiles);

    const char* const modes[] = {"prefix", "front", "behind", "replace", "insert"};
    QElapsedTimer clock;
    clock.start();
    // An uninterrupted run per mode sets the range of its kill points.
    qint64 wholeRun[5] = {};
    for (int m = 0; m < 5; ++m) {
        const char* mode = modes[m];
        const Outcome whole = killAndRestore(runner, mode, -1, original, dir);
        wholeRun[m] = std::max<qint64>(whole.runMicroseconds, 1);
        EXPECT_FALSE(whole.crashed) << mode;
        EXPECT_GT(whole.moved, kFiles / 3) << mode;
        ASSERT_FALSE(::testing::Test::HasFailure()) << mode;
    }

    int partial = 0;
    for (int k = 0; k < kKills; ++k) {
        const char* mode = modes[k % 5];
        const long delay = long(random.below(int(wholeRun[k % 5])));
        const Outcome outcome = killAndRestore(runner, mode, delay, original, dir);
        if (outcome.crashed && outcome.moved > 0)
            ++partial;
        ASSERT_FALSE(::testing::Test::HasFailure())
            << "kill " << k << ": mode " << mode << ", " << delay << " us (seed " << seed << ")";
    }
    std::cout << "[hardening] " << kKills << " kills over " << kFiles << " files in " << clock.elapsed()
              << " ms; " << partial << " landed part-way\n";
    // Many kill points must fall inside the renaming, or little was tested.
    EXPECT_GE(partial, kKills / 3);
}

} // namespace
