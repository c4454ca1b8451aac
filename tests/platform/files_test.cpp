#include "platform/io_calls.h"
#include "platform/cp932.h"
#include "platform/durable_file.h"
#include "platform/rename.h"
#include "platform/system_folder.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <QDir>
#include <QFileInfo>


#include <sys/stat.h>
#include <unistd.h>

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
    int held = 0;   // every character the encoder takes comes back as itself
    for (char32_t c = 0; c < 0x10000; ++c)
        if (const auto bytes = platform::encodeCp932(QString::fromUcs4(&c, 1)); bytes) {
            ++held;
            ASSERT_EQ(platform::decodeCp932(*bytes), QString::fromUcs4(&c, 1)) << unsigned(c);
        }
    EXPECT_GT(held, 7000);
    // Decoding by table reads every one- and two-byte sequence as the converter does.
    for (int first = 0; first < 0x100; ++first)
        for (int second = -1; second < 0x100; ++second) {
            QByteArray bytes(1, char(first));
            if (second >= 0)
                bytes += char(second);
            ASSERT_EQ(platform::decodeCp932(bytes), platform::decodeCp932ByConverter(bytes)) << first << " " << second;
        }
}

TEST(TextFile, WritesReplaceWhatHoldsTheNameAndNeverFollowIt)
{
    testsupport::TempWorkDir dir;
    dir.write("elsewhere", "not ours");
    QFile::link(dir.file("elsewhere"), "a.txt");
    EXPECT_EQ(platform::writeLines("a.txt", {u("た"), ""}), platform::WriteStatus::Ok);
    EXPECT_EQ(std::tuple(dir.read("a.txt"), QFileInfo("a.txt").isSymLink(), dir.read("elsewhere")),
              std::tuple(QByteArray("\x82\xBD\r\n\r\n"), false, QByteArray("not ours")));
    EXPECT_EQ(platform::writeLines("b.txt", {"x", u("\u00e9")}), platform::WriteStatus::NotRepresentable);
    EXPECT_EQ(platform::writeLines("missing/a.txt", {"x"}), platform::WriteStatus::IoError);
    QDir().mkdir("sub");
    EXPECT_EQ(platform::replaceFile("sub", "x"), platform::WriteStatus::IoError);
    EXPECT_EQ(dir.names(), (QStringList{"a.txt", "elsewhere", "sub"}));   // no scratch file left behind
    EXPECT_EQ(platform::removeFile("a.txt"), platform::RemoveStatus::Removed);
    EXPECT_EQ(platform::removeFile("a.txt"), platform::RemoveStatus::Missing);
}

// Whatever stands at a name, reading it neither blocks nor takes more than the limit.
TEST(TextFile, ReadsOnlyRegularFilesWithinTheLimit)
{
    testsupport::TempWorkDir dir;
    dir.write("small", "12345");
    mkfifo("fifo", 0600);   // no writer: an open that waited would hang the test
    QDir().mkdir("folder");
    QFile::link("/dev/zero", "zero");
    QFile::link("small", "link");
    using S = platform::ReadStatus;
    const std::tuple<const char*, platform::Links, S, QByteArray> rows[] = {
        {"small", platform::Links::Follow, S::Ok, "12345"}, {"missing", platform::Links::Follow, S::Missing, ""},
        {"fifo", platform::Links::Follow, S::NotRegular, ""}, {"folder", platform::Links::Follow, S::NotRegular, ""},
        {"zero", platform::Links::Follow, S::NotRegular, ""}, {"link", platform::Links::Follow, S::Ok, "12345"},
        {"link", platform::Links::Refuse, S::NotRegular, ""}};
    for (const auto& [name, links, status, bytes] : rows) {
        const auto r = platform::readFile(name, 5, links);
        EXPECT_EQ(std::pair(r.status, r.bytes), std::pair(status, bytes)) << name;
    }
    EXPECT_EQ(platform::readFile("small", 4).status, S::TooLarge);
}

// The script's lines are not at its name until synced; then they replace what stood there.
TEST(DurableFile, PutInPlaceOnTheFirstSync)
{
    testsupport::TempWorkDir dir;
    dir.write("elsewhere", "not ours");
    dir.write("hard", "old script");
    ASSERT_EQ(link("hard", "modosu.bat"), 0);   // another name of the same file
    platform::DurableFile file;
    ASSERT_EQ(file.open("modosu.bat", -1), platform::DurableFile::OpenStatus::Ok);
    EXPECT_EQ(file.append("ren    b    a\r\n"), 15);
    EXPECT_EQ(dir.read("modosu.bat"), "old script");
    ASSERT_TRUE(file.sync());
    EXPECT_EQ(file.append("ren    c    b\r\n"), 15);
    ASSERT_TRUE(file.sync());
    file.close();
    EXPECT_EQ(std::tuple(dir.read("modosu.bat"), dir.read("hard"), dir.names()),
              std::tuple(QByteArray("ren    b    a\r\nren    c    b\r\n"), QByteArray("old script"),
                         QStringList{"elsewhere", "hard", "modosu.bat"}));

    QFile::remove("modosu.bat");
    QFile::link(dir.file("elsewhere"), "modosu.bat");
    ASSERT_EQ(file.open("modosu.bat", -1), platform::DurableFile::OpenStatus::Ok);
    file.close();   // never synced: the link stays, the scratch file goes
    EXPECT_EQ(std::tuple(QFileInfo("modosu.bat").isSymLink(), dir.names().size()), std::tuple(true, qsizetype(3)));

    QFile::remove("modosu.bat");
    mkfifo("modosu.bat", 0600);
    EXPECT_EQ(file.open("modosu.bat", -1), platform::DurableFile::OpenStatus::InTheWay);
}

