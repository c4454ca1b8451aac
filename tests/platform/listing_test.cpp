#include "platform/listing.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(Listing, ListsOnlyOrdinaryFilesInNameOrder)
{
    testsupport::TempWorkDir dir;
    for (const char* name : {"b.txt", "B.txt", "a.TXT", "写真.jpg", ".hidden", "c d.txt"})
        dir.write(QString::fromUtf8(name));
    QDir(dir.path()).mkdir("folder");
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.file("fifo")).constData(), 0600), 0);
    ASSERT_EQ(::symlink("b.txt", QFile::encodeName(dir.file("link.txt")).constData()), 0);
    ASSERT_EQ(::symlink("folder", QFile::encodeName(dir.file("dirlink")).constData()), 0);
    ASSERT_EQ(::symlink("nowhere", QFile::encodeName(dir.file("dangling")).constData()), 0);

    EXPECT_FALSE(platform::listFiles(dir.file("gone")));   // not an empty folder
    EXPECT_EQ(platform::listFiles(dir.path()), QStringList({"a.TXT", "B.txt", "b.txt", "c d.txt", "link.txt", QStringLiteral("写真.jpg")}));
    EXPECT_EQ(platform::subfolders(dir.path()), QStringList({dir.file("dirlink"), dir.file("folder")}));
}

TEST(Listing, ChainRunsFromTheRoot)
{
    EXPECT_EQ(platform::folderChain("/usr/share/"), QStringList({"/", "/usr", "/usr/share"}));
    EXPECT_EQ(platform::folderChain("/usr/../etc"), QStringList({"/", "/etc"}));
}

} // namespace
