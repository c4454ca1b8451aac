#include "memorial/anniversary.h"

#include <gtest/gtest.h>

namespace {

using memorial::Record;

TEST(Anniversary, FindsTheFirstMatchingDateAndCountsYears)
{
    struct Row {
        const char* what;
        Record record;
        QString today;
        const char* count;   // nullptr: no greeting
    };
    const QString none;
    const Row rows[] = {
        {"date 2 matches", {"たろう", "1990/05/01", "1990/12/06", "0000/00/00"}, "2026/12/06", "今日は36年目の記念日です。"},
        {"date 1 wins over date 3", {"a", "2000/12/06", "1990/05/01", "1990/12/06"}, "2026/12/06", "今日は26年目の記念日です。"},
        {"date 2 wins over date 3", {"a", "", "2001/12/06", "1990/12/06"}, "2026/12/06", "今日は25年目の記念日です。"},
        {"this year", {"a", "2026/12/06", "", ""}, "2026/12/06", "今日は0年目の記念日です。"},
        {"a later year", {"a", "2029/12/06", "", ""}, "2026/12/06", "今日は-3年目の記念日です。"},
        {"February 29 in a leap year", {"a", "2000/02/29", "", ""}, "2028/02/29", "今日は28年目の記念日です。"},
        {"February 29 in another year", {"a", "2000/02/29", "", ""}, "2027/02/28", nullptr},
        {"same day, other month", {"a", "1990/11/06", "", ""}, "2026/12/06", nullptr},
        {"same month, other day", {"a", "1990/12/07", "", ""}, "2026/12/06", nullptr},
        {"empty row marker", {"a", "0000/00/00", "0000/00/00", "0000/00/00"}, "2026/12/06", nullptr},
        {"unpadded month and day", {"a", "1970/3/5", "1970/03/5", "1970/3/05"}, "2026/03/05", nullptr},
        {"nothing read", {}, "2026/03/05", nullptr},
        {"text after the day is ignored", {"a", "1990/12/06 and more", "", ""}, "2026/12/06", "今日は36年目の記念日です。"},
        {"two-digit year typed, padded", {"a", "0070/12/06", "", ""}, "2026/12/06", "今日は1956年目の記念日です。"},
        {"year that is no number", {"a", "abcd/12/06", "", ""}, "2026/12/06", "今日は2026年目の記念日です。"},
        {"negative year", {"a", "-999/12/06", "", ""}, "2026/12/06", "今日は3025年目の記念日です。"},
        {"half a year rounds to even, down", {"a", "19.5/12/06", "", ""}, "2026/12/06", "今日は2006年目の記念日です。"},
        {"half a year rounds to even, up", {"a", "18.5/12/06", "", ""}, "2026/12/06", "今日は2008年目の記念日です。"},
        {"positions count code points", {"a", "\U0002000B\U0002000B\U0002000B\U0002000B/12/06", "", ""}, "2026/12/06",
         "今日は2026年目の記念日です。"},
        {"a short today never matches empty dates", {"a", "", "", ""}, "2026/1", nullptr},
    };
    for (const Row& row : rows) {
        const auto greeting = memorial::findAnniversary(row.record, row.today);
        if (!row.count) {
            EXPECT_FALSE(greeting) << row.what;
            continue;
        }
        ASSERT_TRUE(greeting) << row.what;
        EXPECT_EQ(greeting->countText, QString::fromUtf8(row.count)) << row.what;
        EXPECT_EQ(greeting->nameText, row.record.name + QStringLiteral(" さん")) << row.what;
    }
}

TEST(Anniversary, NameIsShownAsRead)
{
    const auto greeting = memorial::findAnniversary({"山田", "太郎", "1990/12/06", ""}, "2026/12/06");
    ASSERT_TRUE(greeting);
    EXPECT_EQ(greeting->nameText, QStringLiteral("山田 さん"));
}

} // namespace
