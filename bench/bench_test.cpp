// The benchmarks' ground: names the program can take, and a C loop that does
// exactly the program's work. A baseline doing other work would make every
// ratio meaningless.
#include "batch/script.h"
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

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>

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

// A folder of mixed names as the working directory, for one test.
class Folder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QString path = dir_.path() + "/files";
        ASSERT_EQ(qmb_make_folder(QFile::encodeName(path).constData(), kFiles), 0);
        ASSERT_TRUE(QDir::setCurrent(path));
    }
    void TearDown() override { QDir::setCurrent(home_); }

    static QByteArray script()
    {
        QFile file(QStringLiteral("modosu.bat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // More than two groups of undo lines.
    static constexpr size_t kFiles = 2500;

private:
    QString home_ = QDir::currentPath();
    QTemporaryDir dir_;
};

TEST_F(Folder, CLoopDoesWhatTheProgramDoes)
{
    const QStringList before = *platform::listFiles(QStringLiteral("."));
    const QString prefix = QStringLiteral("new_");
    const auto report = renamer::runRename(
        before, [&](const QString& n, int) { return renamer::addPrefix(n, prefix); }, renamer::RunOptions{});
    const QByteArray ours = script();
    ASSERT_EQ(batch::runScript(QStringLiteral("modosu.bat")).renamed, report.renamed);
    ASSERT_TRUE(QFile::remove(QStringLiteral("modosu.bat")));

    qmb_result plan{}, run{}, back{};
    char *firstOld = nullptr, *lastNew = nullptr;
    ASSERT_EQ(qmb_plan_prefix("new_", &plan, &firstOld, &lastNew), 0);
    const QString first = QString::fromUtf8(firstOld), last = QString::fromUtf8(lastNew);
    std::free(firstOld);
    std::free(lastNew);

    ASSERT_EQ(qmb_run_prefix("new_", &run), 0);
    EXPECT_EQ(run.renamed, report.renamed);
    EXPECT_EQ(run.skipped, qsizetype(kFiles) - report.renamed);
    EXPECT_EQ(script(), ours) << "the same lines in the same order";
    // What the measuring scripts wait for.
    EXPECT_EQ(plan.bytes, ours.size());
    EXPECT_TRUE(ours.startsWith(*platform::encodeCp932(batch::undoLine(prefix + first, first)) + "\r\n"));
    EXPECT_TRUE(ours.endsWith(*platform::encodeCp932(batch::undoLine(last, last.mid(prefix.size()))) + "\r\n"));

    ASSERT_EQ(qmb_restore("modosu.bat", &back), 0);
    EXPECT_EQ(back.renamed, run.renamed);
    QStringList after = *platform::listFiles(QStringLiteral("."));
    after.removeOne(QStringLiteral("modosu.bat"));
    EXPECT_EQ(after, before);
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
