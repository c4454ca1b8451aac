#include "memorial/anniversary.h"

#include <gtest/gtest.h>

namespace {

TEST(Anniversary, FindsTheFirstMatchingDateAndCountsYears)
{
    struct Row {
        const char* what;
        memorial::Record record;
        QString today;
        const char* years;   // nullptr: no greeting
    };
    const Row rows[] = {
        {"date 2 matches", {"たろう", "1990/05/01", "1990/12/06", "0000/00/00"}, "2026/12/06", "36"},
        {"date 1 wins over date 3", {"a", "2000/12/06", "1990/05/01", "1990/12/06"}, "2026/12/06", "26"},
        {"this year", {"a", "", "2026/12/06", ""}, "2026/12/06", "0"},
        {"a later year", {"a", "2029/12/06", "", ""}, "2026/12/06", "-3"},
        {"February 29 in a leap year", {"a", "2000/02/29", "", ""}, "2028/02/29", "28"},
        {"February 29 in another year", {"a", "2000/02/29", "", ""}, "2027/02/28", nullptr},
        {"same day, other month", {"a", "1990/11/06", "1990/12/07", ""}, "2026/12/06", nullptr},
        {"empty row marker", {"a", "0000/00/00", "0000/00/00", "0000/00/00"}, "2026/12/06", nullptr},
        {"unpadded month or day", {"a", "1970/3/5", "1970/03/5", "1970/3/05"}, "2026/03/05", nullptr},
        {"text after the day is ignored", {"a", "1990/12/06 x", "", ""}, "2026/12/06", "36"},
        {"year that is no number", {"a", "abcd/12/06", "", ""}, "2026/12/06", "2026"},
        {"half a year rounds to even, down", {"a", "19.5/12/06", "", ""}, "2026/12/06", "2006"},
        {"half a year rounds to even, up", {"a", "18.5/12/06", "", ""}, "2026/12/06", "2008"},
        {"positions count code points", {"a", "\U0002000B\U0002000B\U0002000B\U0002000B/12/06", "", ""}, "2026/12/06", "2026"},
        {"a short today never matches empty dates", {}, "2026/1", nullptr},
    };
    for (const Row& row : rows) {
        const auto greeting = memorial::findAnniversary(row.record, row.today);
        ASSERT_EQ(greeting.has_value(), row.years != nullptr) << row.what;
        if (greeting) {
            EXPECT_EQ(greeting->countText, "今日は" + QString(row.years) + "年目の記念日です。") << row.what;
            EXPECT_EQ(greeting->nameText, row.record.name + " さん") << row.what;
        }
    }
}

} // namespace
