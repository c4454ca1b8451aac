#include "setup/core/date_entry.h"

#include "platform/today.h"

#include <gtest/gtest.h>

#include <optional>

using namespace setup;

namespace {

struct CheckCase {
    const char* label;
    QString name;
    std::array<DateRow, 3> rows;
    std::optional<BoxRef> expected;
};

const DateRow none{};

DateRow row(const char* y, const char* m, const char* d)
{
    return DateRow{QString::fromUtf8(y), QString::fromUtf8(m), QString::fromUtf8(d)};
}

std::string describe(const std::optional<BoxRef>& ref)
{
    if (!ref)
        return "none";
    static const char* names[] = {"name", "year", "month", "day"};
    return std::string(names[int(ref->box)]) + " of row " + std::to_string(ref->row + 1);
}

} // namespace

TEST(DatePageCheck, FocusGoesToTheFirstRejectedBox)
{
    const QString taro = QStringLiteral("たろう");
    const BoxRef name{Box::Name, 0};
    const CheckCase cases[] = {
        {"empty name, empty rows", "", {none, none, none}, name},
        {"empty name wins over bad dates", "", {row("1970", "13", "5"), none, none}, name},
        {"name of blanks passes", " ", {none, none, none}, std::nullopt},
        {"all rows empty", taro, {none, none, none}, std::nullopt},
        {"plain date", taro, {row("1970", "3", "5"), none, none}, std::nullopt},
        {"month 13", taro, {row("1970", "13", "5"), none, none}, BoxRef{Box::Month, 0}},
        {"month 0", taro, {row("1970", "0", "5"), none, none}, BoxRef{Box::Month, 0}},
        {"month empty", taro, {row("1970", "", "5"), none, none}, BoxRef{Box::Month, 0}},
        {"month 12.5", taro, {row("1970", "12.5", "5"), none, none}, BoxRef{Box::Month, 0}},
        {"month 0.5", taro, {row("1970", "0.5", "5"), none, none}, BoxRef{Box::Month, 0}},
        {"month with blanks inside", taro, {row("1970", " 1 2", "5"), none, none}, std::nullopt},
        {"month with trailing text", taro, {row("1970", "3月", "5"), none, none}, std::nullopt},
        {"month not a number", taro, {row("1970", "abc", "5"), none, none}, BoxRef{Box::Month, 0}},
        {"no day limit per month", taro, {row("1970", "2", "31"), none, none}, std::nullopt},
        {"day 32", taro, {row("1970", "2", "32"), none, none}, BoxRef{Box::Day, 0}},
        {"day 31.5", taro, {row("1970", "2", "31.5"), none, none}, BoxRef{Box::Day, 0}},
        {"day 0", taro, {row("1970", "2", "0"), none, none}, BoxRef{Box::Day, 0}},
        {"month checked before day", taro, {row("1970", "13", "40"), none, none}, BoxRef{Box::Month, 0}},
        {"no year, month and day", taro, {row("", "3", "5"), none, none}, BoxRef{Box::Year, 0}},
        {"no year, sum 52 passes", taro, {row("", "12", "40"), none, none}, std::nullopt},
        {"two-digit year", taro, {row("70", "1", "1"), none, none}, std::nullopt},
        {"sum 49", taro, {row("6", "12", "31"), none, none}, BoxRef{Box::Year, 0}},
        {"sum 50", taro, {row("7", "12", "31"), none, none}, std::nullopt},
        {"negative year", taro, {row("-1980", "1", "1"), none, none}, BoxRef{Box::Year, 0}},
        {"year of letters", taro, {row("abc", "3", "5"), none, none}, BoxRef{Box::Year, 0}},
        {"year of letters, day 40", taro, {row("abc", "12", "40"), none, none}, BoxRef{Box::Day, 0}},
        {"month check of row 2 before sum of row 1", taro, {row("", "3", "5"), row("1999", "0", "1"), none},
         BoxRef{Box::Month, 1}},
        {"day of row 3", taro, {row("1970", "3", "5"), row("1999", "12", "31"), row("2000", "1", "99")},
         BoxRef{Box::Day, 2}},
        {"sum of row 3", taro, {row("1970", "3", "5"), none, row("", "1", "1")}, BoxRef{Box::Year, 2}},
        {"huge values do not crash", taro, {row(std::string(400, '9').c_str(), "1", "1"), none, none}, std::nullopt},
    };
    for (const CheckCase& c : cases) {
        const auto got = firstRejectedBox(DateEntry{c.name, c.rows});
        EXPECT_EQ(describe(got), describe(c.expected)) << c.label;
    }
}

TEST(DatePageCheck, PaddingKeepsTheLastCharacters)
{
    struct Case { const char* text; const char* year; const char* part; };
    const Case cases[] = {
        {"", "0000", "00"},
        {"3", "0003", "03"},
        {"70", "0070", "70"},
        {"012", "0012", "12"},
        {"1970", "1970", "70"},
        {"19700", "9700", "00"},
        {"ab", "00ab", "ab"},
        {"年𠀋", "00年𠀋", "年𠀋"},   // a character outside the BMP counts once
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(padYear(text), QString::fromUtf8(c.year)) << c.text;
        EXPECT_EQ(padMonthOrDay(text), QString::fromUtf8(c.part)) << c.text;
    }
}

TEST(DatePageCheck, PaddingThenGoingBackRestoresEmptyRows)
{
    const DateEntry typed{QStringLiteral("0000"), {row("1970", "3", "5"), none, row("", "12", "40")}};
    const DateEntry pad = padded(typed);
    EXPECT_EQ(pad, (DateEntry{QStringLiteral("0000"),
                              {row("1970", "03", "05"), row("0000", "00", "00"), row("0000", "12", "40")}}));
    EXPECT_EQ(dateLine(pad.rows[0]), QStringLiteral("1970/03/05"));
    EXPECT_EQ(dateLine(pad.rows[1]), QStringLiteral("0000/00/00"));

    // Only exact all-zero texts go; the name and the used rows stay padded.
    EXPECT_EQ(withZerosEmptied(pad),
              (DateEntry{QStringLiteral("0000"), {row("1970", "03", "05"), none, row("", "12", "40")}}));
    const DateEntry odd{QStringLiteral("x"), {row("000", "0", "000"), none, none}};
    EXPECT_EQ(withZerosEmptied(odd), odd);
}

TEST(DatePageCheck, DateLabel)
{
    EXPECT_EQ(dateLabelText(QStringLiteral("2008/09/12 10:11:12")), QStringLiteral("2008年09月12日"));
    const QDate d = platform::today();
    EXPECT_EQ(todayLabelText(), QStringLiteral("%1年%2月%3日")
                                    .arg(d.year(), 4, 10, QChar(u'0'))
                                    .arg(d.month(), 2, 10, QChar(u'0'))
                                    .arg(d.day(), 2, 10, QChar(u'0')));
}
