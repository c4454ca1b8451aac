// Random folders through every mode, the rename run and the undo script:
// no content is lost or doubled, every move can be traced through the undo
// lines, and restoring gives every file its old name back.
#include "batch/script.h"
#include "folder_state.h"
#include "platform/listing.h"
#include "platform/text_file.h"
#include "random_folder.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "temp_env.h"

#include <QElapsedTimer>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <variant>

namespace {

using hardening::Random;
using hardening::Snapshot;

constexpr std::uint64_t kDefaultSeed = 20261206;

struct Totals {
    int trials = 0, refused = 0, renamed = 0, failed = 0, unrepresentable = 0, ambiguous = 0, restoredLines = 0;
};

int folderSize(Random& random)
{
    const int r = random.below(100);
    if (r < 80)
        return 1 + random.below(12);
    if (r < 96)
        return 13 + random.below(48);
    return 61 + random.below(240);
}

std::string show(const QString& s) { return ("\"" + s + "\"").toStdString(); }

std::string describe(renamer::Mode mode, const renamer::Boxes& b, const QStringList& list)
{
    std::ostringstream out;
    out << "mode " << int(mode) << " text2=" << show(b.text2) << " text3=" << show(b.text3)
        << " text4=" << show(b.text4) << " text5=" << show(b.text5) << " text6=" << show(b.text6)
        << " text7=" << show(b.text7) << " text8=" << show(b.text8) << " text9=" << show(b.text9)
        << " text11=" << show(b.text11) << " check1=" << b.check1 << "\nwork list:";
    for (const QString& n : list)
        out << " " << show(n);
    return out.str();
}

void runTrial(std::uint64_t seed, const QString& folder, Totals& totals)
{
    Random random(seed);
    hardening::clearFolder(folder);
    ++totals.trials;

    QStringList names;
    QSet<QString> taken;
    const int size = folderSize(random);
    while (names.size() < size) {
        const QString name = !names.isEmpty() && random.chance(0.15)
            ? hardening::caseVariant(names[random.below(int(names.size()))], random)
            : hardening::randomName(random);
        if (hardening::usableFileName(name) && !taken.contains(name)) {
            names << name;
            taken << name;
        }
    }

    const renamer::Mode mode = hardening::randomMode(random);
    bool refusable = false;
    const renamer::Boxes boxes = hardening::randomBoxes(mode, names, random, refusable);
    const int collisions = random.below(size / 3 + 2);
    const int copies = random.chance(0.2) ? (random.chance(0.15) ? 3 : 2) : 1;
    const int missing = random.chance(0.15) ? 1 + random.below(3) : 0;
    const int listCount = int(names.size() + collisions) * copies + missing;
    const auto prepared = renamer::prepareRun(mode, boxes, listCount);

    if (const auto* message = std::get_if<QString>(&prepared)) {
        ++totals.refused;
        for (const QString& n : names)
            hardening::createFile(folder, n, n.toUtf8());
        const Snapshot before = hardening::snapshot(folder);
        EXPECT_TRUE(refusable) << "refused: " << message->toStdString() << "\n" << describe(mode, boxes, names);
        EXPECT_FALSE(message->isEmpty());
        EXPECT_EQ(hardening::snapshot(folder), before);
        EXPECT_FALSE(before.contains("modosu.bat"));
        return;
    }
    EXPECT_FALSE(refusable) << "accepted\n" << describe(mode, boxes, names);
    const renamer::Transform& transform = std::get<renamer::PreparedRun>(prepared).transform;

    // Files of the names the run will make: blocked renames and chains.
    for (int c = 0; c < collisions; ++c) {
        QString name = names[random.below(int(names.size()))];
        for (int depth = 1 + random.below(2); depth > 0; --depth) {
            const auto r = transform(name, random.below(std::max(listCount, 1)));
            if (r.kind == renamer::TransformResult::Kind::NewName)
                name = r.name;
        }
        while (!hardening::usableFileName(name) || taken.contains(name))
            name = hardening::randomName(random);
        names << name;
        taken << name;
    }

    int index = 0;
    for (const QString& n : names)
        hardening::createFile(folder, n, "content " + QByteArray::number(seed) + "/" + QByteArray::number(index++));

    QStringList sorted = names;
    platform::sortNames(sorted);
    QStringList workList;
    for (int i = 0; i < copies; ++i)
        workList += sorted;
    for (int i = 0; i < missing; ++i) {
        QString gone = hardening::randomName(random);
        while (taken.contains(gone))
            gone = hardening::randomName(random);
        workList.insert(random.below(int(workList.size()) + 1), gone);
    }
    if (random.chance(0.2))
        std::shuffle(workList.begin(), workList.end(), random.engine());

    const Snapshot before = hardening::snapshot(folder);
    ASSERT_EQ(before.size(), names.size());
    const renamer::RunReport report = renamer::runRename(workList, transform, {});
    const Snapshot after = hardening::snapshot(folder);

    const std::string what = describe(mode, boxes, workList);
    ASSERT_EQ(report.stop, renamer::RunReport::Stop::None) << what;
    ASSERT_TRUE(after.contains("modosu.bat")) << what;
    const auto lines = hardening::scriptLines(after.value("modosu.bat"));
    ASSERT_TRUE(lines.has_value()) << what;
    const hardening::UndoGraph graph(*lines);
    EXPECT_LE(lines->size(), report.attempts) << what;
    totals.renamed += report.renamed;
    totals.failed += report.failed;
    totals.unrepresentable += report.unrepresentable;
    totals.ambiguous += report.ambiguous;
    totals.restoredLines += int(lines->size());

    QHash<QByteArray, QString> oldNameOf;
    for (auto it = before.begin(); it != before.end(); ++it)
        oldNameOf.insert(it.value(), it.key());
    ASSERT_EQ(after.size(), before.size() + 1) << "files lost or made" << hardening::difference(after, before) << "\n" << what;
    QSet<QByteArray> contents;
    int moved = 0;
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (it.key() == u"modosu.bat")
            continue;
        ASSERT_TRUE(oldNameOf.contains(it.value())) << "content changed: " << show(it.key()) << "\n" << what;
        ASSERT_FALSE(contents.contains(it.value())) << "content doubled: " << show(it.key()) << "\n" << what;
        contents << it.value();
        const QString old = oldNameOf.value(it.value());
        if (it.key() != old) {
            ++moved;
            EXPECT_TRUE(graph.leadsBack(it.key(), old))
                << show(old) << " became " << show(it.key()) << " without its undo line\n" << what;
        }
    }
    EXPECT_LE(moved, report.renamed) << what;
    EXPECT_LE(report.renamed + report.failed, report.attempts) << what;

