#include "batch/script.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "temp_env.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using renamer::RunReport;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// The folder's names and the expected ones, both in plain code unit order.
QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

renamer::Transform prefix(const QString& a)
{
    return [a](const QString& name, int) { return renamer::addPrefix(name, a); };
}

TEST(RenameRun, OffersOnlyEligibleNamesAndWritesTheirUndoLines)
{
    testsupport::TempWorkDir dir;
    const QStringList names{"a.exe", "b.EXE", "c.bat", "d.txt", "modosu.bat"};
    for (const QString& n : names)
        dir.write(n, n.toUtf8());
    QStringList offered;
    const auto transform = [&](const QString& name, int) {
        offered << name;
        return renamer::addPrefix(name, "X");
    };
    const RunReport report = renamer::runRename(names, transform, {});
    EXPECT_EQ(offered, (QStringList{"b.EXE", "d.txt"}));
    EXPECT_EQ(report.stop, RunReport::Stop::None);
    EXPECT_EQ(report.attempts, 2);
    EXPECT_EQ(report.renamed, 2);
    EXPECT_EQ(sorted(dir.names()), sorted({"Xb.EXE", "Xd.txt", "a.exe", "c.bat", "modosu.bat"}));
    EXPECT_EQ(dir.read("Xd.txt"), "d.txt");
    EXPECT_EQ(dir.read("modosu.bat"), "ren    Xb.EXE    b.EXE\r\nren    Xd.txt    d.txt\r\n");
    EXPECT_TRUE(renamer::reportMessage(report).isEmpty());
}

TEST(RenameRun, ScriptBytesAreCodePage932WithBlanksAsTheyStand)
{
    testsupport::TempWorkDir dir;
    dir.write(q("my file.txt"));
    dir.write(q("写真.jpg"));
    dir.write(q("same.txt"));
    const auto transform = [](const QString& name, int) {
        return name == u"same.txt" ? renamer::TransformResult::to(name) : renamer::addPrefix(name, q("ａ "));
    };
    const RunReport report = renamer::runRename({q("my file.txt"), q("写真.jpg"), q("same.txt")}, transform, {});
    EXPECT_EQ(report.attempts, 3);
    EXPECT_EQ(report.renamed, 2);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(dir.read("modosu.bat"),
              QByteArray("ren    \x82\x81 my file.txt    my file.txt\r\n"
                         "ren    \x82\x81 \x8e\xca\x90^.jpg    \x8e\xca\x90^.jpg\r\n"
                         "ren    same.txt    same.txt\r\n"));
    EXPECT_TRUE(dir.exists(q("ａ 写真.jpg")));
}

TEST(RenameRun, BlockedRenameKeepsBothFilesAndItsUndoLine)
{
    testsupport::TempWorkDir dir;
    dir.write("a.txt", "mine");
    dir.write("Xa.txt", "theirs");
    dir.write("b.txt", "b");
    const RunReport report = renamer::runRename({"a.txt", "b.txt"}, prefix("X"), {});
    EXPECT_EQ(report.attempts, 2);
    EXPECT_EQ(report.renamed, 1);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(dir.read("a.txt"), "mine");
    EXPECT_EQ(dir.read("Xa.txt"), "theirs");
    EXPECT_EQ(dir.read("Xb.txt"), "b");
    EXPECT_EQ(dir.read("modosu.bat"), "ren    Xa.txt    a.txt\r\nren    Xb.txt    b.txt\r\n");
    EXPECT_TRUE(renamer::reportMessage(report).contains(u"1 件"));
}

TEST(RenameRun, EmptyListAndSecondRunLeaveOnlyTheLatestLines)
{
    testsupport::TempWorkDir dir;
    dir.write("modosu.bat", "ren    old    lines\r\n");
    dir.write("a.txt", "a");

    RunReport report = renamer::runRename({}, prefix("X"), {});
    EXPECT_EQ(report.attempts, 0);
    EXPECT_TRUE(dir.exists("modosu.bat"));
    EXPECT_EQ(dir.read("modosu.bat"), "");

    report = renamer::runRename({"a.txt"}, prefix("X"), {});
    EXPECT_EQ(report.renamed, 1);
    // The window empties its list after a run; a second press runs over nothing.
    report = renamer::runRename({}, prefix("X"), {});
    EXPECT_EQ(report.attempts, 0);
    EXPECT_EQ(dir.read("modosu.bat"), "");
    EXPECT_EQ(dir.read("Xa.txt"), "a");

    // Over the stale list the old name is gone: the attempt fails but counts,
    // and gets no undo line, which would move Xa.txt on a restore.
    report = renamer::runRename({"a.txt"}, prefix("X"), {});
    EXPECT_EQ(report.attempts, 1);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(dir.read("modosu.bat"), "");
    EXPECT_EQ(dir.read("Xa.txt"), "a");
}