// A write or sync that fails keeps only whole lines that got in, never
// makes the file longer than what was written, and where the file cannot be
// put right (the cut stays, the sync failed) nothing more gets in.
TEST(DurableFile, FailedOrShortWritesKeepWholeLinesOnly)
{
    using platform::io::Call;
    namespace io = platform::io::testing;
    const struct {
        const char* what;
        io::Fault fault;
        qsizetype kept;      // of the second append's 8 bytes
        bool goesOn;         // the second sync, and what comes after
        QByteArray after;    // the file once closed
    } rows[] = {
        {"nothing got in", {.call = Call::Write, .error = ENOSPC, .persistent = true}, 0, true, "a\nb\ng\n"},
        {"cut in a line", {.call = Call::Write, .error = ENOSPC, .persistent = true, .writeOnly = 3}, 2, true, "a\nb\nc\ng\n"},
        {"cut at a line end", {.call = Call::Write, .error = EDQUOT, .writeOnly = 4}, 4, true, "a\nb\nc\nd\ng\n"},
        // Every call fails from the cut write on: the cut line stays, never synced.
        {"the cut cannot be undone", {.error = ENOSPC, .persistent = true, .writeOnly = 3}, 0, false, "a\nb\nc\nd"},
        {"the sync fails", {.call = Call::Sync, .error = EIO}, 8, false, "a\nb\nc\nd\ne\nf\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        testsupport::TempWorkDir dir;
        platform::DurableFile file;
        ASSERT_EQ(file.open("modosu.bat", -1), platform::DurableFile::OpenStatus::Ok);
        ASSERT_TRUE(file.append("a\nb\n") == 4 && file.sync());
        io::arm(row.fault);
        EXPECT_EQ(file.append("c\nd\ne\nf\n"), row.kept);
        EXPECT_EQ(file.sync(), row.goesOn);
        io::disarm();
        EXPECT_EQ(file.append("g\n") == 2 && file.sync(), row.goesOn);
        file.close();
        EXPECT_EQ(dir.read("modosu.bat"), row.after);
    }
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
        {"abc.txt", "ABC.txt", RenameStatus::Renamed},  // letter case only
        {"a", "新しい 名前.txt", RenameStatus::Renamed},
    };
    for (const auto& [from, to, status] : rows)
        EXPECT_EQ(platform::renameNoReplace(u(from), u(to)), status) << from << " -> " << to;
    EXPECT_EQ(dir.read("b"), "B");
    EXPECT_EQ(dir.read(u("新しい 名前.txt")), "A");
}

// Volumes without the no-replace flag (EINVAL) and without hard links (EPERM): a checked rename.
TEST(Rename, FallsBackWhereTheVolumeKnowsNeitherFlagNorLinks)
{
    using platform::RenameStatus;
    using platform::io::testing::Fallback;
    for (const Fallback fallback : {Fallback::HardLink, Fallback::CheckedRename}) {
        const bool links = fallback == Fallback::HardLink;
        platform::io::testing::forceFallback(fallback);
        testsupport::TempWorkDir dir;
        dir.write("a", "A"), dir.write("b", "B"), dir.write("x.txt", "X");
        ASSERT_EQ(link("x.txt", "X.TXT"), 0);   // as a case-blind volume sees one file under two spellings
        const std::tuple<const char*, const char*, RenameStatus> rows[] = {
            {"a", "b", RenameStatus::TargetExists}, {"missing", "c", RenameStatus::SourceMissing},
            {"x.txt", "X.TXT", RenameStatus::Renamed}, {"a", "c", RenameStatus::Renamed}};
        for (const auto& [from, to, status] : rows)
            EXPECT_EQ(platform::renameNoReplace(u(from), u(to)), status) << from << " -> " << to << " links " << links;
        EXPECT_EQ(std::tuple(dir.read("b"), dir.read("c"), dir.exists("a")), std::tuple("B", "A", false)) << links;
    }
    platform::io::testing::disarm();
}

TEST(SystemFolder, FollowsXdgDataHomeAndMapsScriptPaths)
{
    testsupport::TempWorkDir dir;
    EXPECT_EQ(platform::mapScriptPath("C:\\WINDOWS\\cpy.bat"), dir.systemFolder() + "/cpy.bat");
    EXPECT_EQ(platform::mapScriptPath("quillmere.exe"), "quillmere.exe");
}

} // namespace
