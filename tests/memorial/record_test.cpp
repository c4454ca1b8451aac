#include "memorial/record.h"
#include "temp_env.h"

#include <gtest/gtest.h>

namespace {

using memorial::Record;
using platform::WriteStatus;

const QString kFile = QStringLiteral("quillmere.ini");

TEST(Record, WritesCp932LinesQuotingOnlyAwkwardValues)
{
    testsupport::TempWorkDir dir;
    dir.write(kFile, "an older, longer file that must go\r\n");
    ASSERT_EQ(memorial::writeRecord(kFile, {"たろう", "1970/03/05", "0000/00/00", "0000/00/00"}), WriteStatus::Ok);
    EXPECT_EQ(dir.read(kFile), QByteArray("\x82\xBD\x82\xEB\x82\xA4\r\n1970/03/05\r\n0000/00/00\r\n0000/00/00\r\n"));
    ASSERT_EQ(memorial::writeRecord(kFile, {"a, \"b\"", "1", "2", "3"}), WriteStatus::Ok);
    EXPECT_EQ(dir.read(kFile), QByteArray("\"a, \"\"b\"\"\"\r\n1\r\n2\r\n3\r\n"));

    for (const Record& bad : {Record{"caf\u00e9", "1", "2", "3"}, Record{"a\nb", "1", "2", "3"}, Record{"a", "1\r", "2", "3"}}) {
        testsupport::TempWorkDir empty;
        EXPECT_EQ(memorial::writeRecord(kFile, bad), WriteStatus::NotRepresentable) << bad.name.toStdString();
        EXPECT_FALSE(empty.exists(kFile));
    }
}

TEST(Record, ReadsDelimitedValues)
{
    struct Row {
        const char* what;
        const char* bytes;   // nullptr: no file
        Record expected;
    };
    const Row rows[] = {
        {"no file", nullptr, {}},
        {"empty file", "", {}},
        {"name only, no line end", "abc", {"abc", "", "", ""}},
        {"old plain name with a comma shifts the dates",
         "\x8E\x52\x93\x63, \x91\xBE\x98\x59\r\n1970/03/05\r\n1980/01/01\r\n1990/01/01\r\n",
         {"山田", "太郎", "1970/03/05", "1980/01/01"}},
        {"leading blanks skipped, trailing kept", "  \tab \r\n 1\r\n", {"ab ", "1", "", ""}},
        {"quotes dropped from a plain value", "a\"b\"c\r\n1\r\n", {"abc", "1", "", ""}},
        {"quoted value with comma, blanks, doubled quote", " \" a, \"\"b\"\r\n1\r\n2\r\n3\r\n", {" a, \"b", "1", "2", "3"}},
        {"text after the closing quote", "\"ab\"c\"d,x\r\n", {"abcd", "x", "", ""}},
        {"unterminated quote ends with its line", "\"ab,c\r\n1\r\n", {"ab,c", "1", "", ""}},
        {"comma before the line end, then an empty line", "a,\r\n\r\n1\r\n", {"a", "", "", "1"}},
        {"bare line feeds, more than four values", "a\n1\n2,3\n4\n", {"a", "1", "2", "3"}},
        {"lone lead byte at the end", "abc\r\n1\r\n\x82", {}},
        {"invalid cp932 byte", "a\xA0\xFF\r\n1\r\n", {}},
    };
    for (const Row& row : rows) {
        testsupport::TempWorkDir dir;
        if (row.bytes)
            dir.write(kFile, row.bytes);
        EXPECT_EQ(memorial::readRecord(kFile), row.expected) << row.what;
    }
}

TEST(Record, AwkwardNamesRoundTrip)
{
    for (const QString name : {"山田, 太郎", "  たろう", "say \"hi\"", "\"", ",", "", " ", "\t x", "たろう ", "ＡＢ　ｃ", "\"q\", r"}) {
        testsupport::TempWorkDir dir;
        const Record r{name, "1970/03/05", " 1,2", "\"x\""};
        ASSERT_EQ(memorial::writeRecord(kFile, r), WriteStatus::Ok) << name.toStdString();
        EXPECT_EQ(memorial::readRecord(kFile), r) << name.toStdString();
    }
}

} // namespace
