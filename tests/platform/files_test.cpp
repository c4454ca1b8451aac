#include "platform/io_calls.h"
#include "platform/cp932.h"
#include "platform/durable_file.h"
#include "platform/rename.h"
#include "temp_env.h"

#include <QDir>

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

// On every path: the no-replace flag; volumes without it (EINVAL), where a
// hard link stands in; and volumes without hard links too (EPERM), where the
// rename is checked. Two links of one file stand in for what a case-blind
// volume shows of one file under two spellings; where the flag is known they
// are two names, and neither may go.
TEST(Rename, NeverReplacesAndReportsEachOutcome)
{
    using platform::RenameStatus;
    using platform::io::testing::Fallback;
    for (const Fallback fallback : {Fallback::None, Fallback::HardLink, Fallback::CheckedRename}) {
        SCOPED_TRACE(int(fallback));
        platform::io::testing::forceFallback(fallback);
        testsupport::TempWorkDir dir;
        dir.write("a", "A"), dir.write("b", "B"), dir.write("abc.txt", "C"), dir.write("x.txt", "X");
        QDir(dir.path()).mkdir("sub");
        ASSERT_EQ(link("x.txt", "X.TXT"), 0);
        const std::tuple<const char*, const char*, RenameStatus> rows[] = {
            {"a", "b", RenameStatus::TargetExists},
            {"a", "sub", RenameStatus::TargetExists},
            {"missing", "c", RenameStatus::SourceMissing},
            {"abc.txt", "ABC.txt", RenameStatus::Renamed},   // letter case only
            {"x.txt", "X.TXT", fallback == Fallback::None ? RenameStatus::TargetExists : RenameStatus::Renamed},
            {"a", "新しい 名前.txt", RenameStatus::Renamed},
        };
        for (const auto& [from, to, status] : rows)
            EXPECT_EQ(platform::renameNoReplace(u(from), u(to)), status) << from << " -> " << to;
        EXPECT_EQ(std::tuple(dir.read("b"), dir.read(u("新しい 名前.txt")), dir.exists("a")), std::tuple("B", "A", false));
    }
    platform::io::testing::disarm();
}

} // namespace
