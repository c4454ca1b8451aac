// Random folders, bad input and failing surroundings through the rename run and the undo
// script: nothing lost or doubled, every move traceable, and restoring gives every file its name back.
#include "batch/undo_line.h"
#include "batch/undo_script.h"
#include "platform/cp932.h"
#include "platform/listing.h"
#include "renamer/core/rename_run.h"
#include "renamer/ui/run_messages.h"
#include "temp_env.h"
#include <QDir>
#include <QSet>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
namespace {
using namespace renamer;
using Stop = renamer::RunReport::Stop;
struct Random : std::mt19937_64 {
    using std::mt19937_64::mt19937_64;
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(*this); }
    bool chance(double p) { return std::bernoulli_distribution(p)(*this); }
    template <class T, std::size_t N> const T& pick(const T (&items)[N]) { return items[below(int(N))]; }
};
std::uint64_t envNumber(const char* name, std::uint64_t fallback)
{ return qEnvironmentVariableIsSet(name) ? qgetenv(name).toULongLong() : fallback; }
// The working directory as name -> content; folders and links are noted, never read (a link may lead to /dev/full).
using Snapshot = QHash<QString, QByteArray>;
Snapshot snapshot(bool withoutScript = false)
{
    Snapshot files;
    for (const QFileInfo& i : QDir().entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile f(i.absoluteFilePath());
        files[i.fileName()] = i.isSymLink() ? "-> " + QFile::encodeName(i.symLinkTarget()) : i.isDir() ? QByteArray("<dir>")
            : !i.isFile() ? QByteArray("<special>")
            : f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    files.remove(withoutScript ? "modosu.bat" : "");
    return files;
}
// Runs the undo script: the folder must hold again what it held before the run.
void expectRestored(const Snapshot& before, const std::string& what)
{
    const auto status = batch::runUndoScript("modosu.bat").status;   // missing: the run wrote no line
    EXPECT_TRUE(status == batch::RestoreReport::Status::Ran || status == batch::RestoreReport::Status::Missing) << what;
    EXPECT_TRUE(snapshot(true) == before) << what;
}
// After a run: no content changed or doubled, every moved file (counted) traceable through the undo lines (returned).
std::pair<QStringList, int> checkRun(const Snapshot& before, const std::string& what)
{
    const Snapshot after = snapshot();
    const bool hasScript = after.contains("modosu.bat");   // a run that wrote no line leaves none
    const auto text = platform::decodeCp932(after.value("modosu.bat", ""));
    EXPECT_TRUE(text) << "no readable script\n" << what;
    QStringList lines = text.value_or(QString()).split(QStringLiteral("\r\n"));
    if (lines.back().isEmpty()) lines.removeLast();
    QMultiHash<QString, QString> moves;
    for (const QString& line : lines)
        for (const auto& [from, to] : batch::renReadings(line))
            moves.insert(from, to);
    QHash<QByteArray, QString> oldNameOf;
    for (auto it = before.begin(); it != before.end(); ++it) oldNameOf[it.value()] = it.key();
    EXPECT_EQ(after.size(), before.size() + hasScript) << what;
    QSet<QByteArray> seen;
    int moved = 0;
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (it.key() == u"modosu.bat") continue;
        const QString old = oldNameOf.value(it.value());
        EXPECT_TRUE(!old.isEmpty() && !seen.contains(it.value())) << "changed or doubled: " << it.key().toStdString() << "\n" << what;
        seen << it.value();
        moved += !old.isEmpty() && old != it.key();   // a file may move more than once when listed again
        QSet<QString> reached{it.key()};
        for (QStringList todo{it.key()}; !todo.isEmpty() && !reached.contains(old);)
            for (const QString& next : moves.values(todo.takeLast()))
                if (!reached.contains(next))
                    reached << next, todo << next;
        EXPECT_TRUE(old.isEmpty() || reached.contains(old)) << old.toStdString() << " became " << it.key().toStdString() << "\n" << what;
    }
    return {lines, moved};
}
const char* const kPieces[] = {"a", "b", "Aa", "abc", "ABC", "x", "memo", "IMG_", "2008", "01", "9", "写真", "メモ", "あ",
    "漢字", "ファイル", "ｆｕｌｌ", "\xEF\xBD\x9E" /* U+FF5E */, " ", "  ", "    ", "     ", "[", "]", "[1]", "[tag]", "].",
    ".", "..", "-", "_", "(1)", ":", "Σ", "ς", "ａ", "．", "＿"};
// Now and then: what the script cannot hold (U+301C comes back as U+FF5E), case folding corners.
const char* const kRare[] = {"\xE3\x80\x9C", "é", "\xF0\x9F\x98\x80", "ß", "İ", "\n"};
const char* const kExtensions[] = {"", "", "", ".txt", ".TXT", ".jpg", ".tar.gz", ".exe", ".EXE", ".bat", ".com", ".dll"};
const char* const kTexts[] = {"", "", "A", "a", "X", "-", ".", " ", "    ", "写真", "ａ", "txt", "TXT", "01_", "[", "]",
    "].", "x    y", ":", "é", "\xE3\x80\x9C", "\xF0\x9F\x98\x80", "/", "\n", "ß"};
