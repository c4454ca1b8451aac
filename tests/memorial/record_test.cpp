#include "memorial/anniversary.h"
#include "memorial/record.h"
#include "temp_env.h"
#include <gtest/gtest.h>

using memorial::Record, platform::WriteStatus;
static const QString kFile = QStringLiteral("quillmere.ini");

TEST(Record, WritesCp932LinesAndAwkwardNamesRoundTrip)
{
    testsupport::TempWorkDir dir;
    dir.write(kFile, "an older, longer file that must go\r\n");
    ASSERT_EQ(memorial::writeRecord(kFile, {"たろう", "1970/03/05", "0000/00/00", "0000/00/00"}), WriteStatus::Ok);
    EXPECT_EQ(dir.read(kFile), QByteArray("\x82\xBD\x82\xEB\x82\xA4\r\n1970/03/05\r\n0000/00/00\r\n0000/00/00\r\n"));
    // The longest name the name box takes, every character doubled by quoting.
    for (const QString& name : {QString("山田, 太郎"), QString("  たろう"), QString("say \"hi\""), QString(), QString("\"q\", r"), QString(32767, u'"')}) {
        const Record r{name, "1970/03/05", " 1,2", "\"x\""};
        ASSERT_EQ(memorial::writeRecord(kFile, r), WriteStatus::Ok) << name.left(20).toStdString();
        EXPECT_EQ(memorial::readRecord(kFile), r) << name.left(20).toStdString();
    }
    for (const Record& bad : {Record{"caf\u00e9", "1", "2", "3"}, Record{"a\nb", "1", "2", "3"}}) {
        testsupport::TempWorkDir empty;
        EXPECT_TRUE(memorial::writeRecord(kFile, bad) == WriteStatus::NotRepresentable && !empty.exists(kFile)) << bad.name.toStdString();
    }
}

TEST(Record, ReadsDelimitedValues)
{
    const std::tuple<const char*, const char*, Record> rows[] = {   // what, bytes (nullptr: no file), expected
        {"no file", nullptr, {}},
        {"name only, no line end", "abc", {"abc", "", "", ""}},
        {"old plain name with a comma shifts the dates", "\x8E\x52\x93\x63, \x91\xBE\x98\x59\r\n1970/03/05\r\n1980/01/01\r\n1990/01/01\r\n", {"山田", "太郎", "1970/03/05", "1980/01/01"}},
        {"quoted value with comma, blanks, doubled quote", " \" a, \"\"b\"\r\n1\r\n2\r\n3\r\n", {" a, \"b", "1", "2", "3"}},
        {"unterminated quote ends with its line", "\"ab,c\r\n1\r\n", {"ab,c", "1", "", ""}},
        {"invalid cp932 byte", "a\xA0\xFF\r\n1\r\n", {}},
    };
    for (const auto& [what, bytes, expected] : rows) {
        testsupport::TempWorkDir dir;
        if (bytes) dir.write(kFile, bytes);
        EXPECT_EQ(memorial::readRecord(kFile), expected) << what;
    }
}

TEST(Anniversary, FindsTheFirstMatchingDateAndCountsYears)
{
    const std::tuple<const char*, Record, QString, std::optional<long long>> rows[] = {   // years nullopt: no greeting
        {"date 2 matches", {"たろう", "1990/05/01", "1990/12/06", "0000/00/00"}, "2026/12/06", 36},
        {"date 1 wins over date 3", {"a", "2000/12/06", "1990/05/01", "1990/12/06"}, "2026/12/06", 26},
        {"this year", {"a", "", "2026/12/06", ""}, "2026/12/06", 0},
        {"a later year", {"a", "2029/12/06", "", ""}, "2026/12/06", -3},
        {"February 29 in a leap year", {"a", "2000/02/29", "", ""}, "2028/02/29", 28},
        {"February 29 in another year", {"a", "2000/02/29", "", ""}, "2027/02/28", std::nullopt},
        {"same day, other month", {"a", "1990/11/06", "1990/12/07", ""}, "2026/12/06", std::nullopt},
    };
    for (const auto& [what, record, today, years] : rows) {
        const auto found = memorial::findAnniversary(record, today);
        EXPECT_EQ(found ? std::optional(found->years) : std::nullopt, years) << what;
        EXPECT_TRUE(!found || found->name == record.name) << what;
    }
}
