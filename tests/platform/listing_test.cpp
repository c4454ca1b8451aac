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

    const auto files = platform::listFiles(dir.path());
    ASSERT_TRUE(files);
    EXPECT_EQ(*files, QStringList({"a.TXT", "B.txt", "b.txt", "c d.txt", "link.txt", QStringLiteral("写真.jpg")}));
    EXPECT_EQ(platform::subfolders(dir.path()), QStringList({dir.file("dirlink"), dir.file("folder")}));
}

TEST(Listing, MissingFolderIsNotAnEmptyOne)
{
    testsupport::TempWorkDir dir;
    EXPECT_FALSE(platform::listFiles(dir.file("gone")));
    EXPECT_FALSE(platform::canOpenFolder(dir.file("gone")));
    EXPECT_TRUE(platform::canOpenFolder(dir.path()));
    EXPECT_EQ(platform::listFiles(dir.path()), QStringList());
}

TEST(Listing, ChainRunsFromTheRoot)
{
    EXPECT_EQ(platform::folderChain("/"), QStringList({"/"}));
    EXPECT_EQ(platform::folderChain("/usr/share/"), QStringList({"/", "/usr", "/usr/share"}));
    EXPECT_EQ(platform::folderChain("/usr/../etc"), QStringList({"/", "/etc"}));
}

} // namespace
