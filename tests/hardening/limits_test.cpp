// Bad input and failing surroundings: each is answered with a message and
// leaves every file as it was.
#include "hardening.h"
#include "renamer/core/rename_run.h"
#include "temp_env.h"

#include <csignal>
#include <sys/resource.h>
#include <variant>

namespace {

using namespace hardening;
using renamer::Mode;
using Stop = renamer::RunReport::Stop;

renamer::Transform prefixX()
{
    return std::get<renamer::PreparedRun>(renamer::prepareRun(Mode::Prefix, boxes(Mode::Prefix, "X"), 1)).transform;
}

// Failing surroundings. The disk filling up within the second undo line must
// not leave it cut short, where a restore would read "ren    Xb.txt    b.t"
// and move the Xb.txt that was there before the run.
TEST(HardeningLimits, SurroundingsThatFail)
{
    struct Row {
        bool files;   // whether the listed files exist
        void (*spoil)(const QString&);
        Stop stop;
        int attempts, renamed, failed;
        const char* message;   // its start
        QByteArray script;     // what stands at modosu.bat afterwards
    };
    const char* notCreated = "modosu.bat を作成できないため、何も変更しませんでした。";
    const char* writeFailed = "modosu.bat に書き込めなくなったため、途中で止めました。";
    const QByteArray firstLine = "ren    Xa.txt    a.txt\r\n";
    const Row rows[] = {
        // A folder in the way, as a read-only folder would be (root writes those anyway).
        {true, [](const QString& d) { QDir(d).mkdir("modosu.bat"); }, Stop::ScriptNotCreated, 0, 0, 0, notCreated, "<dir>"},
        {true, [](const QString&) { QFile::link("/dev/full", "modosu.bat"); }, Stop::ScriptWriteFailed, 0, 0, 0, writeFailed,
         "-> /dev/full"},
        {true, [](const QString&) {   // the first line (24 bytes) and most of the second fit
             rlimit cut{};
             getrlimit(RLIMIT_FSIZE, &cut);
             cut.rlim_cur = 24 + 19;
             setrlimit(RLIMIT_FSIZE, &cut);
         }, Stop::ScriptWriteFailed, 1, 1, 0, writeFailed, firstLine},
        {false, [](const QString&) {}, Stop::None, 2, 0, 2, "2 件", ""},
        {false, [](const QString& d) { QDir(d).removeRecursively(); }, Stop::ScriptNotCreated, 0, 0, 0, notCreated, "<none>"},
    };
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    for (const Row& row : rows) {
        testsupport::TempWorkDir dir;
        for (const char* name : {"a.txt", "b.txt", "Xb.txt"})
            if (row.files)
                dir.write(name, name);
        const Snapshot before = snapshot(dir.path(), true);
        row.spoil(dir.path());
        const renamer::RunReport report = renamer::runRename({"a.txt", "b.txt"}, prefixX(), {});
        setrlimit(RLIMIT_FSIZE, &unlimited);
        const std::string what = row.script.toStdString();
        EXPECT_EQ(report.stop, row.stop) << what;
        EXPECT_EQ(report.attempts, row.attempts) << what;
        EXPECT_EQ(report.renamed, row.renamed) << what;
        EXPECT_EQ(report.failed, row.failed) << what;
        EXPECT_TRUE(renamer::reportMessage(report).startsWith(QString::fromUtf8(row.message))) << what;
        EXPECT_EQ(snapshot(dir.path()).value("modosu.bat", "<none>"), row.script) << what;
        if (row.renamed > 0)
            batch::runScript("modosu.bat");
        const Snapshot after = snapshot(dir.path(), true);
        EXPECT_TRUE(after == before) << what << difference(after, before);
    }
}

// A value the mode cannot use is refused before anything is written; values
// at the edges that it can use give the names it defines.
TEST(HardeningLimits, ParametersAtTheirLimits)
{
    struct Row {
        Mode mode;
        const char *first, *second, *outcome;   // the refusal's start, or the name after the run
    };
    const char *insertN = "N（挿入位置）", *deleteN = "N（削除する位置）";
    const Row rows[] = {
        {Mode::Insert, "", "D", insertN}, {Mode::Insert, "x1", "D", insertN}, {Mode::Insert, "-1", "D", insertN},
        {Mode::Insert, "4294967297", "D", insertN}, {Mode::Insert, "2147483648", "D", "abcD"},
        {Mode::DeleteAt, "", "1", deleteN}, {Mode::DeleteAt, "1 2", "1", deleteN}, {Mode::DeleteAt, "0.49", "1", deleteN},
        {Mode::DeleteAt, "99999999999", "1", deleteN}, {Mode::DeleteAt, "1", "99999999999", "abc"},
        {Mode::DeleteAt, "2", "-99999999999", "aabc"}, {Mode::NumberBehind, "zz", "", "abc-001"},
        {Mode::NumberFront, "99999999999999999999", "", "100000000000000000000-abc"},
        {Mode::NumberFront, "-4294967296", "", "004294967296-abc"},
    };
    for (const Row& row : rows) {
        const std::string what = std::to_string(int(row.mode)) + " '" + row.first + "' '" + row.second + "'";
        testsupport::TempWorkDir dir;
        dir.write("abc", "abc");
        const auto prepared = renamer::prepareRun(row.mode, boxes(row.mode, row.first, row.second), 1);
        if (const auto* refusal = std::get_if<QString>(&prepared)) {
            EXPECT_TRUE(refusal->startsWith(QString::fromUtf8(row.outcome))) << what << " refused";
            EXPECT_EQ(dir.names(), QStringList{"abc"}) << what;
            continue;
        }
        renamer::runRename({"abc"}, std::get<renamer::PreparedRun>(prepared).transform, {});
        EXPECT_EQ(dir.names(), QStringList({row.outcome, "modosu.bat"})) << what;
        batch::runScript("modosu.bat");
        EXPECT_EQ(dir.read("abc"), "abc") << what;
    }
}

} // namespace
