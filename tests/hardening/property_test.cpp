// Random folders through every mode, the rename run and the undo script:
// nothing lost or doubled, every move traceable, and restoring (twice, or
// after a restore that stopped part-way) gives every file its name back.
#include "hardening.h"
#include "platform/listing.h"
#include "platform/text_file.h"
#include "renamer/core/rename_run.h"
#include "temp_env.h"

#include <QElapsedTimer>

#include <algorithm>
#include <iostream>
#include <variant>

namespace {

using namespace hardening;
using renamer::Mode;

const char* const kPieces[] = {"a", "b", "Aa", "abc", "ABC", "x", "memo", "IMG_", "2008", "01", "9", "写真", "メモ", "あ",
    "漢字", "ファイル", "ｆｕｌｌ", "\xEF\xBD\x9E" /* U+FF5E */, " ", "  ", "    ", "     ", "[", "]", "[1]", "[tag]", "].",
    ".", "..", "-", "_", "(1)", ":", "Σ", "ς", "ａ", "．", "＿"};
// Now and then: what the script cannot hold (U+301C comes back as U+FF5E), case folding corners.
const char* const kRare[] = {"\xE3\x80\x9C", "é", "\xF0\x9F\x98\x80", "ß", "İ", "\n"};
const char* const kExtensions[] = {"", "", "", ".txt", ".txt", ".TXT", ".jpg", ".eee", ".tar.gz", ".exe", ".EXE", ".bat",
    ".com", ".dll"};
const char* const kTexts[] = {"", "", "A", "a", "X", "-", ".", " ", "    ", "写真", "ａ", "txt", "TXT", "01_", "[", "]",
    "].", "x    y", ":", "é", "\xE3\x80\x9C", "\xF0\x9F\x98\x80", "/", "\n", "ß"};
// Position boxes, and whether the run may go ahead.
const std::pair<const char*, bool> kPositions[] = {{"1", true}, {"2", true}, {"3", true}, {" 3 ", true}, {"2.5", true},
    {"1.5", true}, {"5", true}, {"20", true}, {"0", true}, {"0.0", true}, {"+2", true}, {"2147483648", true}, {"", false},
    {"abc", false}, {"8abc", false}, {"-1", false}, {"0.4", false}, {"-3", false}, {"2147483649", false},
    {"99999999999", false}, {"1e3", false}, {"１", false}};
const char* const kCounts[] = {"8", "1", "1", "2", "3", "0", "-1", "", "abc", "8abc", "1.5", "99999999999", "-2"};
const char* const kStarts[] = {"1", "1", "007", "0", "", "abc", "-5", "100", "1.5", "99999999999999999999", "  3"};

QString caseVariant(QString name, Random& r)
{
    for (QChar& c : name)
        if (c.isLetter() && r.chance(0.5))
            c = c.isUpper() ? c.toLower() : c.toUpper();
    return name;
}

bool usable(const QString& n)
{
    return !n.isEmpty() && n != u"." && n != u".." && !n.contains(u'/') && !n.contains(QChar(0))
        && QFile::encodeName(n).size() <= 255 && n != u"modosu.bat";
}

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
    if (r.chance(0.4))
        return r.pick(kTexts);
    const QList<uint> chars = names[r.below(int(names.size()))].toUcs4();
    const QList<uint> part = chars.mid(r.below(int(chars.size())), 1 + r.below(4));
    const QString cut = QString::fromUcs4(reinterpret_cast<const char32_t*>(part.constData()), part.size());
    return r.chance(0.3) ? caseVariant(cut, r) : cut;
}

// A mode with boxes valid or not, and whether the run must be refused.
std::tuple<Mode, renamer::Boxes, bool> randomRun(const QStringList& names, Random& r)
{
    const Mode mode = Mode(r.below(int(Mode::DeleteBefore) + 1));
    const auto& [position, usablePosition] = r.pick(kPositions);
    renamer::Boxes b = boxes(mode, r.pick(kTexts));
    switch (mode) {
    case Mode::Replace: b = boxes(mode, searchText(names, r), r.pick(kTexts)); break;
    case Mode::Insert: return {mode, boxes(mode, position, r.pick(kTexts)), !usablePosition};
    case Mode::DeleteAt: return {mode, boxes(mode, position, r.pick(kCounts)), !usablePosition};
    case Mode::NumberFront: case Mode::NumberBehind: b = boxes(mode, r.pick(kStarts)); break;
    case Mode::DeleteBefore: b = boxes(mode, searchText(names, r)), b.check1 = r.chance(0.5); break;
    default: break;
    }
    return {mode, b, false};
}

struct Totals { int refused = 0, renamed = 0, failed = 0, unrepresentable = 0; };

