#include "memorial/record.h"
#include "temp_env.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

using memorial::Record;
using platform::WriteStatus;

const QString kFile = QStringLiteral("quillmere.ini");

TEST(Record, DataFileLivesInTheSystemFolder)
{
    testsupport::TempWorkDir dir;
    EXPECT_EQ(memorial::dataFilePath(), dir.systemFolder() + "/quillmere.ini");
}

TEST(Record, WritesFourCp932LinesWithCrLf)
{
    testsupport::TempWorkDir dir;
    dir.write(kFile, "an older, longer file that must go\r\n");
    const Record r{"たろう", "1970/03/05", "0000/00/00", "0000/00/00"};
    ASSERT_EQ(memorial::writeRecord(kFile, r), WriteStatus::Ok);
    EXPECT_EQ(dir.read(kFile), QByteArray("\x82\xBD\x82\xEB\x82\xA4\r\n1970/03/05\r\n0000/00/00\r\n0000/00/00\r\n"));

    // A name the plain form would cut short is quoted, inner quotes doubled.
    ASSERT_EQ(memorial::writeRecord(kFile, {"a, \"b\"", "1", "2", "3"}), WriteStatus::Ok);
    EXPECT_EQ(dir.read(kFile), QByteArray("\"a, \"\"b\"\"\"\r\n1\r\n2\r\n3\r\n"));
}

TEST(Record, RefusesWhatTheFileCannotHold)
{
    struct Row {
        const char* what;
        Record record;
        WriteStatus status;
    };
    const Row rows[] = {
        {"name outside code page 932", {"caf\u00e9", "1", "2", "3"}, WriteStatus::NotRepresentable},
        {"character cp932 maps elsewhere", {"a\u301Cb", "1", "2", "3"}, WriteStatus::NotRepresentable},
        {"line feed in the name", {"a\nb", "1", "2", "3"}, WriteStatus::NotRepresentable},
        {"carriage return in a date", {"a", "1\r", "2", "3"}, WriteStatus::NotRepresentable},
    };
    for (const Row& row : rows) {
        testsupport::TempWorkDir dir;
        EXPECT_EQ(memorial::writeRecord(kFile, row.record), row.status) << row.what;
        EXPECT_FALSE(dir.exists(kFile)) << row.what;
    }
    testsupport::TempWorkDir dir;
    EXPECT_EQ(memorial::writeRecord("no/such/folder/x.ini", {"a", "1", "2", "3"}), WriteStatus::IoError);
}

TEST(Record, ReadsDelimitedValues)
{
    struct Row {
        const char* what;
        QByteArray bytes;
        Record expected;
    };
    const Row rows[] = {
        {"plain file", "\x82\xBD\x82\xEB\x82\xA4\r\n1970/03/05\r\n0000/00/00\r\n0000/00/00\r\n",
         {"たろう", "1970/03/05", "0000/00/00", "0000/00/00"}},
        {"empty file", "", {}},
        {"name only, no line end", "abc", {"abc", "", "", ""}},
        {"name and date 1", "abc\r\n2001/02/03\r\n", {"abc", "2001/02/03", "", ""}},
        {"comma in a plain name shifts the dates",
         "\x8E\x52\x93\x63, \x91\xBE\x98\x59\r\n1970/03/05\r\n1980/01/01\r\n1990/01/01\r\n",
         {"山田", "太郎", "1970/03/05", "1980/01/01"}},
        {"leading blanks skipped, trailing kept", "  \tab \r\n 1\r\n", {"ab ", "1", "", ""}},
        {"quotes dropped from a plain value", "a\"b\"c\r\n1\r\n", {"abc", "1", "", ""}},
        {"quoted value keeps commas and blanks", " \" a, b\"\r\n1\r\n2\r\n3\r\n", {" a, b", "1", "2", "3"}},
        {"doubled quote inside quotes", "\"say \"\"hi\"\"\"\r\n1\r\n", {"say \"hi\"", "1", "", ""}},
        {"text after the closing quote", "\"ab\"c\"d,x\r\n", {"abcd", "x", "", ""}},
        {"unterminated quote ends with its line", "\"ab,c\r\n1\r\n", {"ab,c", "1", "", ""}},
        {"empty quoted value", "\"\"\r\n1\r\n", {"", "1", "", ""}},
        {"comma before the line end gives an empty value", "a,\r\n1\r\n2\r\n", {"a", "", "1", "2"}},
        {"empty line gives an empty value", "a\r\n\r\n1\r\n", {"a", "", "1", ""}},
        {"bare line feeds", "a\n1\n2\n3\n", {"a", "1", "2", "3"}},
        {"bare carriage returns", "a\r1\r2\r3\r", {"a", "1", "2", "3"}},
        {"more than four values", "a,1,2,3,4\r\n5\r\n", {"a", "1", "2", "3"}},
        {"lone lead byte at the end", "abc\r\n1\r\n\x82", {}},
        {"invalid cp932 byte", "a\xA0\xFF\r\n1\r\n", {}},
    };
    for (const Row& row : rows) {
        testsupport::TempWorkDir dir;
        dir.write(kFile, row.bytes);
        EXPECT_EQ(memorial::readRecord(kFile), row.expected) << row.what;
    }
}

TEST(Record, MissingOrUnreadableFileReadsEmpty)
{
    testsupport::TempWorkDir dir;
    EXPECT_EQ(memorial::readRecord(kFile), Record{});
    QDir().mkdir(dir.file(kFile));   // a folder where the file should be
    EXPECT_EQ(memorial::readRecord(kFile), Record{});
}

TEST(Record, AwkwardNamesRoundTrip)
{
    const QString names[] = {
        "山田, 太郎", "  たろう", "say \"hi\"", "\"", ",", "\"\"", "", " ", "\t x", "たろう ",
        "ＡＢＣ　ｄｅｆ", "a\tb", "\"quoted\", then",
    };
    for (const QString& name : names) {
        testsupport::TempWorkDir dir;
        const Record r{name, "1970/03/05", " 1,2", "\"x\""};
        ASSERT_EQ(memorial::writeRecord(kFile, r), WriteStatus::Ok) << name.toStdString();
        EXPECT_EQ(memorial::readRecord(kFile), r) << name.toStdString();
    }
}

} // namespace
