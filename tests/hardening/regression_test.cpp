// Folders in which restoring used to move the wrong file, each found by the
// random folders of the property test.
#include "hardening.h"
#include "platform/listing.h"
#include "renamer/core/rename_run.h"
#include "temp_env.h"

#include <variant>

namespace {

using namespace hardening;
using renamer::Mode;

TEST(HardeningRegression, RestoreMovesOnlyWhatTheRunMoved)
{
    struct Row {
        const char* what;
        QStringList files, workList;   // a trailing "/" makes a folder; no work list: the files in name order
        Mode mode;
        const char *first, *second;
        int renamed, failed, ambiguous;
    };
    const Row rows[] = {
        // The undo line of a gone name would move the file holding its new name.
        {"gone, its new name taken", {"Xa.txt"}, {"a.txt"}, Mode::Prefix, "X", "", 0, 1, 0},
        {"listed twice, numbered", {"a", "02-a"}, {"a", "a", "02-a"}, Mode::NumberFront, "1", "", 2, 1, 0},
        // Fifteen blanks read back as "  " -> five blanks, or the reverse,
        // which a restore after a crash before the rename would carry out.
        {"blanks only, listed twice", {"     "}, {"     ", "     "}, Mode::DeleteAt, "2", "3", 0, 0, 2},
        // "..", being there, was taken as the first half of a split.
        {"split leaving ..", {"..    [tag]", "..[tag]"}, {}, Mode::Insert, "3", "    ", 2, 0, 0},
        // Restoring would read "]" + five blanks, just made, as the source.
        {"line read as another rename", {"     ", "         あ"}, {}, Mode::Prefix, "]", "", 1, 0, 1},
        // After a restore Xa is back, and a second restore read Xa -> "b    a    b".
        {"restore pressed twice", {"Xa", "a    b"}, {"Xa", "a    b"}, Mode::Prefix, "X", "", 1, 0, 1},
        // Looked up among the toolkit's built-in resources, ":a" -> "b    b" was taken.
        {"name starting with a colon", {"b"}, {}, Mode::Prefix, ":a    ", "", 1, 0, 0},
        // A work list filled from another folder may name a folder here.
        {"a folder of the listed name", {"photos/"}, {"photos"}, Mode::Prefix, "X", "", 0, 1, 0},
    };
    for (const Row& row : rows) {
        testsupport::TempWorkDir dir;
        for (const QString& name : row.files)
            name.endsWith(u'/') ? void(QDir(dir.path()).mkdir(name)) : dir.write(name, name.toUtf8());
        QStringList workList = row.workList;
        if (workList.isEmpty())
            platform::sortNames(workList = row.files);
        const Snapshot before = snapshot(dir.path());
        const auto prepared = renamer::prepareRun(row.mode, boxes(row.mode, row.first, row.second), int(workList.size()));
        const auto report = renamer::runRename(workList, std::get<renamer::PreparedRun>(prepared).transform, {});
        EXPECT_EQ(report.renamed, row.renamed) << row.what;
        EXPECT_EQ(report.failed, row.failed) << row.what;
        EXPECT_EQ(report.ambiguous, row.ambiguous) << row.what;
        for (const char* restore : {"restore", "restore again"}) {
            batch::runScript("modosu.bat");
            const Snapshot after = snapshot(dir.path(), true);
            EXPECT_TRUE(after == before) << row.what << ", " << restore << difference(after, before);
        }
    }
}

// A script whose name starts with ":" is read from the disk, not from the
// toolkit's resources; ".." is never taken as a name.
TEST(HardeningRegression, ScriptReading)
{
    testsupport::TempWorkDir dir;
    dir.write(":undo.bat", "ren    Xa    a\r\n");
    dir.write("Xa", "content");
    EXPECT_EQ(batch::runScript(":undo.bat").renamed, 1);
    EXPECT_EQ(dir.read("a"), "content");
    EXPECT_EQ(batch::chosenReading("ren    ..    x", [](const QString&) { return true; }), std::nullopt);
}

} // namespace