TEST(RenameRun, NamesTheScriptCannotHoldAreLeftAlone)
{
    struct Row { const char* oldName; const char* prefix; };
    const Row rows[] = {
        {"a\xE3\x80\x9C.txt", "X"},     // U+301C comes back as U+FF5E
        {"\xC3\xA9t\xC3\xA9.txt", "X"}, // U+00E9 is not in the code page
        {"a\nb.txt", "X"},
        {"a\rb.txt", "X"},
        {"plain.txt", "\xC3\xA9"},      // only the new name is the problem
        {"plain.txt", "a\n"},
    };
    for (const auto& r : rows) {
        testsupport::TempWorkDir dir;
        const QString oldName = q(r.oldName);
        dir.write(oldName, "content");
        dir.write("next.txt", "next");
        int lastProgress = -1;
        renamer::RunOptions options;
        options.refreshEveryEntry = true;
        options.progress = [&](int counter) { lastProgress = counter; };
        const auto transform = [&](const QString& name, int) {
            return renamer::addPrefix(name, name == oldName ? q(r.prefix) : QStringLiteral("X"));
        };
        const RunReport report = renamer::runRename({oldName, "next.txt"}, transform, options);
        EXPECT_EQ(report.unrepresentable, 1) << r.oldName;
        EXPECT_EQ(report.attempts, 1) << r.oldName;
        EXPECT_EQ(lastProgress, 1) << r.oldName;
        EXPECT_EQ(dir.read(oldName), "content") << r.oldName;
        EXPECT_EQ(dir.read("modosu.bat"), "ren    Xnext.txt    next.txt\r\n") << r.oldName;
        EXPECT_FALSE(renamer::reportMessage(report).isEmpty());
    }
}

TEST(RenameRun, ProgressFollowsTheRefreshRule)
{
    const auto onlyTxt = [](const QString& name, int) {
        return name.endsWith(u".txt") ? renamer::addPrefix(name, "X") : renamer::TransformResult::skip();
    };
    struct Row { bool everyEntry; QList<int> calls; };
    const Row rows[] = {
        {false, {1, 2}},
        {true, {1, 1, 2, 2}},
    };
    for (const auto& r : rows) {
        testsupport::TempWorkDir dir;
        for (const char* n : {"a.txt", "b.exe", "c.txt", "d"})
            dir.write(n);
        QList<int> calls;
        renamer::RunOptions options;
        options.refreshEveryEntry = r.everyEntry;
        options.progress = [&](int counter) { calls << counter; };
        renamer::runRename({"a.txt", "b.exe", "c.txt", "d"}, onlyTxt, options);
        EXPECT_EQ(calls, r.calls) << r.everyEntry;
    }
}

TEST(RenameRun, TooShortNamesAreCountedApart)
{
    testsupport::TempWorkDir dir;
    for (const char* n : {"abc", "abcdefghij"})
        dir.write(n);
    renamer::Boxes boxes;
    boxes.text7 = "1";
    boxes.text9 = "8";
    const auto run = std::get<renamer::PreparedRun>(renamer::prepareRun(renamer::Mode::DeleteAt, boxes, 2));
    const RunReport report = renamer::runRename({"abc", "abcdefghij"}, run.transform, {});
    EXPECT_EQ(report.tooShort, 1);
    EXPECT_EQ(report.attempts, 1);
    EXPECT_EQ(sorted(dir.names()), sorted({"abc", "ij", "modosu.bat"}));
    EXPECT_EQ(dir.read("modosu.bat"), "ren    ij    abcdefghij\r\n");
    EXPECT_TRUE(renamer::reportMessage(report).contains(u"1 件"));
}

TEST(RenameRun, ReadOnlyFolderTouchesNothing)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    testsupport::TempWorkDir dir;
    dir.write("a.txt", "a");
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const RunReport report = renamer::runRename({"a.txt"}, prefix("X"), {});
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
    EXPECT_EQ(report.stop, RunReport::Stop::ScriptNotCreated);
    EXPECT_EQ(report.attempts, 0);
    EXPECT_EQ(dir.names(), QStringList{"a.txt"});
    EXPECT_EQ(renamer::reportMessage(report), q("modosu.bat を作成できないため、何も変更しませんでした。"));
}

TEST(RenameRun, RestoreBringsEveryNameBack)
{
    struct Row {
        const char* what;
        renamer::Mode mode;
        renamer::Boxes boxes;
        QStringList names;
    };
    renamer::Boxes chainBoxes;
    chainBoxes.text6 = "A";
    renamer::Boxes numbering;
    numbering.text8 = "1";
    renamer::Boxes collapse;   // two names collapse into one
    collapse.text11 = "-";
    collapse.check1 = true;
    renamer::Boxes deleting;
    deleting.text7 = "1";
    deleting.text9 = "1";
    const Row rows[] = {
        {"chain", renamer::Mode::Prefix, chainBoxes, {"Aa", "a"}},
        {"numbers", renamer::Mode::NumberBehind, numbering, {"x.txt", "y", "z.exe", q("写真.jpg")}},
        {"collapse", renamer::Mode::DeleteBefore, collapse, {"x-a.txt", "y-a.txt", "a"}},
        {"shift", renamer::Mode::DeleteAt, deleting, {"b1", "ab1"}},
    };
    for (const auto& r : rows) {
        testsupport::TempWorkDir dir;
        for (const QString& n : r.names)
            dir.write(n, ("content of " + n).toUtf8());
        const auto prepared = renamer::prepareRun(r.mode, r.boxes, int(r.names.size()));
        const auto& run = std::get<renamer::PreparedRun>(prepared);
        const RunReport report = renamer::runRename(r.names, run.transform, {});
        EXPECT_GT(report.renamed, 0) << r.what;
        EXPECT_NE(sorted(dir.names()), sorted(QStringList(r.names) << "modosu.bat")) << r.what;

        const batch::ScriptReport restored = batch::runScript("modosu.bat");
        EXPECT_TRUE(restored.readable) << r.what;
        EXPECT_EQ(sorted(dir.names()), sorted(QStringList(r.names) << "modosu.bat")) << r.what;
        for (const QString& n : r.names)
            EXPECT_EQ(dir.read(n), ("content of " + n).toUtf8()) << r.what << " " << n.toStdString();
    }
}

} // namespace
