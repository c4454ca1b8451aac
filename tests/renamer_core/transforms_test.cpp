#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"

#include <gtest/gtest.h>

#include <variant>
#include <vector>

namespace {

using enum renamer::Mode;
using Kind = renamer::TransformResult::Kind;

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// The first and second box of each mode; mode 7 takes "+" as Check1 ticked.
struct Case { const char *first, *second, *name, *expected; int count = 5, counter = 0; };
struct Group { renamer::Mode mode; std::vector<Case> cases; };

// The new name through the mode's boxes, or <skip>, <short>, <refused>.
QString through(renamer::Mode mode, const Case& r)
{
    renamer::Boxes b;
    switch (mode) {
    case RemoveTag: break;
    case Prefix: b.text6 = q(r.first); break;
    case Replace: b.text4 = q(r.first); b.text5 = q(r.second); break;
    case Insert: b.text2 = q(r.first); b.text3 = q(r.second); break;
    case DeleteAt: b.text7 = q(r.first); b.text9 = q(r.second); break;
    case NumberFront: case NumberBehind: b.text8 = q(r.first); break;
    case DeleteBefore: b.text11 = q(r.first); b.check1 = *r.second == '+'; break;
    }
    const auto run = renamer::prepareRun(mode, b, r.count);
    if (const auto* message = std::get_if<QString>(&run))
        return message->startsWith(u"N（") && message->endsWith(u"。") ? QStringLiteral("<refused>") : *message;
    const auto result = std::get<renamer::PreparedRun>(run).transform(q(r.name), r.counter);
    return result.kind == Kind::Skip ? "<skip>" : result.kind == Kind::TooShort ? "<short>" : result.name;
}

#define EMOJI "\xF0\x9F\x98\x80"

TEST(Transforms, ThroughTheBoxes)
{
    const Group groups[] = {
        {RemoveTag, {{"", "", "aa-bb[c].eee", "aa-bb.eee"}, {"", "", "a[1]b[2].txt", "a.txt"}, {"", "", "[c].txt", ".txt"},
                     {"", "", "a[b]", "<skip>"}, {"", "", "a[b]c.txt", "<skip>"}, {"", "", "a［b］.txt", "<skip>"}}},
        {Prefix, {{"01_", "", "x.jpg", "01_x.jpg"}}},
        {Replace, {{"b", "C", "aaBdd.eee", "aaCdd.eee"}, {"e", "x", "abc.eee", "abc.xee"}, {"", "Z", "x.txt", "Zx.txt"},
                   {"x", "Y", "aXbXc.txt", "aYbXc.txt"}, {"q", "Z", "abc.txt", "<skip>"}, {"äb", "z", "ÄBC.txt", "zC.txt"},
                   {"\xF0\x90\x90\xA8", "-", "x\xF0\x90\x90\x80y", "x-y"}, {"a", "x", "Ａbc.txt", "<skip>"}}},
        {Insert, {{"1", "new_", "x.txt", "new_x.txt"}, {"3", "D", "aaaacc.eee", "aaDaacc.eee"},
                  {"20", "X", "abc.txt", "abc.txtX"}, {"0", "X", "abcdef", "<skip>"}, {"2.5", "X", "abcdef", "abXcdef"},
                  {"1.5", "X", "abcdef", "Xabcdef"}, {"2", "X", EMOJI EMOJI ".txt", EMOJI "X" EMOJI ".txt"},
                  {"", "X", "abc", "<refused>"}, {"8abc", "X", "abc", "<refused>"}}},
        {DeleteAt, {{"1", "8", "20080911memo.txt", "memo.txt"}, {"1", "1", "abcd.eee", "bcd.eee"},
                    {"3", "2", "abcdefgh.txt", "abefgh.txt"}, {"3", "3", "abc.txt", "abxt"},
                    {"3", "5", "写真2008年.jpg", "写真.jpg"}, {"3", "0", "abcdef", "abcdef"}, {"3", "-1", "abcdef", "abbcdef"},
                    {"1", "8", "abcdefgh", ""}, {"1", "8", "abc", "<short>"}, {"10", "1", "abc", "<short>"},
                    {" 3 ", "1", "abcdef", "abdef"}, {"2.5", "1", "abcdef", "abdef"}, {"1.5", "1", "abcdef", "bcdef"},
                    {"1", "0.5", "abcdef", "abcdef"}, {"1", "1.5", "abcdef", "cdef"}, {"1", "2abc", "abcdef", "cdef"},
                    {"1", "8abc", "abcdef", "<short>"}, {"1", "", "abcdef", "abcdef"}, {"0", "2", "abcdef", "<skip>"},
                    {"0.0", "2", "abcdef", "<skip>"}, {"2", "1", EMOJI EMOJI "abc", EMOJI "abc"},
                    {"", "1", "abc", "<refused>"}, {"8abc", "1", "abc", "<refused>"}, {"-3", "1", "abc", "<refused>"},
                    {"１", "1", "abc", "<refused>"}}},
        // " 1 2": blanks ignored, length counts; 9 + 91: only the last W + 1 digits; at most six zeros.
        {NumberFront, {{"1", "", "abc.txt", "01-abc.txt", 9}, {"1", "", "abc.txt", "001-abc.txt", 10},
                       {"100", "", "abc.txt", "0100-abc.txt"}, {"007", "", "abc.txt", "0007-abc.txt"},
                       {"7", "", "abc.txt", "07-abc.txt"}, {"0", "", "abc.txt", "01-abc.txt"}, {"", "", "abc", "01-abc"},
                       {"abc", "", "abc.txt", "0001-abc.txt"}, {"-5", "", "abc.txt", "005-abc.txt"},
                       {"-5", "", "abc.txt", "001-abc.txt", 5, 6}, {"1.5", "", "abc.txt", "02.5-abc.txt", 5, 1},
                       {"0.1", "", "abc.txt", "02.1-abc.txt", 5, 2}, {" 1 2", "", "abc.txt", "00012-abc.txt"},
                       {"9", "", "abc.txt", "00-abc.txt", 5, 91}, {"000000001", "", "abc.txt", "0000001-abc.txt"},
                       {EMOJI, "", "abc.txt", "01-abc.txt"}}},
        {NumberBehind, {{"1", "", "abc.txt", "abc-001.txt", 12}, {"1", "", "abc.txt", "abc-0001.txt", 150},
                        {"1", "", "archive.tar.gz", "archive-01.tar.gz"}, {"1", "", ".profile", "-01.profile"},
                        {"1", "", "abc", "abc-01"}}},
        {DeleteBefore, {{"-", "", "abcd-x.eee", "-x.eee"}, {"-", "+", "abcd-x.eee", "x.eee"}, {".", "", "a.b", ".b"},
                        {"-", "", "2008-01-02-memo.txt", "-01-02-memo.txt"}, {".", "+", "a.b.txt", "b.txt"},
                        {"-", "+", "2008-01-02-memo.txt", "01-02-memo.txt"}, {"-", "", "memo.txt", "<skip>"},
                        {"ABC", "", "xxabcyy.txt", "abcyy.txt"}, {"ABC", "+", "xxabcyy.txt", "yy.txt"},
                        {"-", "+", "memo.txt", "<skip>"}, {"", "+", "memo.txt", "memo.txt"}, {"-", "+", "memo-", ""}}},
    };
    for (const Group& g : groups)
        for (const Case& c : g.cases)
            EXPECT_EQ(through(g.mode, c), q(c.expected)) << int(g.mode) << " " << c.first << "|" << c.second << " " << c.name;
}

} // namespace