// Positions and counts as the window lets them through (none: N was 0), starts and their lengths as typed.
const std::optional<int> kPositions[] = {0, 0, 2, 1, 19, std::nullopt, 2147483647};
const double kCounts[] = {8, 1, 1, 2, 3, 0, -1, 1.5, -2};
const std::pair<NumberStart, int> kStarts[] = {{{}, 1}, {{}, 1}, {{true, false, "7", 0}, 3}, {{}, 0}, {{}, 3},
    {{true, true, "5", 0}, 2}, {{true, false, "100", 0}, 3}, {{false, false, {}, 1.5}, 3}, {{true, false, "99999999999999999999", 0}, 20}};
QString caseVariant(QString name, Random& r)
{
    for (QChar& c : name)
        if (c.isLetter() && r.chance(0.5))
            c = c.isUpper() ? c.toLower() : c.toUpper();
    return name;
}
bool usable(const QString& n)
{ return !n.isEmpty() && n != u"." && n != u".." && !n.contains(u'/') && QFile::encodeName(n).size() <= 255 && n != u"modosu.bat"; }
QString randomName(Random& r)
{
    QString name = r.chance(0.05) ? QString(r.pick(kPieces)) : QString();
    for (int i = 1 + r.below(4); i > 0; --i)
        name += r.chance(0.04) ? r.pick(kRare) : r.pick(kPieces);
    name = r.chance(0.2) ? caseVariant(name + r.pick(kExtensions), r) : name + r.pick(kExtensions);
    return usable(name) ? name : randomName(r);
}
// Mostly a stretch of one of the names (whole characters), so that searches find something.
QString searchText(const QStringList& names, Random& r)
{
    const QList<uint> chars = names[r.below(int(names.size()))].toUcs4();
    const QList<uint> part = chars.mid(r.below(int(chars.size())), 1 + r.below(4));
    const QString cut = QString::fromUcs4(reinterpret_cast<const char32_t*>(part.constData()), part.size());
    return r.chance(0.4) ? QString(r.pick(kTexts)) : r.chance(0.3) ? caseVariant(cut, r) : cut;
}
// Any mode, with parameters that mostly find something in the names.
ModeParams randomParams(const QStringList& names, Random& r)
{
    switch (r.below(8)) {
    case 0: return RemoveTag{};
    case 1: return Prefix{r.pick(kTexts)};
    case 2: return Replace{searchText(names, r), r.pick(kTexts)};
    case 3: return Insert{r.pick(kPositions), r.pick(kTexts)};
    case 4: return DeleteAt{r.pick(kPositions), r.pick(kCounts)};
    case 5: case 6: { const auto& [start, length] = r.pick(kStarts); return Number{start, length, r.chance(0.5)}; }
    default: return DeleteBefore{searchText(names, r), r.chance(0.5)};
    }
}
struct Totals { int renamed = 0, failed = 0, unrepresentable = 0; };
void runTrial(std::uint64_t seed, const testsupport::TempWorkDir& dir, Totals& totals)
{
    Random r(seed);
    for (const QString& n : QDir().entryList(QDir::Files | QDir::Hidden | QDir::System)) QFile::remove(dir.file(n));
    // Mostly small folders, now and then up to 300 files; some names differ only in case.
    const int size = r.below(100) < 80 ? 1 + r.below(12) : r.chance(0.8) ? 13 + r.below(48) : 61 + r.below(240);
    QStringList names;
    while (names.size() < size)
        if (const QString n = !names.isEmpty() && r.chance(0.15) ? caseVariant(names[r.below(int(names.size()))], r) : randomName(r);
            !names.contains(n))
            names << n;
    const ModeParams params = randomParams(names, r);
    const int collisions = r.below(size / 3 + 2), copies = r.chance(0.2) ? (r.chance(0.15) ? 3 : 2) : 1;
    const int missing = r.chance(0.15) ? 1 + r.below(3) : 0, listCount = (size + collisions) * copies + missing;
    const renamer::Transform transform = prepareRun(params, listCount).transform;
    for (int c = 0; c < collisions; ++c) {   // files holding names the run will make: blocked renames and chains
        QString name = names[r.below(size)];
        for (int depth = 1 + r.below(2); depth > 0; --depth)
            if (const auto t = transform(name, r.below(listCount)); t.kind == renamer::TransformResult::Kind::NewName)
                name = t.name;
        while (!usable(name) || names.contains(name)) name = randomName(r);
        names << name;
    }
    for (int i = 0; i < names.size(); ++i)
        dir.write(names[i], "content " + QByteArray::number(seed) + "/" + QByteArray::number(i));
    QStringList workList;
    platform::sortNames(names);
    for (int i = 0; i < copies; ++i) workList += names;
    for (int i = 0; i < missing; ++i) workList.insert(r.below(int(workList.size()) + 1), "gone " + randomName(r));
    if (r.chance(0.2)) std::shuffle(workList.begin(), workList.end(), r);
    const Snapshot before = snapshot();
    const renamer::RunReport report = renamer::runRename(workList, transform, {});
    const std::string what = "work list: " + workList.join(u'|').toStdString();
    ASSERT_EQ(report.stop, Stop::None) << what;
    const auto [lines, moved] = checkRun(before, what);
    EXPECT_TRUE(lines.size() <= report.attempts && moved <= report.renamed && report.renamed + report.failed() + report.alreadyMoved <= report.attempts) << what;
    totals.renamed += report.renamed, totals.failed += report.failed(), totals.unrepresentable += report.unrepresentable;
    expectRestored(before, what + "\nscript:\n" + lines.join(u'\n').toStdString());
    expectRestored(before, "restored twice, " + what);   // the second finds every name back and moves nothing
}
TEST(Hardening, RandomFoldersAreRestoredExactly)
{
    const std::uint64_t seed = envNumber("QM_HARDENING_SEED", 20261206), trials = envNumber("QM_HARDENING_TRIALS", 1000);
    testsupport::TempWorkDir dir;
    Totals totals;
    for (std::uint64_t t = 0; t < trials && !HasFailure(); ++t)   // each trial has its own seed, to be run alone
        if (runTrial(seed + t, dir, totals); HasFailure())
            ADD_FAILURE() << "rerun with QM_HARDENING_SEED=" << seed + t << " QM_HARDENING_TRIALS=1";
    std::cout << "[hardening] seed " << seed << ", " << trials << " trials: " << totals.renamed << " renamed, " << totals.failed << " failed, " << totals.unrepresentable << " unrepresentable\n";
    // The generator must reach every outcome, or the test proves little.
    EXPECT_TRUE(trials < 200 || (totals.failed && totals.unrepresentable && totals.renamed > 5 * int(trials)));
}
TEST(HardeningLimits, StoppedRunsLoseNothing)
{
    // message: its start; script: what stands at modosu.bat afterwards.
    struct Row { void (*spoil)(); ModeParams params; Stop stop; int attempts, renamed, failed; const char* message; QByteArray script; };
    const char* notCreated = "modosu.bat を作成できないため、何も変更しませんでした。";
    const Row rows[] = {
        // A folder in the way, as a read-only folder would be (root writes those anyway).
        {[] { QDir().mkdir("modosu.bat"); }, Prefix{"X"}, Stop::ScriptNotCreated, 0, 0, 0, notCreated, "<dir>"},
        {[] { mkfifo("modosu.bat", 0600); }, Prefix{"X"}, Stop::ScriptNotCreated, 0, 0, 0, notCreated, "<special>"},
        // A link is replaced by a fresh script of the run's own, never written through.
        {[] { QFile::link("/dev/full", "modosu.bat"); }, Prefix{"X"}, Stop::None, 2, 1, 1, "1 件は新しい名前",
         "ren    Xa.txt    a.txt\r\n"},
        {[] { QFile::remove("a.txt"), QFile::remove("b.txt"); }, Prefix{"X"}, Stop::None, 2, 0, 2, "2 件", "<none>"},
        {[] { QDir().removeRecursively(); }, Prefix{"X"}, Stop::ScriptNotCreated, 0, 0, 0, notCreated, "<none>"},
        {nullptr, Insert{2147483647, "D"}, Stop::None, 2, 2, 0, "", "ren    a.txtD    a.txt\r\nren    b.txtD    b.txt\r\n"},
    };
    for (const Row& row : rows) {
        const std::string what = "row " + std::to_string(&row - rows);
        testsupport::TempWorkDir dir;
        for (const char* name : {"a.txt", "b.txt", "Xb.txt"}) dir.write(name, name);
        if (row.spoil) row.spoil();
        const Snapshot before = snapshot(true);
        const auto report = runRename({"a.txt", "b.txt"}, prepareRun(row.params, 2).transform, {});
        const QString message = quillmere::runMessage(report);
        EXPECT_EQ(message.left(QString::fromUtf8(row.message).size()), QString::fromUtf8(row.message)) << what;
        EXPECT_TRUE(report.stop == row.stop && report.attempts == row.attempts && report.renamed == row.renamed
            && report.failed() == row.failed) << what << ": " << report.attempts << " " << report.renamed << " " << report.failed();
        EXPECT_EQ(snapshot().value("modosu.bat", "<none>"), row.script) << what;
        if (row.renamed > 0) batch::runUndoScript("modosu.bat");
        EXPECT_TRUE(snapshot(true) == before) << what;
    }
}
} // namespace
