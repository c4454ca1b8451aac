// The rename run and the restore under every fault the seam can make: the
// promises hold after each one, and a clean restore brings every name back.
#include "batch/restore_messages.h"
#include "batch/undo_script.h"
#include "fault_loop.h"
#include "temp_env.h"
#include "renamer/core/rename_run.h"
#include "renamer/ui/run_messages.h"
#include "run_promises.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <iostream>

namespace {

using namespace faults;
using Fallback = io::Fallback;

constexpr int kFiles = 2500;

// 2,500 files under a prefix run: chains whose second rename waits for the
// first across group boundaries (X_fN is listed, and renamed, some hundred
// entries before fN), names listed twice, excluded programs, names with
// blanks.
struct Workload {
    QStringList files;
    QStringList workList;
};

Workload workload()
{
    Workload w;
    QStringList others;
    for (int i = 0; i < 20; ++i)
        others << QStringLiteral("prog%1.exe").arg(i);
    for (int i = 0; others.size() < kFiles - 600; ++i)
        others << (i % 10 == 0 ? QStringLiteral("写真 %1 の コピー.jpg").arg(i) : QStringLiteral("g%1.jpg").arg(i));
    const auto chain = [&](int from, int to, const char* pattern) {
        for (int i = from; i < to; ++i)
            w.workList << QString::fromUtf8(pattern).arg(i);
    };
    chain(0, 150, "X_f%1");
    w.workList << others.mid(0, 400);
    chain(0, 150, "f%1");
    chain(150, 300, "X_f%1");
    w.workList << others.mid(400, 400);
    chain(150, 300, "f%1");
    w.workList << others.mid(800);
    w.workList << QStringLiteral("g7.jpg") << QStringLiteral("f3");   // listed twice
    w.files = others;
    for (int i = 0; i < 300; ++i)
        w.files << QStringLiteral("f%1").arg(i) << QStringLiteral("X_f%1").arg(i);
    return w;
}

// What must hold after a run under a fault, before anything is put right.
void checkRun(const Folder& before, const Folder& reference, const RunSeen& seen, const Trial& trial, bool crashed)
{
    const std::string what = describe(trial);
    expectPromisesKept(before, seen, what, 0, crashed);   // a run short of the reference is checked below
    Folder after = folder();
    after.erase(kScript);
    if (!crashed && after != reference) {
        EXPECT_TRUE(renamer::runWentWrong(seen.report) && !quillmere::runMessage(seen.report).isEmpty())
            << "a run that did not finish reported success: " << what;
    }
    if (trial.error == EINTR && !crashed) {
        EXPECT_TRUE(after == reference && !renamer::runWentWrong(seen.report)) << what;
    }
}

// The clean restore after a trial: every name back, nothing under two names.
void expectRestored(const Folder& before, const std::string& what)
{
    const batch::RestoreReport report = batch::runUndoScript(kScript);
    QFile::remove(kScript);
    const Folder now = folder();
    EXPECT_TRUE(now == before) << "not restored: " << what << " (" << batch::restoreMessage(report, kScript).toStdString() << ")";
}

Folder makeFolder(const QStringList& files)
{
    for (const QString& name : files)
        writeFile(name, name.toUtf8());
    return folder();
}

int loopOverRuns(Fallback fallback, const Sampling& sampling)
{
    testsupport::TempWorkDir dir(testsupport::memoryFolder());
    const Workload w = workload();
    const Folder before = makeFolder(w.files);
    const auto calls = countCalls([&] { watchedRun(w.workList); }, fallback);
    Folder reference = folder();
    reference.erase(kScript);
    expectRestored(before, "the run without faults");
    const std::vector<Trial> trials = trialsFor(calls, sampling);
    for (const Trial& trial : trials) {
        RunSeen seen;
        const bool done = runUnder(trial, fallback, [&] { seen = watchedRun(w.workList); });
        checkRun(before, reference, seen, trial, !done);
        expectRestored(before, describe(trial));
        if (::testing::Test::HasFailure())
            return int(trials.size());
    }
    io::disarm();
    return int(trials.size());
}

TEST(FaultLoop, RunOnEveryRenamePath)
{
    const struct {
        Fallback fallback;
        const char* path;
        Sampling sampling;
    } rows[] = {
        {Fallback::None, "no-replace flag", {.dense = 40, .points = 12}},
        {Fallback::HardLink, "hard-link fallback", {.dense = 12, .points = 8}},
        {Fallback::CheckedRename, "checked rename", {.dense = 12, .points = 8}},
    };
    for (const auto& row : rows) {
        const int tried = loopOverRuns(row.fallback, row.sampling);
        std::cout << "fault loop, run on the " << row.path << ": " << tried << " trials\n";
        if (HasFailure())
            return;
    }
}

// The restore of a whole run, under every fault: what it could not do it
// says, and a second restore without the fault finishes the work.
TEST(FaultLoop, Restore)
{
    for (const Fallback fallback : {Fallback::None, Fallback::HardLink}) {
        testsupport::TempWorkDir dir(testsupport::memoryFolder());
        const Workload w = workload();
        const Folder before = makeFolder(w.files);
        const auto prepare = [&] {
            io::disarm();
            io::forceFallback(fallback);
            ASSERT_FALSE(renamer::runWentWrong(watchedRun(w.workList).report));
        };
        prepare();
        const auto calls = countCalls([] { batch::runUndoScript(kScript); }, fallback);
        QFile::remove(kScript);
        const std::vector<Trial> trials = trialsFor(calls, {.dense = 24, .points = 10});
        for (const Trial& trial : trials) {
            prepare();
            batch::RestoreReport report;
            const bool done = runUnder(trial, fallback, [&] { report = batch::runUndoScript(kScript); });
            Folder now = folder();
            now.erase(kScript);
            EXPECT_TRUE(files(now) == files(before)) << describe(trial);
            const bool success = report.status == batch::RestoreReport::Status::Ran && report.failures() == 0
                && !report.cutShort;
            if (done && now != before) {
                EXPECT_FALSE(success || !batch::restoreWentWrong(report)) << "success reported: " << describe(trial);
            }
            expectRestored(before, describe(trial));
            if (HasFailure())
                return;
        }
        std::cout << "fault loop, restore" << (fallback == Fallback::None ? "" : " through hard links") << ": "
                  << trials.size() << " trials\n";
    }
    io::disarm();
}

} // namespace
