#include "platform/working_dir.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using platform::EnterResult;

// Only an entered folder moves the working directory; every failure leaves it where it was.
TEST(WorkingDir, EntersFoldersAndNamesWhyNot)
{
    testsupport::TempWorkDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("写真 2026/sub"));
    dir.write("plain.txt");
    ASSERT_EQ(::symlink("loop", QFile::encodeName(dir.file("loop")).constData()), 0);

    const std::pair<QString, EnterResult> rows[] = {
        {QStringLiteral("写真 2026"), EnterResult::Entered},
        {dir.file(QStringLiteral("写真 2026/sub")), EnterResult::Entered},
        {"missing", EnterResult::Missing},
        {"plain.txt", EnterResult::NotAFolder},
        {"loop", EnterResult::Refused},
        {QString(5000, u'a'), EnterResult::Refused},   // longer than a path may be
    };
    for (const auto& [folder, expected] : rows) {
        SCOPED_TRACE(folder.left(40).toStdString());
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        EXPECT_EQ(platform::enterFolder(folder), expected);
        const QString expectedCwd = expected == EnterResult::Entered ? QDir(dir.path()).absoluteFilePath(folder) : dir.path();
        EXPECT_EQ(QDir::currentPath(), QDir::cleanPath(expectedCwd));
    }
}

} // namespace