    // Now and then a restore stops part-way first (it undoes the last lines
    // only); pressing restore again must finish the job.
    if (!lines->isEmpty() && random.chance(0.3)) {
        const QStringList tail = lines->mid(random.below(int(lines->size())));
        ASSERT_EQ(platform::writeLines("partial.bat", tail), platform::WriteStatus::Ok);
        batch::runScript("partial.bat");
        platform::removeFile("partial.bat");
    }
    const batch::ScriptReport restore = batch::runScript("modosu.bat");
    EXPECT_TRUE(restore.readable) << what;
    Snapshot restored = hardening::snapshot(folder);
    restored.remove("modosu.bat");
    EXPECT_TRUE(restored == before) << "not restored:" << hardening::difference(restored, before) << "\n"
                                    << what << "\nscript:\n" << lines->join(u'\n').toStdString();

    // Pressing restore again finds every name back already and moves nothing.
    batch::runScript("modosu.bat");
    Snapshot again = hardening::snapshot(folder);
    again.remove("modosu.bat");
    EXPECT_TRUE(again == before) << "second restore moved files:" << hardening::difference(again, before) << "\n"
                                 << what << "\nscript:\n" << lines->join(u'\n').toStdString();
}

TEST(Hardening, RandomFoldersAreRestoredExactly)
{
    const std::uint64_t seed = hardening::envNumber("QM_HARDENING_SEED", kDefaultSeed);
    const std::uint64_t trials = hardening::envNumber("QM_HARDENING_TRIALS", 1000);
    testsupport::TempWorkDir dir;
    Totals totals;
    QElapsedTimer clock;
    clock.start();
    for (std::uint64_t t = 0; t < trials; ++t) {
        // Each trial has its own seed, so one failing trial can be run alone.
        runTrial(seed + t, dir.path(), totals);
        if (::testing::Test::HasFailure()) {
            ADD_FAILURE() << "rerun with QM_HARDENING_SEED=" << seed + t << " QM_HARDENING_TRIALS=1";
            break;
        }
    }
    std::cout << "[hardening] seed " << seed << ": " << totals.trials << " trials in " << clock.elapsed()
              << " ms; " << totals.refused << " refused, " << totals.renamed << " renamed, " << totals.failed
              << " failed, " << totals.unrepresentable << " unrepresentable, " << totals.ambiguous
              << " ambiguous, " << totals.restoredLines
              << " undo lines\n";
    // The generator must reach every outcome, or the test proves little.
    if (trials >= 200) {
        EXPECT_GT(totals.refused, 0);
        EXPECT_GT(totals.failed, 0);
        EXPECT_GT(totals.unrepresentable, 0);
        EXPECT_GT(totals.renamed, 5 * int(trials));
    }
}

} // namespace
