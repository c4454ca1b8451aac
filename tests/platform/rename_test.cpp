#include "platform/rename.h"
#include "temp_env.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

using platform::RenameStatus;

TEST(Rename, NeverReplacesAnExistingFile)
{
    testsupport::TempWorkDir dir;
    dir.write("a", "A");
    dir.write("b", "B");
    EXPECT_EQ(platform::renameBareNoReplace("a", "b"), RenameStatus::TargetExists);
    EXPECT_EQ(dir.read("a"), "A");
    EXPECT_EQ(dir.read("b"), "B");
}

TEST(Rename, ReportsEachOutcome)
{
    testsupport::TempWorkDir dir;
    dir.write("a", "A");
    QDir(dir.path()).mkdir("sub");
    struct Case { const char* from; const char* to; RenameStatus status; };
    const Case cases[] = {
        {"missing", "x", RenameStatus::SourceMissing},
        {"a", "", RenameStatus::Refused},
        {"a", "sub/a", RenameStatus::Refused},   // only bare names
        {"a", "..", RenameStatus::Refused},
        {"a", "sub", RenameStatus::TargetExists},
        {"a", "a", RenameStatus::TargetExists},
        {"a", "新しい 名前.txt", RenameStatus::Renamed},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::renameBareNoReplace(QString::fromUtf8(c.from), QString::fromUtf8(c.to)), c.status)
            << c.from << " -> " << c.to;
    EXPECT_EQ(dir.read(QStringLiteral("新しい 名前.txt")), "A");
}

TEST(Rename, LetterCaseOnlyRenameWorks)
{
    testsupport::TempWorkDir dir;
    dir.write("abc.txt", "x");
    EXPECT_EQ(platform::renameBareNoReplace("abc.txt", "ABC.txt"), RenameStatus::Renamed);
    EXPECT_TRUE(dir.exists("ABC.txt"));
}

} // namespace
