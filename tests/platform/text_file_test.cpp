#include "platform/text_file.h"
#include "temp_env.h"

#include <gtest/gtest.h>

namespace {

TEST(TextFile, LinesAreCp932WithCrLf)
{
    testsupport::TempWorkDir dir;
    dir.write("out.txt", "old contents, emptied by create()");
    platform::LineWriter writer;
    ASSERT_TRUE(writer.create("out.txt"));
    EXPECT_EQ(writer.writeLine(QStringLiteral("ren    a b.txt    た")), platform::WriteStatus::Ok);
    EXPECT_EQ(writer.writeLine(QString::fromUtf8("\u301C")), platform::WriteStatus::NotRepresentable);
    EXPECT_EQ(writer.writeLine(QString()), platform::WriteStatus::Ok);
    // Each line is in the file before the next call, without closing.
    EXPECT_EQ(dir.read("out.txt"), QByteArray("ren    a b.txt    \x82\xBD\r\n\r\n"));
    EXPECT_TRUE(writer.close());
}

TEST(TextFile, WriteLinesWritesNothingWhenALineCannotBeHeld)
{
    testsupport::TempWorkDir dir;
    EXPECT_EQ(platform::writeLines("a.txt", {"x", QString::fromUtf8("\u00e9")}), platform::WriteStatus::NotRepresentable);
    EXPECT_FALSE(dir.exists("a.txt"));
    EXPECT_EQ(platform::writeLines("a.txt", {"x", ""}), platform::WriteStatus::Ok);
    EXPECT_EQ(dir.read("a.txt"), QByteArray("x\r\n\r\n"));
    EXPECT_EQ(platform::writeLines("missing/a.txt", {"x"}), platform::WriteStatus::IoError);
}

TEST(TextFile, RemoveTellsMissingFromFailed)
{
    testsupport::TempWorkDir dir;
    dir.write("a");
    EXPECT_EQ(platform::removeFile("a"), platform::RemoveStatus::Removed);
    EXPECT_EQ(platform::removeFile("a"), platform::RemoveStatus::Missing);
    EXPECT_FALSE(platform::readBytes("a"));
}

} // namespace