void runTrial(std::uint64_t seed, const testsupport::TempWorkDir& dir, Totals& totals)
{
    Random r(seed);
    for (const QString& n : QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(dir.file(n));
    // Mostly small folders, now and then up to 300 files; some names differ only in case.
    const int size = r.below(100) < 80 ? 1 + r.below(12) : r.chance(0.8) ? 13 + r.below(48) : 61 + r.below(240);
    QStringList names;
    while (names.size() < size) {
        const QString n = !names.isEmpty() && r.chance(0.15) ? caseVariant(names[r.below(int(names.size()))], r)
                                                             : randomName(r);
        if (!names.contains(n))
            names << n;
    }
    const auto [mode, given, refusable] = randomRun(names, r);
    const int collisions = r.below(size / 3 + 2), copies = r.chance(0.2) ? (r.chance(0.15) ? 3 : 2) : 1;
    const int missing = r.chance(0.15) ? 1 + r.below(3) : 0;
    const int listCount = (size + collisions) * copies + missing;
    const auto prepared = renamer::prepareRun(mode, given, listCount);
    if (const auto* message = std::get_if<QString>(&prepared)) {
        ++totals.refused;
        EXPECT_TRUE(refusable && !message->isEmpty()) << message->toStdString();
        EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "refused, yet the folder changed";
        return;
    }
    EXPECT_FALSE(refusable) << "accepted";
    const renamer::Transform& transform = std::get<renamer::PreparedRun>(prepared).transform;
    // Files holding names the run will make: blocked renames and chains.
    for (int c = 0; c < collisions; ++c) {
        QString name = names[r.below(size)];
        for (int depth = 1 + r.below(2); depth > 0; --depth)
            if (const auto t = transform(name, r.below(listCount)); t.kind == renamer::TransformResult::Kind::NewName)
                name = t.name;
        while (!usable(name) || names.contains(name))
            name = randomName(r);
        names << name;
    }
    for (int i = 0; i < names.size(); ++i)
        dir.write(names[i], "content " + QByteArray::number(seed) + "/" + QByteArray::number(i));
    QStringList sorted = names, workList;
    platform::sortNames(sorted);
    for (int i = 0; i < copies; ++i)
        workList += sorted;
    for (int i = 0; i < missing; ++i)
        workList.insert(r.below(int(workList.size()) + 1), "gone " + randomName(r));
    if (r.chance(0.2))
        std::shuffle(workList.begin(), workList.end(), r);

    const Snapshot before = snapshot(dir.path());
    const renamer::RunReport report = renamer::runRename(workList, transform, {});
    const std::string what = "work list: " + workList.join(u'|').toStdString();
    ASSERT_EQ(report.stop, renamer::RunReport::Stop::None) << what;
    int moved = 0;
    const QStringList lines = checkRun(before, snapshot(dir.path()), what, moved);
    EXPECT_LE(lines.size(), report.attempts) << what;
    EXPECT_LE(moved, report.renamed) << what;
    EXPECT_LE(report.renamed + report.failed, report.attempts) << what;
    totals.renamed += report.renamed, totals.failed += report.failed, totals.unrepresentable += report.unrepresentable;
    if (!lines.isEmpty() && r.chance(0.3)) {   // a restore that ran only the last lines
        ASSERT_EQ(platform::writeLines("partial.bat", lines.mid(r.below(int(lines.size())))), platform::WriteStatus::Ok);
        batch::runScript("partial.bat");
        platform::removeFile("partial.bat");
    }
    // The second restore finds every name back already and moves nothing.
    for (const char* pass : {"restore", "second restore"}) {
        EXPECT_TRUE(batch::runScript("modosu.bat").readable) << what;
        const Snapshot restored = snapshot(dir.path(), true);
        EXPECT_TRUE(restored == before) << pass << difference(restored, before) << "\n" << what << "\nscript:\n"
                                        << lines.join(u'\n').toStdString();
    }
}

TEST(Hardening, RandomFoldersAreRestoredExactly)
{
    const std::uint64_t seed = envNumber("QM_HARDENING_SEED", 20261206);
    const std::uint64_t trials = envNumber("QM_HARDENING_TRIALS", 1000);
    testsupport::TempWorkDir dir;
    Totals totals;
    QElapsedTimer clock;
    clock.start();
    // Each trial has its own seed, so a failing one can be run alone.
    for (std::uint64_t t = 0; t < trials && !HasFailure(); ++t) {
        runTrial(seed + t, dir, totals);
        if (HasFailure())
            ADD_FAILURE() << "rerun with QM_HARDENING_SEED=" << seed + t << " QM_HARDENING_TRIALS=1";
    }
    std::cout << "[hardening] " << trials << " trials in " << clock.elapsed() << " ms; " << totals.refused << " refused, "
              << totals.renamed << " renamed, " << totals.failed << " failed, " << totals.unrepresentable << " unrepresentable\n";
    if (trials >= 200) {   // the generator must reach every outcome, or the test proves little
        EXPECT_GT(totals.refused, 0);
        EXPECT_GT(totals.failed, 0);
        EXPECT_GT(totals.unrepresentable, 0);
        EXPECT_GT(totals.renamed, 5 * int(trials));
    }
}

} // namespace
