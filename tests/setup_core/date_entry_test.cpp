#include "setup/core/date_entry.h"

#include <gtest/gtest.h>

using namespace setup;

namespace {
// "y/m/d|y/m/d|y/m/d"; rows left out are empty.
std::array<DateRow, 3> rows(const std::string& text)
{
    std::array<DateRow, 3> out;
    for (int i = 0; i < 3; ++i) {
        const QString r = QString::fromStdString(text).section(u'|', i, i);
        out[i] = DateRow{r.section(u'/', 0, 0), r.section(u'/', 1, 1), r.section(u'/', 2, 2)};
    }
    return out;
}
} // namespace

TEST(DatePageCheck, FocusGoesToTheFirstRejectedBox)
{
    const char* boxes[] = {"name", "year", "month", "day"};
    const struct { const char* name; std::string rows; const char* expected; } cases[] = {
        {"", "", "name 1"}, {"", "1970/13/5", "name 1"}, {" ", "", "none"}, {"x", "1970/3/5", "none"},
        {"x", "1970/13/5", "month 1"}, {"x", "1970/12.5/5", "month 1"},
        {"x", "1970/ 1 2/5", "none"}, {"x", "1970/3月/5", "none"},   // blanks ignored; the leading number counts
        {"x", "1970/2/31", "none"}, {"x", "1970/2/32", "day 1"},      // 31 days in every month
        {"x", "/3/5", "year 1"}, {"x", "/12/40", "none"},             // an empty year passes on a sum of 50 or more
        {"x", "6/12/31", "year 1"}, {"x", "7/12/31", "none"}, {"x", "70/1/1", "none"},
        {"x", "/3/5|1999/0/1", "month 2"}, {"x", std::string(400, '9') + "/1/1", "none"},
    };
    for (const auto& c : cases) {
        const auto ref = firstRejectedBox(DateEntry{QString::fromUtf8(c.name), rows(c.rows)});
        EXPECT_EQ(ref ? std::string(boxes[int(ref->box)]) + " " + std::to_string(ref->row + 1) : "none", c.expected)
            << "'" << c.name << "' " << c.rows;
    }
}

TEST(DatePageCheck, PaddingKeepsTheLastCharactersAndTypedZeros)
{
    const char* padding[][3] = {{"", "0000", "00"}, {"3", "0003", "03"}, {"012", "0012", "12"},
                                {"19700", "9700", "00"}, {"年𠀋", "00年𠀋", "年𠀋"}};   // 𠀋 counts once
    for (const auto& [text, year, part] : padding) {
        EXPECT_EQ(padYear(QString::fromUtf8(text)), QString::fromUtf8(year)) << text;
        EXPECT_EQ(padMonthOrDay(QString::fromUtf8(text)), QString::fromUtf8(part)) << text;
    }
    const DateEntry typed{"x", rows("000/0/000")};   // going back empties only zeros that padding made
    EXPECT_EQ(withZerosEmptied(typed), typed);
}
