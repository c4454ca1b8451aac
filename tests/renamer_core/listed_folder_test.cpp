#include "batch/undo_script.h"
#include "platform/folder_watch.h"
#include "renamer/core/listed_folder.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray bytes(const QString& path) { return QFile::encodeName(path); }

int openFolder(const char* path) { return ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC); }

// The watch vouches only for local file systems. A container's own temporary
// folder may be on another kind, so fall back to the shared-memory one.
std::unique_ptr<testsupport::TempWorkDir> vouchedWorkDir()
{
    for (const QString& under : {QString(), testsupport::memoryFolder()}) {
        auto dir = std::make_unique<testsupport::TempWorkDir>(under);
        const int fd = openFolder(".");
        const bool watching = platform::FolderWatch(fd).watching();
        ::close(fd);
        if (watching)
            return dir;
    }
    return nullptr;
}

// A listing spares the run a second read of the folder only while no name in
// it has been made, removed or moved since.
TEST(ListedFolder, VouchesOnlyForAnUnchangedFolder)
{
    using Change = std::function<void(const testsupport::TempWorkDir&)>;
    const auto rename = [](const char* from, const char* to) { ASSERT_EQ(std::rename(from, to), 0); };
    const struct Row {
        const char* what;
        Change change;
        bool vouched;
    } rows[] = {
        {"nothing", [](auto&) {}, true},
        {"contents and modes", [](auto& d) { d.write("a", "new"), ::chmod("b", 0600); }, true},
        {"inside a subfolder", [](auto& d) { d.write("sub/y"); }, true},
        {"a file made", [](auto& d) { d.write("c"); }, false},
        {"a hidden file made", [](auto& d) { d.write(".c"); }, false},
        {"a file removed", [](auto&) { ::unlink("a"); }, false},
        {"a file renamed", [&](auto&) { rename("a", "z"); }, false},
        {"a file moved out", [&](auto&) { rename("a", "sub/a"); }, false},
        {"a file moved in", [&](auto&) { rename("sub/x", "x"); }, false},
        {"a folder made", [](auto&) { ::mkdir("d", 0700); }, false},
        {"a hard link made", [](auto&) { ::link("a", "a2"); }, false},
        {"the folder moved and back", [&](auto& d) { rename(bytes(d.path()), bytes(d.path() + "2")), rename(bytes(d.path() + "2"), bytes(d.path())); }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const auto dir = vouchedWorkDir();
        if (!dir)
            GTEST_SKIP() << "no folder on a local file system to watch";
        dir->write("a"), dir->write("b"), dir->write(".hidden");
        QDir(dir->path()).mkdir("sub");
        dir->write("sub/x");
        ASSERT_EQ(::symlink("a", "link.txt") | ::symlink("sub", "dirlink") | ::mkfifo("fifo", 0600), 0);
        renamer::ListedFolder listed(dir->path());
        EXPECT_EQ(listed.files(), QStringList({"a", "b", "link.txt"}));
        row.change(*dir);
        const int fd = openFolder(bytes(dir->path()).constData());
        const auto entries = listed.takeEntries(fd);
        ASSERT_EQ(entries.has_value(), row.vouched);
        if (entries) {
            // Every entry a rename could take, links not followed; no folder.
            for (const char* name : {"a", "b", ".hidden", "link.txt", "dirlink", "fifo"})
                EXPECT_TRUE(entries->contains(name, renamer::NameSet::hashOf(name))) << name;
            EXPECT_EQ(entries->size(), 6);
        }
        EXPECT_FALSE(listed.takeEntries(fd)) << "given twice";
        ::close(fd);
    }
}

TEST(ListedFolder, NeverVouchesForAnotherFolderOrOneChangedElsewhere)
{
    const auto dir = vouchedWorkDir();
    if (!dir)
        GTEST_SKIP() << "no folder on a local file system to watch";
    QDir(dir->path()).mkdir("sub");
    renamer::ListedFolder listed(dir->path());
    const int sub = openFolder("sub");
    EXPECT_FALSE(listed.takeEntries(sub));
    ::close(sub);
    // /proc changes without a name being made through a call: never watched.
    const int proc = openFolder("/proc");
    EXPECT_FALSE(platform::FolderWatch(proc).watching());
    ::close(proc);
}

// A run given a listing that no longer holds reads the folder again: a file
// removed since gets no undo line, which would otherwise rename whatever
// later holds its new name.
TEST(RenameRun, UsesTheListingOnlyWhileItHolds)
{
    const struct Row {
        bool change;
        QByteArray script;
        std::array<int, 3> counts;   // renamed, not found, taken
    } rows[] = {
        {false, "ren    Xa    a\r\nren    Xb    b\r\nren    Xc    c\r\n", {3, 0, 0}},
        {true, "ren    Xa    a\r\n", {1, 1, 1}},
    };
    for (const Row& row : rows) {
        const auto dir = vouchedWorkDir();
        if (!dir)
            GTEST_SKIP() << "no folder on a local file system to watch";
        dir->write("a"), dir->write("b"), dir->write("c");
        renamer::ListedFolder listed(dir->path());
        if (row.change)
            ::unlink("b"), dir->write("Xc");
        renamer::RunOptions options;
        options.listed = &listed;
        const auto prefix = [](const QString& name, int) { return renamer::addPrefix(name, "X"); };
        const auto report = renamer::runRename(listed.files(), prefix, options);
        EXPECT_EQ((std::array{report.renamed, report.notFound, report.taken}), row.counts) << row.change;
        EXPECT_EQ(dir->read("modosu.bat"), row.script);
    }
}

} // namespace
