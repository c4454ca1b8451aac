#include "platform/cp932.h"
#include "platform/rename.h"
#include "platform/system_folder.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

QString u(const char* utf8) { return QString::fromUtf8(utf8); }

TEST(Cp932, ExactRoundTripsOnly)
{
    const std::pair<const char*, std::optional<QByteArray>> rows[] = {
        {"たろう", QByteArray("\x82\xBD\x82\xEB\x82\xA4")},
        {"\x1A\x1C\x7F", QByteArray("\x1A\x1C\x7F")},   // Windows bytes, not ICU's IBM swap
        {"\uFF5E①髙", QByteArray("\x81\x60\x87\x40\xFB\xFC")},
        {"\u301C", std::nullopt},                       // wave dash would come back as U+FF5E
        {"caf\u00e9", std::nullopt},
        {"\U0001F600", std::nullopt},
        {"\uFFFD", std::nullopt},                       // an undecodable file name
    };
    for (const auto& [text, bytes] : rows)
        EXPECT_EQ(platform::encodeCp932(u(text)), bytes) << text;
    EXPECT_EQ(platform::decodeCp932("\x1A\x1C\x7F\x82\xBD"), u("\x1A\x1C\x7Fた"));
    EXPECT_FALSE(platform::decodeCp932("abc\x82"));    // lone lead byte at the end
}

TEST(TextFile, EachLineIsOnDiskBeforeTheNextCall)
{
    testsupport::TempWorkDir dir;
    dir.write("out.txt", "old contents, emptied by create()");
    platform::LineWriter writer;
    ASSERT_TRUE(writer.create("out.txt"));
    EXPECT_EQ(writer.writeLine(u("ren    a b.txt    た")), platform::WriteStatus::Ok);
    EXPECT_EQ(writer.writeLine(u("\u301C")), platform::WriteStatus::NotRepresentable);
    EXPECT_EQ(writer.writeLine(QString()), platform::WriteStatus::Ok);
    EXPECT_EQ(dir.read("out.txt"), QByteArray("ren    a b.txt    \x82\xBD\r\n\r\n"));
    EXPECT_TRUE(writer.close());

    EXPECT_EQ(platform::writeLines("a.txt", {"x", u("\u00e9")}), platform::WriteStatus::NotRepresentable);
    EXPECT_FALSE(dir.exists("a.txt"));
    EXPECT_EQ(platform::writeLines("missing/a.txt", {"x"}), platform::WriteStatus::IoError);
    EXPECT_EQ(platform::removeFile("out.txt"), platform::RemoveStatus::Removed);
    EXPECT_EQ(platform::removeFile("out.txt"), platform::RemoveStatus::Missing);
}

TEST(Rename, NeverReplacesAndReportsEachOutcome)
{
    testsupport::TempWorkDir dir;
    dir.write("a", "A");
    dir.write("b", "B");
    dir.write("abc.txt", "C");
    QDir(dir.path()).mkdir("sub");
    using platform::RenameStatus;
    const std::tuple<const char*, const char*, RenameStatus> rows[] = {
        {"a", "b", RenameStatus::TargetExists},
        {"a", "sub", RenameStatus::TargetExists},
        {"missing", "x", RenameStatus::SourceMissing},
        {"a", "", RenameStatus::Refused},
        {"a", "sub/a", RenameStatus::Refused},          // bare names only
        {"a", "..", RenameStatus::Refused},
        {"abc.txt", "ABC.txt", RenameStatus::Renamed},  // letter case only
        {"a", "新しい 名前.txt", RenameStatus::Renamed},
    };
    for (const auto& [from, to, status] : rows)
        EXPECT_EQ(platform::renameBareNoReplace(u(from), u(to)), status) << from << " -> " << to;
    EXPECT_EQ(dir.read("b"), "B");
    EXPECT_EQ(dir.read(u("新しい 名前.txt")), "A");
}

TEST(SystemFolder, FollowsXdgDataHomeAndMapsScriptPaths)
{
    testsupport::TempWorkDir dir;
    EXPECT_EQ(platform::mapScriptPath("C:\\WINDOWS\\cpy.bat"), dir.systemFolder() + "/cpy.bat");
    EXPECT_EQ(platform::mapScriptPath("quillmere.exe"), "quillmere.exe");
}

} // namespace
