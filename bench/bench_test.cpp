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

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
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

bool hasTrailByte5C(const QByteArray& cp932)
{
    for (qsizetype i = 0; i + 1 < cp932.size(); ++i) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            if (cp932[i + 1] == '\\')
                return true;
            ++i;
        }
    }
    return false;
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

TEST(MixedNames, HoldTheMixOfARealFolder)
{
    const QStringList names = mixedNames(kNames);
    const auto wide = [](char16_t low, char16_t high) {
        return [=](const QString& n) {
            return std::any_of(n.begin(), n.end(), [&](QChar c) { return c.unicode() >= low && c.unicode() <= high; });
        };
    };
    const auto has = [](const char* s) { return [=](const QString& n) { return n.contains(QLatin1String(s)); }; };
    struct Row {
        const char* what;
        std::function<bool(const QString&)> holds;
        double atLeast, atMost;
    };
    const Row rows[] = {
        {"Japanese", [](const QString& n) { return n.toLatin1() != n.toUtf8(); }, 0.40, 0.60},
        {"a trail byte 0x5C", [](const QString& n) { return hasTrailByte5C(*platform::encodeCp932(n)); }, 0.05, 0.40},
        {"kanji", wide(0x4E00, 0x9FFF), 0.20, 0.60},
        {"hiragana", wide(0x3041, 0x309F), 0.05, 0.40},
        {"katakana", wide(0x30A0, 0x30FF), 0.05, 0.40},
        {"half-width kana", wide(0xFF61, 0xFF9F), 0.03, 0.30},
        {"full-width digits", wide(0xFF10, 0xFF19), 0.05, 0.40},
        {"a blank", has(" "), 0.20, 0.80},
        {"&", has("&"), 0.02, 0.20},
        {"%", has("%"), 0.02, 0.20},
        {"[ ]", [](const QString& n) { return n.contains(u'[') && n.contains(u']'); }, 0.02, 0.30},
        {"( )", [](const QString& n) { return n.contains(u'(') && n.contains(u')'); }, 0.05, 0.40},
        {"#", has("#"), 0.02, 0.20},
        {".exe or .dll", [](const QString& n) { return renamer::isExcluded(n); }, 0.005, 0.02},
    };
    for (const Row& row : rows) {
        const double share = double(std::count_if(names.begin(), names.end(), row.holds)) / double(names.size());
        EXPECT_GE(share, row.atLeast) << row.what;
        EXPECT_LE(share, row.atMost) << row.what;
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

// The window benchmark's stopwatch: it must not stop before the script is
// whole and the name is there.
TEST_F(Folder, WaitStopsOnlyWhenTheScriptIsWholeAndTheNameIsThere)
{
    QProcess wait;
    wait.start(QStringLiteral(QM_C_LOOP), {"wait", "modosu.bat", "10", "last"});
    ASSERT_TRUE(wait.waitForStarted());
    const auto append = [](const char* bytes) {
        QFile file(QStringLiteral("modosu.bat"));
        return file.open(QIODevice::Append) && file.write(bytes) > 0;
    };
    struct Step {
        const char* what;
        std::function<bool()> act;
        bool ends;
    };
    const Step steps[] = {
        {"part of the script", [&] { return append("12345"); }, false},
        {"the name, before the script is whole", [] { touch("last"); return true; }, false},
        {"the rest of the script", [&] { return append("67890"); }, true},
    };
    for (const Step& step : steps) {
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        ASSERT_TRUE(step.act()) << step.what;
        EXPECT_EQ(wait.waitForFinished(step.ends ? 5000 : 100), step.ends) << step.what;
        if (step.ends) {
            EXPECT_EQ(wait.exitCode(), 0);
            const qint64 seen = wait.readAllStandardOutput().trimmed().toLongLong() / 1000;
            EXPECT_TRUE(seen >= before && seen <= QDateTime::currentMSecsSinceEpoch()) << seen;
        }
    }
}

TEST_F(Folder, CRestoreRunsNothingOfAScriptWithOtherLines)
{
    const char* const lines[] = {
        "ren    b    a\r\nren    ../b    IMG_0001.JPG\r\n",
        "ren    b    a\r\nren    b    x/IMG_0001.JPG\r\n",
        "ren    b    a\r\ncopy /B a+b   c /B\r\n",
        "ren    b    a\r\nren    b a\r\n",
        "ren    b    a\nren    c    d\r\n",
        "ren    b    a\r\nren    b    a",
    };
    for (const char* text : lines) {
        QFile file(QStringLiteral("bad.bat"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(text) > 0);
        file.close();
        ASSERT_TRUE(QFile(QStringLiteral("b")).open(QIODevice::WriteOnly));
        qmb_result result{};
        EXPECT_EQ(qmb_restore("bad.bat", &result), -1) << text;
        EXPECT_TRUE(QFile::exists(QStringLiteral("b")) && !QFile::exists(QStringLiteral("a"))) << text;
    }
}

} // namespace
