// Bad input and failing surroundings: each is answered with a message and
// leaves every file as it was.
#include "batch/script.h"
#include "folder_state.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <variant>

namespace {

using renamer::Mode;
using renamer::RunReport;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

renamer::Transform prefix()
{
    return [](const QString& name, int) { return renamer::addPrefix(name, QStringLiteral("X")); };
}

TEST(HardeningLimits, ScriptThatCannotBeWrittenStopsBeforeAnyRename)
{
    struct Row {
        const char* what;
        void (*spoil)(const testsupport::TempWorkDir&);
        RunReport::Stop stop;
        const char* message;
    };
    const Row rows[] = {
        // A folder where the script should go: it cannot be created, as in a
        // read-only folder (which root would write anyway).
        {"script name taken by a folder", [](const testsupport::TempWorkDir& d) { QDir(d.path()).mkdir("modosu.bat"); },
         RunReport::Stop::ScriptNotCreated, "modosu.bat を作成できないため、何も変更しませんでした。"},
        // Every write fails with ENOSPC, as on a full disk.
        {"disk full", [](const testsupport::TempWorkDir&) { QFile::link("/dev/full", "modosu.bat"); },
         RunReport::Stop::ScriptWriteFailed, "modosu.bat に書き込めなくなったため、途中で止めました。"},
    };
    for (const Row& row : rows) {
        testsupport::TempWorkDir dir;
        for (const char* name : {"a.txt", "b.txt", "写真.jpg"})
            dir.write(q(name), name);
        row.spoil(dir);
        const QStringList before = dir.names();
        const hardening::Snapshot contents = hardening::snapshot(dir.path());
        const RunReport report = renamer::runRename({"a.txt", "b.txt", q("写真.jpg")}, prefix(), {});
        EXPECT_EQ(report.stop, row.stop) << row.what;
        EXPECT_EQ(report.attempts, 0) << row.what;
        EXPECT_EQ(report.renamed, 0) << row.what;
        EXPECT_EQ(dir.names(), before) << row.what;
        EXPECT_TRUE(hardening::snapshot(dir.path()) == contents) << row.what;
        EXPECT_TRUE(renamer::reportMessage(report).startsWith(q(row.message))) << row.what;
    }
}

// The disk fills up in the middle of an undo line: the line must not stay
// behind cut short, where a restore would read "ren    Xb.txt    b.t" and
// move the Xb.txt that was there before the run.
TEST(HardeningLimits, DiskFullInTheMiddleOfALine)
{
    testsupport::TempWorkDir dir;
    for (const char* name : {"a.txt", "b.txt", "Xb.txt"})
        dir.write(name, name);
    const hardening::Snapshot before = hardening::snapshot(dir.path());
    const QByteArray firstLine = "ren    Xa.txt    a.txt\r\n";
    RunReport report;
    {
        // Files may grow to the first line and most of the second; a write
        // beyond that is cut short and the next one fails, as on a full disk.
        const hardening::FileSizeLimit limit(firstLine.size() + 19);
        report = renamer::runRename({"a.txt", "b.txt"}, prefix(), {});
    }
    EXPECT_EQ(report.stop, RunReport::Stop::ScriptWriteFailed);
    EXPECT_EQ(report.renamed, 1);
    EXPECT_EQ(dir.read("modosu.bat"), firstLine);

    batch::runScript("modosu.bat");
    hardening::Snapshot after = hardening::snapshot(dir.path());
    after.remove("modosu.bat");
    EXPECT_TRUE(after == before) << hardening::difference(after, before);
}

TEST(HardeningLimits, NamesWhoseFilesAreGone)
{
    testsupport::TempWorkDir dir;
    const QStringList listed{"a.txt", q("写真.jpg"), "my    file.txt"};
    // Listed, then removed before the run.
    const RunReport report = renamer::runRename(listed, prefix(), {});
    EXPECT_EQ(report.stop, RunReport::Stop::None);
    EXPECT_EQ(report.attempts, 3);
    EXPECT_EQ(report.failed, 3);
    EXPECT_TRUE(renamer::reportMessage(report).contains(u"3 件"));
    EXPECT_EQ(dir.read("modosu.bat"), "");
    EXPECT_EQ(dir.names(), QStringList{"modosu.bat"});

    // The working folder itself gone.
    testsupport::TempWorkDir gone;
    ASSERT_TRUE(QDir(gone.path()).removeRecursively());
    const RunReport nowhere = renamer::runRename(listed, prefix(), {});
    EXPECT_EQ(nowhere.stop, RunReport::Stop::ScriptNotCreated);
    EXPECT_EQ(nowhere.attempts, 0);
    EXPECT_FALSE(renamer::reportMessage(nowhere).isEmpty());
}

// Every box at its limits: a value the mode cannot use is refused before
// anything is written; the others give names the mode defines.
TEST(HardeningLimits, ParametersAtTheirLimits)
{
    struct Row {
        const char* what;
        Mode mode;
        renamer::Boxes boxes;
        const char* refusal;       // the message's start, or nullptr when the run goes ahead
        QStringList after;         // the folder after the run, modosu.bat left out
    };
    const auto insert = [](const char* n) { renamer::Boxes b; b.text2 = q(n); b.text3 = "D"; return b; };
    const auto deleteAt = [](const char* n, const char* count) {
        renamer::Boxes b;
        b.text7 = q(n);
        b.text9 = q(count);
        return b;
    };
    const auto numbering = [](const char* start) { renamer::Boxes b; b.text8 = q(start); return b; };
    const char* insertN = "N（挿入位置）";
    const char* deleteN = "N（削除する位置）";
    const Row rows[] = {
        {"insert, empty", Mode::Insert, insert(""), insertN, {}},
        {"insert, not a number", Mode::Insert, insert("x1"), insertN, {}},
        {"insert, below range", Mode::Insert, insert("-1"), insertN, {}},
        {"insert, beyond 32 bits", Mode::Insert, insert("4294967297"), insertN, {}},
        {"insert, last usable", Mode::Insert, insert("2147483648"), nullptr, {"abcD"}},
        {"delete, empty", Mode::DeleteAt, deleteAt("", "1"), deleteN, {}},
        {"delete, not a number", Mode::DeleteAt, deleteAt("1 2", "1"), deleteN, {}},
        {"delete, below range", Mode::DeleteAt, deleteAt("0.49", "1"), deleteN, {}},
        {"delete, beyond 32 bits", Mode::DeleteAt, deleteAt("99999999999", "1"), deleteN, {}},
        {"delete, count beyond 32 bits", Mode::DeleteAt, deleteAt("1", "99999999999"), nullptr, {"abc"}},
        {"delete, count far below 0", Mode::DeleteAt, deleteAt("2", "-99999999999"), nullptr, {"aabc"}},
        {"delete, count empty", Mode::DeleteAt, deleteAt("1", ""), nullptr, {"abc"}},
        {"number, start beyond 64 bits", Mode::NumberFront, numbering("99999999999999999999"), nullptr,
         {"100000000000000000000-abc"}},
        {"number, start far below 0", Mode::NumberFront, numbering("-4294967296"), nullptr, {"004294967296-abc"}},
        {"number, start not a number", Mode::NumberBehind, numbering("zz"), nullptr, {"abc-001"}},
    };
    for (const Row& row : rows) {
        testsupport::TempWorkDir dir;
        dir.write("abc", "abc");
        const auto prepared = renamer::prepareRun(row.mode, row.boxes, 1);
        if (row.refusal) {
            ASSERT_TRUE(std::holds_alternative<QString>(prepared)) << row.what;
            EXPECT_TRUE(std::get<QString>(prepared).startsWith(q(row.refusal))) << row.what;
            EXPECT_EQ(dir.names(), QStringList{"abc"}) << row.what;
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<renamer::PreparedRun>(prepared)) << row.what;
        renamer::runRename({"abc"}, std::get<renamer::PreparedRun>(prepared).transform, {});
        QStringList names = dir.names();
        names.removeOne("modosu.bat");
        EXPECT_EQ(names.join(" / ").toStdString(), row.after.join(" / ").toStdString()) << row.what;
        batch::runScript("modosu.bat");
        EXPECT_EQ(dir.read("abc"), "abc") << row.what;
    }
}

} // namespace
