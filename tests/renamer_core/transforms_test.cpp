#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"

#include <gtest/gtest.h>

#include <variant>

namespace {

using renamer::Boxes;
using renamer::Mode;
using renamer::TransformResult;
using Kind = TransformResult::Kind;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// "<skip>" and "<short>" stand for the two non-name outcomes.
QString shown(const TransformResult& r)
{
    switch (r.kind) {
    case Kind::Skip: return QStringLiteral("<skip>");
    case Kind::TooShort: return QStringLiteral("<short>");
    case Kind::NewName: break;
    }
    return r.name;
}

renamer::PreparedRun prepared(Mode mode, const Boxes& boxes, int count = 5)
{
    auto run = renamer::prepareRun(mode, boxes, count);
    if (auto* message = std::get_if<QString>(&run))
        ADD_FAILURE() << "refused: " << message->toStdString();
    return std::get<renamer::PreparedRun>(std::move(run));
}

TEST(RemoveTag, Table)
{
    struct Row { const char* name; const char* expected; };
    const Row rows[] = {
        {"aa-bb[c].eee", "aa-bb.eee"},
        {"a[1]b[2].txt", "a.txt"},
        {"a[x].b.c", "a.b.c"},
        {"[c].txt", ".txt"},
        {"a[b]", "<skip>"},
        {"a[b]c.txt", "<skip>"},
        {"a［b］.txt", "<skip>"},          // full-width brackets are not marks
        {"写真[旅行].jpg", "写真.jpg"},
        {"\xF0\x9F\x98\x80[x].txt", "\xF0\x9F\x98\x80.txt"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(shown(renamer::removeTag(q(r.name))), q(r.expected)) << r.name;
}

TEST(ReplaceFirst, Table)
{
    struct Row { const char* name; const char* b; const char* c; const char* expected; };
    const Row rows[] = {
        {"aaBdd.eee", "b", "C", "aaCdd.eee"},
        {"abc.eee", "e", "x", "abc.xee"},
        {"aXbXc.txt", "x", "Y", "aYbXc.txt"},             // first occurrence only
        {"x.txt", "", "Z", "Zx.txt"},
        {"abc.txt", "q", "Z", "<skip>"},
        {"ÄBC.txt", "äb", "z", "zC.txt"},                  // folding beyond ASCII
        {"ας.txt", "Σ", "Z", "αZ.txt"},                    // final sigma folds to sigma
        {"x\xF0\x90\x90\x80y", "\xF0\x90\x90\xA8", "-", "x-y"},   // Deseret, outside the BMP
        {"\xF0\x9F\x98\x80" "abc.txt", "B", "x", "\xF0\x9F\x98\x80" "axc.txt"},
        {"straße.txt", "SS", "x", "<skip>"},               // simple folding: ß stays ß
        {"Ａbc.txt", "a", "x", "<skip>"},                  // no width folding
        {"あいう.txt", "ア", "x", "<skip>"},               // no kana folding
    };
    for (const auto& r : rows)
        EXPECT_EQ(shown(renamer::replaceFirst(q(r.name), q(r.b), q(r.c))), q(r.expected)) << r.name;
}

TEST(DeleteBefore, Table)
{
    struct Row { const char* name; const char* t; const char* kept; const char* alsoText; };
    const Row rows[] = {
        {"abcd-x.eee", "-", "-x.eee", "x.eee"},
        {"2008-01-02-memo.txt", "-", "-01-02-memo.txt", "01-02-memo.txt"},
        {"a.b.txt", ".", ".b.txt", "b.txt"},
        {"xxabcyy.txt", "ABC", "abcyy.txt", "yy.txt"},
        {"memo.txt", "-", "<skip>", "<skip>"},
        {"memo.txt", "", "memo.txt", "memo.txt"},
        {"memo-", "-", "-", ""},
        {"\xF0\x9F\x98\x80-写真.jpg", "-", "-写真.jpg", "写真.jpg"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(shown(renamer::deleteBefore(q(r.name), q(r.t), false)), q(r.kept)) << r.name;
        EXPECT_EQ(shown(renamer::deleteBefore(q(r.name), q(r.t), true)), q(r.alsoText)) << r.name;
    }
}

TEST(InsertAt, ThroughTheBoxes)
{
    struct Row { const char* name; const char* n; const char* d; const char* expected; };
    const Row rows[] = {
        {"x.txt", "1", "new_", "new_x.txt"},
        {"aaaacc.eee", "3", "D", "aaDaacc.eee"},
        {"abc.txt", "20", "X", "abc.txtX"},
        {"abc.txt", "3", "", "abc.txt"},
        {"abcdef", "2.5", "X", "abXcdef"},     // k = 1.5 -> 2
        {"abcdef", "1.5", "X", "Xabcdef"},     // k = 0.5 -> 0
        {"abcdef", "0", "X", "<skip>"},
        {"abcdef", "2147483648", "X", "abcdefX"},
        {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80.txt", "2", "X", "\xF0\x9F\x98\x80X\xF0\x9F\x98\x80.txt"},
    };
    for (const auto& r : rows) {
        Boxes boxes;
        boxes.text2 = q(r.n);
        boxes.text3 = q(r.d);
        EXPECT_EQ(shown(prepared(Mode::Insert, boxes).transform(q(r.name), 0)), q(r.expected)) << r.name << " N=" << r.n;
    }
}

TEST(DeleteAt, ThroughTheBoxes)
{
    struct Row { const char* name; const char* n; const char* count; const char* expected; };
    const Row rows[] = {
        {"20080911memo.txt", "1", "8", "memo.txt"},
        {"abcd.eee", "1", "1", "bcd.eee"},
        {"abcdefgh.txt", "3", "2", "abefgh.txt"},
        {"abc.txt", "3", "3", "abxt"},
        {"写真2008年.jpg", "3", "5", "写真.jpg"},
        {"abcdef", "3", "0", "abcdef"},
        {"abcdef", "3", "-1", "abbcdef"},
        {"abcdefgh", "1", "8", ""},
        {"abc", "1", "8", "<short>"},
        {"abc", "10", "1", "<short>"},
        {"abcdef", " 3 ", "1", "abdef"},
        {"abcdef", "2.5", "1", "abdef"},       // a = 1.5 -> 2
        {"abcdef", "1.5", "1", "bcdef"},       // a = 0.5 -> 0
        {"abcdef", "1", "0.5", "abcdef"},      // k = 5.5 -> 6
        {"abcdef", "1", "1.5", "cdef"},        // k = 4.5 -> 4
        {"abcdef", "1", "2abc", "cdef"},
        {"abcdef", "1", "8abc", "<short>"},
        {"abcdef", "1", "", "abcdef"},
        {"abcdef", "1", "-99999999999", "abcdef"},
        {"abcdef", "0", "2", "<skip>"},
        {"abcdef", "0.0", "2", "<skip>"},
        {"\xF0\x9F\x98\x80\xF0\x9F\x98\x80" "abc", "2", "1", "\xF0\x9F\x98\x80" "abc"},
    };
    for (const auto& r : rows) {
        Boxes boxes;
        boxes.text7 = q(r.n);
        boxes.text9 = q(r.count);
        EXPECT_EQ(shown(prepared(Mode::DeleteAt, boxes).transform(q(r.name), 0)), q(r.expected))
            << r.name << " N=" << r.n << " n=" << r.count;
    }
}

TEST(PrepareRun, RefusesPositionsItCannotUse)
{
    struct Row { Mode mode; const char* n; };
    const Row rows[] = {
        {Mode::Insert, ""}, {Mode::Insert, "8abc"}, {Mode::Insert, "-3"},
        {Mode::Insert, "0.4"}, {Mode::Insert, "2147483649"}, {Mode::Insert, "1e3"},
        {Mode::DeleteAt, ""}, {Mode::DeleteAt, "8abc"}, {Mode::DeleteAt, "-3"},
        {Mode::DeleteAt, "0.4"}, {Mode::DeleteAt, "2147483649"}, {Mode::DeleteAt, "１"},
    };
    for (const auto& r : rows) {
        Boxes boxes;
        boxes.text2 = boxes.text7 = q(r.n);
        const auto run = renamer::prepareRun(r.mode, boxes, 5);
        ASSERT_TRUE(std::holds_alternative<QString>(run)) << r.n;
        const QString message = std::get<QString>(run);
        EXPECT_TRUE(message.startsWith(u"N（")) << message.toStdString();
        EXPECT_TRUE(message.endsWith(u"。")) << message.toStdString();
    }
}

TEST(PrepareRun, OtherModesNeverRefuseAndSayWhenToRefresh)
{
    Boxes odd;
    odd.text2 = odd.text8 = odd.text9 = q("xyz");
    odd.text7 = q("1");
    struct Row { Mode mode; bool everyEntry; };
    const Row rows[] = {
        {Mode::RemoveTag, false}, {Mode::Prefix, true}, {Mode::Replace, false}, {Mode::DeleteAt, true},
        {Mode::NumberFront, true}, {Mode::NumberBehind, true}, {Mode::DeleteBefore, false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(prepared(r.mode, odd, 0).refreshEveryEntry, r.everyEntry) << int(r.mode);
}

TEST(NumberField, Table)
{
    struct Row { double start; int counter; int width; const char* expected; };
    const Row rows[] = {
        {1, 0, 1, "01"},
        {100, 0, 3, "0100"},
        {7, 0, 3, "0007"},
        {9, 91, 1, "00"},                       // only the last W + 1 digits stay
        {1, 0, 9, "0000001"},                   // at most six zeros
        {1.5, 0, 3, "01.5"},
        {0.1, 2, 3, "02.1"},                    // no binary noise in the digits
        {1e20, 0, 21, "0100000000000000000000"},
        {123456789012345678.0, 0, 17, "123456789012345680"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(renamer::numberField(r.start, r.counter, r.width), q(r.expected)) << r.start << "+" << r.counter;
}

TEST(NumberField, NegativeStartLosesItsSign)
{
    const char* expected[] = {"005", "004", "003", "002", "001", "000", "001", "002"};
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(renamer::numberField(-5, c, 2), q(expected[c])) << c;
}

TEST(Numbering, WidthAndStartFromTheBoxes)
{
    struct Row { const char* start; int count; int counter; const char* front; const char* behind; };
    const Row rows[] = {
        {"1", 5, 0, "01-abc.txt", "abc-01.txt"},
        {"1", 9, 0, "01-abc.txt", "abc-01.txt"},
        {"1", 10, 0, "001-abc.txt", "abc-001.txt"},
        {"1", 12, 0, "001-abc.txt", "abc-001.txt"},
        {"1", 150, 0, "0001-abc.txt", "abc-0001.txt"},
        {"100", 5, 0, "0100-abc.txt", "abc-0100.txt"},
        {"007", 5, 0, "0007-abc.txt", "abc-0007.txt"},
        {"7", 5, 0, "07-abc.txt", "abc-07.txt"},
        {"0", 5, 0, "01-abc.txt", "abc-01.txt"},
        {"", 5, 0, "01-abc.txt", "abc-01.txt"},
        {"abc", 5, 0, "0001-abc.txt", "abc-0001.txt"},
        {"-5", 5, 0, "005-abc.txt", "abc-005.txt"},
        {"-5", 5, 6, "001-abc.txt", "abc-001.txt"},
        {"1.5", 5, 1, "02.5-abc.txt", "abc-02.5.txt"},
        {" 1 2", 5, 0, "00012-abc.txt", "abc-00012.txt"},   // blanks ignored, length still counts
        {"\xF0\x9F\x98\x80", 5, 0, "01-abc.txt", "abc-01.txt"},   // one character wide
    };
    for (const auto& r : rows) {
        Boxes boxes;
        boxes.text8 = q(r.start);
        const auto front = prepared(Mode::NumberFront, boxes, r.count).transform(q("abc.txt"), r.counter);
        const auto behind = prepared(Mode::NumberBehind, boxes, r.count).transform(q("abc.txt"), r.counter);
        EXPECT_EQ(shown(front), q(r.front)) << '"' << r.start << "\" " << r.count;
        EXPECT_EQ(shown(behind), q(r.behind)) << '"' << r.start << "\" " << r.count;
    }
}

TEST(NumberBehind, SplitsAtTheFirstDot)
{
    struct Row { const char* name; const char* expected; };
    const Row rows[] = {
        {"archive.tar.gz", "archive-01.tar.gz"},
        {".profile", "-01.profile"},
        {"a.b.c", "a-01.b.c"},
        {"abc", "abc-01"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(shown(renamer::numberBehind(q(r.name), q("01"))), q(r.expected)) << r.name;
}

TEST(Exclusion, Table)
{
    struct Row { const char* name; bool excluded; };
    const Row rows[] = {
        {"a.exe", true}, {"b.EXE", false}, {"c.bat", true}, {"x.com", true}, {"y.dll", true},
        {"archive.exe.txt", false}, {"exe", false}, {".exe", true},
    };
    for (const auto& r : rows)
        EXPECT_EQ(renamer::isExcluded(q(r.name)), r.excluded) << r.name;
}

} // namespace
