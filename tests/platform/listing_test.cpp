#include "platform/listing.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>
#include <random>
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

// Sorting by keys folded once gives the order of the pairwise case-blind
// comparison; 5,000 names are sorted in two halves at once and merged.
TEST(Listing, SortAgreesWithNameOrder)
{
    const QStringList pieces = {"a", "A", "b", "ß", "SS", "ｆ", "Ｆ", "写真", "Σ", "ς", "σ", "İ", "i", "\U0001F600", "\uFF5E",
                                "\uE000", " ", "_", "[", "0", "9"};
    std::mt19937 random(20261207);
    QStringList names;
    for (int i = 0; i < 5000; ++i) {
        QString name;
        for (int n = 1 + int(random() % 4); n > 0; --n)
            name += pieces[qsizetype(random() % pieces.size())];
        names << name;
    }
    QStringList expected = names;
    std::stable_sort(expected.begin(), expected.end(), platform::nameLess);
    platform::sortNames(names);
    EXPECT_EQ(names, expected);
}

TEST(Listing, ChainRunsFromTheRoot)
{
    EXPECT_EQ(platform::folderChain("/usr/share/"), QStringList({"/", "/usr", "/usr/share"}));
    EXPECT_EQ(platform::folderChain("/usr/../etc"), QStringList({"/", "/etc"}));
}

} // namespace
