#include "setup/core/date_entry.h"

#include "platform/today.h"

#include <gtest/gtest.h>

using namespace setup;

namespace {

DateRow row(const char* y, const char* m, const char* d)
{
    return DateRow{QString::fromUtf8(y), QString::fromUtf8(m), QString::fromUtf8(d)};
}

const DateRow none{};

std::string describe(const std::optional<BoxRef>& ref)
{
    static const char* names[] = {"name", "year", "month", "day"};
    return ref ? std::string(names[int(ref->box)]) + " " + std::to_string(ref->row + 1) : "none";
}

} // namespace

TEST(DatePageCheck, FocusGoesToTheFirstRejectedBox)
{
    struct Case {
        const char* name;
        std::array<DateRow, 3> rows;
        const char* expected;   // box and row, or "none"
    };
    const Case cases[] = {
        {"", {none, none, none}, "name 1"},
        {"", {row("1970", "13", "5"), none, none}, "name 1"},
        {" ", {none, none, none}, "none"},
        {"x", {row("1970", "3", "5"), none, none}, "none"},
        {"x", {row("1970", "13", "5"), none, none}, "month 1"},
        {"x", {row("1970", "0", "5"), none, none}, "month 1"},
        {"x", {row("1970", "12.5", "5"), none, none}, "month 1"},
        {"x", {row("1970", " 1 2", "5"), none, none}, "none"},       // blanks inside are ignored
        {"x", {row("1970", "3月", "5"), none, none}, "none"},        // the number the text begins with
        {"x", {row("1970", "2", "31"), none, none}, "none"},         // 31 days in every month
        {"x", {row("1970", "2", "32"), none, none}, "day 1"},
        {"x", {row("1970", "2", "0"), none, none}, "day 1"},
        {"x", {row("1970", "13", "40"), none, none}, "month 1"},
        {"x", {row("", "3", "5"), none, none}, "year 1"},
        {"x", {row("", "12", "40"), none, none}, "none"},            // sum 52
        {"x", {row("70", "1", "1"), none, none}, "none"},
        {"x", {row("6", "12", "31"), none, none}, "year 1"},         // sum 49
        {"x", {row("7", "12", "31"), none, none}, "none"},           // sum 50
        {"x", {row("abc", "12", "40"), none, none}, "day 1"},
        {"x", {row("", "3", "5"), row("1999", "0", "1"), none}, "month 2"},
        {"x", {row("1970", "3", "5"), none, row("", "1", "1")}, "year 3"},
        {"x", {row(std::string(400, '9').c_str(), "1", "1"), none, none}, "none"},
    };
    for (const Case& c : cases) {
        const DateEntry entry{QString::fromUtf8(c.name), c.rows};
        EXPECT_EQ(describe(firstRejectedBox(entry)), c.expected)
            << c.name << "|" << dateLine(c.rows[0]).toStdString() << "|" << dateLine(c.rows[1]).toStdString()
            << "|" << dateLine(c.rows[2]).toStdString();
    }
}

TEST(DatePageCheck, PaddingKeepsTheLastCharacters)
{
    struct Case { const char* text; const char* year; const char* part; };
    const Case cases[] = {
        {"", "0000", "00"},
        {"3", "0003", "03"},
        {"012", "0012", "12"},
        {"19700", "9700", "00"},
        {"年𠀋", "00年𠀋", "年𠀋"},   // a character outside the BMP counts once
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(padYear(text), QString::fromUtf8(c.year)) << c.text;
        EXPECT_EQ(padMonthOrDay(text), QString::fromUtf8(c.part)) << c.text;
    }
}

TEST(DatePageCheck, GoingBackEmptiesOnlyWhatPaddingMadeOfEmptyBoxes)
{
    const DateEntry pad = padded({"0000", {row("1970", "3", "5"), none, row("", "12", "40")}});
    EXPECT_EQ(pad, (DateEntry{"0000", {row("1970", "03", "05"), row("0000", "00", "00"), row("0000", "12", "40")}}));
    EXPECT_EQ(dateLine(pad.rows[0]), QStringLiteral("1970/03/05"));
    EXPECT_EQ(withZerosEmptied(pad), (DateEntry{"0000", {row("1970", "03", "05"), none, row("", "12", "40")}}));
    const DateEntry odd{"x", {row("000", "0", "000"), none, none}};
    EXPECT_EQ(withZerosEmptied(odd), odd);
}

TEST(DatePageCheck, DateLabel)
{
    EXPECT_EQ(dateLabelText(QStringLiteral("2008/09/12 10:11:12")), QStringLiteral("2008年09月12日"));
    EXPECT_EQ(todayLabelText(), dateLabelText(platform::dateText(platform::today())));
}
