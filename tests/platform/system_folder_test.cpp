#include "platform/system_folder.h"
#include "platform/today.h"
#include "temp_env.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemFolder, FollowsXdgDataHomeAndMapsScriptPaths)
{
    testsupport::TempWorkDir dir;
    EXPECT_EQ(platform::systemFolder(), dir.systemFolder());
    EXPECT_EQ(platform::mapScriptPath("c:\\windows\\qmnull.dam"), dir.systemFolder() + "/qmnull.dam");
    EXPECT_EQ(platform::mapScriptPath("C:\\WINDOWS\\cpy.bat"), dir.systemFolder() + "/cpy.bat");
    EXPECT_EQ(platform::mapScriptPath("quillmere.exe"), "quillmere.exe");
    EXPECT_TRUE(platform::ensureSystemFolder());
}

TEST(Today, DateTextIsZeroPadded)
{
    EXPECT_EQ(platform::dateText(QDate(2026, 3, 5)), "2026/03/05");
    EXPECT_EQ(platform::dateText(QDate(987, 12, 31)), "0987/12/31");
}

} // namespace
