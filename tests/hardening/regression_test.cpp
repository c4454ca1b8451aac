// Folders in which restoring used to move the wrong file, each found by the
// random folders of property_test.cpp.
#include "batch/script.h"
#include "folder_state.h"
#include "platform/listing.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "temp_env.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <variant>

namespace {

using renamer::Mode;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

renamer::Boxes boxes(Mode mode, const char* first, const char* second = "")
{
    renamer::Boxes b;
    switch (mode) {
    case Mode::Prefix: b.text6 = q(first); break;
    case Mode::Insert: b.text2 = q(first); b.text3 = q(second); break;
    case Mode::DeleteAt: b.text7 = q(first); b.text9 = q(second); break;
    case Mode::NumberFront: b.text8 = q(first); break;
    default: break;
    }
    return b;
}

TEST(HardeningRegression, RestoreMovesOnlyWhatTheRunMoved)
{
    struct Row {
        const char* what;
        QStringList files;
        QStringList workList;   // empty: the files in name order
        Mode mode;
        renamer::Boxes boxes;
        int renamed, failed, ambiguous;
    };
    const Row rows[] = {
        // The undo line of a gone name would move the file holding its new name.
        {"gone, its new name taken", {"Xa.txt"}, {"a.txt"}, Mode::Prefix, boxes(Mode::Prefix, "X"), 0, 1, 0},
        {"listed twice, numbered", {"a", "02-a"}, {"a", "a", "02-a"}, Mode::NumberFront,
         boxes(Mode::NumberFront, "1"), 2, 1, 0},
        // Fifteen blanks read back as "  " -> five blanks, or the reverse,
        // which a restore after a crash before the rename would carry out.
        {"blanks only, listed twice", {"     "}, {"     ", "     "}, Mode::DeleteAt, boxes(Mode::DeleteAt, "2", "3"),
         0, 0, 2},
        // "..", being there, was taken as the first half of a split.
        {"split leaving ..", {"..    [tag]", "..[tag]"}, {}, Mode::Insert, boxes(Mode::Insert, "3", "    "), 2, 0, 0},
        // Restoring would read "]" + five blanks, just made, as the source.
        {"line read as another rename", {"     ", q("         あ")}, {}, Mode::Prefix, boxes(Mode::Prefix, "]"), 1, 0,
         1},
        // After a restore Xa is back, and a second restore read the line
        // as Xa -> "b    a    b".
        {"restore pressed twice", {"Xa", "a    b"}, {"Xa", "a    b"}, Mode::Prefix, boxes(Mode::Prefix, "X"), 1, 0, 1},
        // A name starting with ":" was looked up among the toolkit's built-in
        // resources, so restoring took the first split, ":a" -> "b    b".
        {"name starting with a colon", {"b"}, {}, Mode::Prefix, boxes(Mode::Prefix, ":a    "), 1, 0, 0},
    };
    for (const Row& row : rows) {
        testsupport::TempWorkDir dir;
        for (const QString& name : row.files)
            dir.write(name, name.toUtf8());
        QStringList workList = row.workList;
        if (workList.isEmpty()) {
            workList = row.files;
            platform::sortNames(workList);
        }
        const hardening::Snapshot before = hardening::snapshot(dir.path());
        const auto prepared = renamer::prepareRun(row.mode, row.boxes, int(workList.size()));
        ASSERT_TRUE(std::holds_alternative<renamer::PreparedRun>(prepared)) << row.what;
        const auto report = renamer::runRename(workList, std::get<renamer::PreparedRun>(prepared).transform, {});
        EXPECT_EQ(report.renamed, row.renamed) << row.what;
        EXPECT_EQ(report.failed, row.failed) << row.what;
        EXPECT_EQ(report.ambiguous, row.ambiguous) << row.what;

        for (const char* restore : {"restore", "restore again"}) {
            batch::runScript("modosu.bat");
            hardening::Snapshot after = hardening::snapshot(dir.path());
            after.remove("modosu.bat");
            EXPECT_TRUE(after == before) << row.what << ", " << restore << hardening::difference(after, before);
        }
    }
}

// A work list filled from another folder may name a folder of the working
// directory: the renamer renames files only.
TEST(HardeningRegression, AFolderOfTheListedNameIsLeftAlone)
{
    testsupport::TempWorkDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("photos"));
    const auto prepared = renamer::prepareRun(Mode::Prefix, boxes(Mode::Prefix, "X"), 1);
    const auto report = renamer::runRename({"photos"}, std::get<renamer::PreparedRun>(prepared).transform, {});
    EXPECT_EQ(report.failed, 1);
    EXPECT_TRUE(QFileInfo(dir.file("photos")).isDir());
    EXPECT_EQ(dir.read("modosu.bat"), QByteArray());
}

// A file whose name starts with ":" is read from the disk, not from the
// toolkit's built-in resources.
TEST(HardeningRegression, ScriptNamedWithAColonIsReadFromTheDisk)
{
    testsupport::TempWorkDir dir;
    dir.write(":undo.bat", "ren    Xa    a\r\n");
    dir.write("Xa", "content");
    EXPECT_EQ(batch::runScript(":undo.bat").renamed, 1);
    EXPECT_EQ(dir.read("a"), "content");
}

TEST(HardeningRegression, ChosenReadingNeverUsesDotDot)
{
    const auto everything = [](const QString&) { return true; };
    const auto only = [](QStringList names) { return [names](const QString& n) { return names.contains(n); }; };
    using Reading = std::optional<std::pair<QString, QString>>;
    EXPECT_EQ(batch::chosenReading("ren    ..    [tag]    ..[tag]", only({"..", "..    [tag]"})),
              Reading({"..    [tag]", "..[tag]"}));
    EXPECT_EQ(batch::chosenReading("ren    ..    x", everything), Reading());
    EXPECT_EQ(batch::chosenReading("ren    a    b", only({"a"})), Reading({"a", "b"}));
}

} // namespace
