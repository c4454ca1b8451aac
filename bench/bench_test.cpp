// The benchmarks' ground: names the program can take, and a C loop that does
// exactly the program's work. A baseline doing other work would make every
// ratio meaningless.
#include "batch/undo_line.h"
#include "batch/undo_script.h"
#include "platform/cp932.h"
#include "platform/listing.h"
#include "platform/rename.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"

#include "qmb.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include <unistd.h>

namespace {

constexpr size_t kNames = 20000;

QStringList mixedNames(size_t count)
{
    std::unique_ptr<char*, std::function<void(char**)>> raw(qmb_mixed_names(count),
                                                             [count](char** n) { qmb_free_names(n, count); });
    QStringList names;
    for (size_t i = 0; raw && i < count; ++i)
        names << QString::fromUtf8(raw.get()[i]);
    return names;
}

TEST(MixedNames, EveryNameCanBeRenamedAndRestored)
{
    const QStringList names = mixedNames(kNames);
    ASSERT_EQ(names.size(), qsizetype(kNames));
    EXPECT_EQ(names, mixedNames(kNames)) << "the same names every time";
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const QString& name : names) {
        ASSERT_TRUE(platform::cp932HoldsExactly(name)) << name.toStdString();
        ASSERT_TRUE(platform::isBareFileName(name) && !name.startsWith(u'.')) << name.toStdString();
        // One reading of its undo line, and listed by the program.
        ASSERT_FALSE(name.contains(QStringLiteral("    ")) || name.startsWith(u' ') || name.endsWith(u' '))
            << name.toStdString();
    }
}

// Folders of mixed names, each the working directory in turn.
class Folder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        enter(0);
    }
    void TearDown() override { QDir::setCurrent(home_); }

    void enter(size_t names)
    {
        const QString path = dir_.path() + QStringLiteral("/f%1").arg(++made_);
        ASSERT_EQ(qmb_make_folder(QFile::encodeName(path).constData(), names), 0);
        ASSERT_TRUE(QDir::setCurrent(path));
    }

    static QByteArray script()
    {
        QFile file(QStringLiteral("modosu.bat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QStringList listing()
    {
        QStringList names = *platform::listFiles(QStringLiteral("."));
        names.removeOne(QStringLiteral("modosu.bat"));
        return names;
    }

private:
    QString home_ = QDir::currentPath();
    QTemporaryDir dir_;
    int made_ = 0;
};

void touch(const char* name)
{
    QFile(QString::fromUtf8(name)).open(QIODevice::WriteOnly);
}

TEST_F(Folder, CLoopDoesWhatTheProgramDoes)
{
    struct Row {
        const char* what;
        size_t names;
        std::function<void()> add;
    };
    const Row rows[] = {
        {"more than two groups of lines", 2500, [] {}},
        {"a folder", 20, [] { QDir().mkdir(QStringLiteral("写真フォルダ")); }},
        {"a hidden file", 20, [] { touch(".hidden.txt"); }},
        {"a link to a file", 20, [] { touch("target.txt"), ::symlink("target.txt", "link.txt"); }},
        {"a dangling link", 20, [] { ::symlink("nowhere", "dangling.txt"); }},
        {"a name the code page cannot hold", 20, [] { touch("絵文字\xF0\x9F\x98\x80.txt"); }},
        {"endings in capitals and inside", 20, [] { touch("SETUP.EXE"), touch("a.exe.txt"), touch("dll"); }},
        {"a rename blocked by a file", 20, [] { touch("IMG_9999.JPG"), touch("new_IMG_9999.JPG"); }},
    };
    for (const Row& row : rows) {
        enter(row.names);
        row.add();
        const QStringList before = listing();
        const QString prefix = QStringLiteral("new_");
        const auto report = renamer::runRename(
            before, [&](const QString& n, int) { return renamer::addPrefix(n, prefix); }, renamer::RunOptions{});
        const QByteArray ours = script();
        const QStringList oursAfter = listing();
        batch::runUndoScript(QStringLiteral("modosu.bat"));
        ASSERT_TRUE(QFile::remove(QStringLiteral("modosu.bat")));
        ASSERT_EQ(listing(), before) << row.what;

        qmb_result plan{}, run{}, back{};
        char *firstOld = nullptr, *lastNew = nullptr;
        ASSERT_EQ(qmb_plan_prefix("new_", &plan, &firstOld, &lastNew), 0);
        const QString first = QString::fromUtf8(firstOld), last = QString::fromUtf8(lastNew);
        std::free(firstOld);
        std::free(lastNew);

        ASSERT_EQ(qmb_run_prefix("new_", &run), 0) << row.what;
        EXPECT_EQ(run.renamed, report.renamed) << row.what;
        EXPECT_EQ(run.failed, report.failed()) << row.what;
        EXPECT_EQ(script(), ours) << row.what << ": the same lines in the same order";
        EXPECT_EQ(listing(), oursAfter) << row.what;
        // What the measuring scripts wait for.
        EXPECT_EQ(plan.bytes, ours.size()) << row.what;
        EXPECT_TRUE(ours.startsWith(*platform::encodeCp932(batch::undoLine(prefix + first, first)) + "\r\n"));
        EXPECT_TRUE(ours.endsWith(*platform::encodeCp932(batch::undoLine(last, last.mid(prefix.size()))) + "\r\n"));

        ASSERT_EQ(qmb_restore("modosu.bat", &back), 0) << row.what;
        EXPECT_EQ(back.renamed + back.failed, run.renamed + run.failed) << row.what;
        EXPECT_EQ(listing(), before) << row.what;
    }
}

} // namespace
