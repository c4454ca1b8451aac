#include "batch/undo_line.h"
#include "batch/undo_script.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "renamer/ui/run_messages.h"
#include "platform/io_calls.h"
#include "platform/listing.h"
#include "platform/rename.h"
#include "temp_env.h"
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>
#include <array>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace renamer;
QString q(const char* utf8) { return QString::fromUtf8(utf8); }
NumberStart whole(const char* digits, bool negative = false) { return {true, negative, digits, 0}; }

#define EMOJI "\xF0\x9F\x98\x80"
// The new name, or <skip>, <short>.
TEST(Transforms, EachMode)
{
    struct Case { ModeParams params; const char *name, *expected; int count = 5, counter = 0; };
    const NumberStart one;
    const Case cases[] = {
        {RemoveTag{}, "aa-bb[c].eee", "aa-bb.eee"}, {RemoveTag{}, "a[1]b[2].txt", "a.txt"}, {RemoveTag{}, "a[b]c.txt", "<skip>"},
        {RemoveTag{}, "a［b］.txt", "<skip>"}, {Prefix{"01_"}, "x.jpg", "01_x.jpg"},
        {Replace{"b", "C"}, "aaBdd.eee", "aaCdd.eee"}, {Replace{"q", "Z"}, "abc.txt", "<skip>"}, {Replace{"x", "Y"}, "aXbXc.txt", "aYbXc.txt"},
        {Replace{"", "Z"}, "x.txt", "Zx.txt"}, {Replace{"äb", "z"}, "ÄBC.txt", "zC.txt"},
        {Insert{2, "D"}, "aaaacc.eee", "aaDaacc.eee"}, {Insert{19, "X"}, "abc.txt", "abc.txtX"}, {Insert{{}, "X"}, "a", "<skip>"},
        {Insert{1, "X"}, EMOJI EMOJI, EMOJI "X" EMOJI},
        {DeleteAt{0, 8}, "20080911memo.txt", "memo.txt"}, {DeleteAt{0, 1}, "abcd.eee", "bcd.eee"}, {DeleteAt{0, 8}, "abc", "<short>"},
        {DeleteAt{2, -1}, "abcdef", "abbcdef"}, {DeleteAt{2, 1}, "abcdef", "abdef"}, {DeleteAt{{}, 2}, "abcdef", "<skip>"},
        {DeleteAt{0, 1.5}, "abcdef", "cdef"}, {DeleteAt{2, 0}, "abc", "abc"}, {DeleteAt{0, 2147483647}, "abc", "<short>"},
        {DeleteAt{0, -2147483648.0}, "abc", "abc"},
        // W from the start's length or the list's size; only the last W + 1 digits (9 + 91); at most six zeros.
        {Number{one, 1}, "a", "01-a", 9}, {Number{one, 1}, "a", "001-a", 10}, {Number{whole("7"), 3}, "a", "0007-a"},
        {Number{whole("5", true), 2}, "a", "005-a"}, {Number{{false, false, {}, 1.5}, 3}, "a", "02.5-a", 5, 1},
        {Number{whole("9"), 1}, "a", "00-a", 5, 91}, {Number{one, 9}, "a", "0000001-a"}, {Number{{}, 4}, "a", "00002-a", 5, 1},
        // Whole starts are counted exactly at any length, across zero and with carries.
        {Number{whole("12345678901234567"), 17}, "a", "012345678901234568-a", 5, 1}, {Number{whole("2", true), 2}, "a", "003-a", 5, 5},
        {Number{whole("99999999999999999999"), 20}, "a", "100000000000000000000-a", 5, 1},
        {Number{whole("100000000000000000000", true), 22}, "a", "00099999999999999999999-a", 5, 1},
        {Number{one, 1, true}, "a.tar.gz", "a-01.tar.gz"}, {Number{one, 1, true}, ".profile", "-01.profile"}, {Number{one, 1, true}, "a", "a-01"},
        {DeleteBefore{"-"}, "abcd-x.eee", "-x.eee"}, {DeleteBefore{"-", true}, "abcd-x.eee", "x.eee"}, {DeleteBefore{"-"}, "memo.txt", "<skip>"},
        {DeleteBefore{"-", true}, "2008-01-02-memo.txt", "01-02-memo.txt"}, {DeleteBefore{"ABC", true}, "xxabcyy.txt", "yy.txt"},
        {DeleteBefore{"", true}, "memo.txt", "memo.txt"}, {DeleteBefore{"-", true}, "memo-", ""},
    };
    for (const Case& c : cases) {
        const auto result = prepareRun(c.params, c.count).transform(q(c.name), c.counter);
        using enum TransformResult::Kind;
        EXPECT_EQ(result.kind == Skip ? "<skip>" : result.kind == TooShort ? "<short>" : result.name, q(c.expected))
            << "row " << &c - cases << " " << c.name;
    }
}

// A run over files that hold their own names, then its undo script.
TEST(RenameRun, RunThenRestore)
{
    struct Row {
        QStringList files; ModeParams params;
        std::array<int, 6> counts;   // attempts, renamed, failed, unrepresentable, too short, ambiguous
        QList<int> progress; QByteArray script; std::string after; const char* message;
        QStringList workList = {};   // the files unless given; a file ending in "/" is a folder
    };
    const Row rows[] = {
        {{"a.exe", "b.EXE", "c.bat", "d.txt", "modosu.bat", "x.com", "y.dll"}, Number{{}, 1, true}, {2, 2, 0, 0, 0}, {0, 1, 1, 2, 2, 2, 2},
         "ren    b-01.EXE    b.EXE\r\nren    d-02.txt    d.txt\r\n",
         "a.exe=a.exe | b-01.EXE=b.EXE | c.bat=c.bat | d-02.txt=d.txt | x.com=x.com | y.dll=y.dll", ""},
        {{"my file.txt", "写真.jpg"}, Prefix{"ａ "}, {2, 2, 0, 0, 0}, {1, 2},
         "ren    \x82\x81 my file.txt    my file.txt\r\nren    \x82\x81 \x8e\xca\x90^.jpg    \x8e\xca\x90^.jpg\r\n",
         "ａ my file.txt=my file.txt | ａ 写真.jpg=写真.jpg", ""},
        // Old or new names the script cannot hold (U+301C reads back as U+FF5E): left alone, counted apart.
        {{"a\xE3\x80\x9C", "\xC3\xA9", "a\nb", "n"}, Prefix{"X"}, {1, 1, 0, 3, 0}, {0, 0, 0, 1}, "ren    Xn    n\r\n",
         "Xn=n | a\nb=a\nb | a\xE3\x80\x9C=a\xE3\x80\x9C | \xC3\xA9=\xC3\xA9", "3 件は modosu.bat に書けない"},
        // No undo line: the last run's script stays, so the way back is kept.
        {{"plain.txt"}, Prefix{"\xC3\xA9"}, {0, 0, 0, 1, 0}, {0}, "ren    old    lines\r\n", "plain.txt=plain.txt", "1 件"},
        {{"a", "n.t"}, DeleteAt{0, 2}, {1, 1, 0, 0, 1}, {0, 1}, "ren    t    n.t\r\n", "a=a | t=n.t", "1 件はファイル名が短い"},
        // No line for a rename that cannot happen; the script's name in any case is neither renamed nor given.
        {{QString(250, u'a') + ".txt"}, Prefix{"XXXXXX"}, {1, 0, 0, 0, 0}, {1}, "ren    old    lines\r\n",
         QString(250, u'a').toStdString() + ".txt=" + QString(250, u'a').toStdString() + ".txt", "1 件は新しい名前が長すぎる"},
        {{"a-"}, DeleteBefore{"-", true}, {1, 0, 0, 0, 0}, {1}, "ren    old    lines\r\n", "a-=a-", "1 件は新しい名前が空になる"},
        {{"x"}, Replace{"x", ".."}, {1, 0, 0, 0, 0}, {1}, "ren    old    lines\r\n", "x=x", "「.」か「..」になる"},
        {{"x"}, Prefix{"a/"}, {1, 0, 0, 0, 0}, {1}, "ren    old    lines\r\n", "x=x", "「/」が入る"},
        {{"a\tb.txt", "c.txt"}, Prefix{"p_"}, {1, 1, 0, 1, 0}, {0, 1}, "ren    p_c.txt    c.txt\r\n", "a\tb.txt=a\tb.txt | p_c.txt=c.txt",
         "1 件は modosu.bat に書けない文字"},
        {{"MODOSU.BAT", "Modosu.bat", "a"}, Prefix{"p_"}, {1, 1, 0, 0, 0}, {0, 0, 1}, "ren    p_a    a\r\n",
         "MODOSU.BAT=MODOSU.BAT | Modosu.bat=Modosu.bat | p_a=a", ""},
        {{"a"}, Replace{"a", "MODOSU.bat"}, {1, 0, 1, 0, 0}, {1}, "ren    old    lines\r\n", "a=a", "1 件は新しい名前のファイルがすでにある"},
        // Restoring, once or twice, moves only what the run moved: a listed file gone and its new name taken,
        // blanks a line reads two ways ("  " -> five blanks, or the reverse), a folder of the listed name.
        {{"Xa.txt"}, Prefix{"X"}, {1, 0, 1}, {1}, "ren    old    lines\r\n", "Xa.txt=Xa.txt", "1 件は作業フォルダにファイルが見つかりません", {"a.txt"}},
        {{"     "}, DeleteAt{1, 3}, {0, 0, 0, 0, 0, 2}, {0, 0}, "ren    old    lines\r\n", "     =     ", "2 件は modosu.bat で正しく元に戻せない",
         {"     ", "     "}},
        {{"     ", "         あ"}, Prefix{"]"}, {1, 1, 0, 0, 0, 1}, {1, 1}, "ren    ]     " "    " "     \r\n",
         "         あ=         あ | ]     =     ", "1 件は modosu.bat で正しく元に戻せない"},
        {{"photos/"}, Prefix{"X"}, {1, 0, 1}, {1}, "ren    old    lines\r\n", "photos=", "1 件は作業フォルダにファイルが見つかりません", {"photos"}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.files.join(", ").toStdString());
        testsupport::TempWorkDir dir;
        for (const QString& f : r.files) f.endsWith(u'/') ? void(QDir().mkdir(f)) : dir.write(f, f.toUtf8());
        dir.write("modosu.bat", "ren    old    lines\r\n");
        const std::string before = dir.contentsButScript(" | ").toStdString();
        const QStringList& work = r.workList.isEmpty() ? r.files : r.workList;
        const auto run = prepareRun(r.params, int(work.size()));
        QList<int> progress;
        const auto report = renamer::runRename(work, run.transform,
            {.refreshEveryEntry = run.refreshEveryEntry, .progress = [&](int c) { progress << c; }});
        const QString message = quillmere::runMessage(report);
        const std::array counts{report.attempts, report.renamed, report.failed(), report.unrepresentable, report.tooShort, report.ambiguous};
        EXPECT_EQ(std::tuple(report.stop, counts, progress, dir.read("modosu.bat"), dir.contentsButScript(" | ").toStdString()),
                  std::tuple(renamer::RunReport::Stop::None, r.counts, r.progress, r.script, r.after));
        EXPECT_TRUE(*r.message ? message.contains(q(r.message)) && runWentWrong(report) : message.isEmpty()) << message.toStdString();
        for (int again = 0; again < 2; ++again) {   // the second finds every name back and moves nothing
            EXPECT_TRUE((batch::runUndoScript("modosu.bat").status == batch::RestoreReport::Status::Ran));
            EXPECT_EQ(dir.contentsButScript(" | ").toStdString(), before) << again;
        }
    }
}

// A read-only volume's refusal is counted apart and told as such (the other
// reasons are counted by the large run below and worded by the run's message
// table); a listed path, even to a file of this folder, is not one of its names.
TEST(RenameRun, ReportsARefusalAndTakesNoPath)
{
    testsupport::TempWorkDir dir;
    dir.write("a"), dir.write("b"), dir.write("c");
    // The first rename puts the script in place.
    platform::io::testing::arm({.call = platform::io::Call::Rename, .nth = 2, .error = EROFS, .times = 2});
    const auto prefix = [](const QString& name, int) { return renamer::addPrefix(name, "X"); };
    const auto r = renamer::runRename({"a", "b"}, prefix, {});
    platform::io::testing::disarm();
    EXPECT_EQ((std::array{r.renamed, r.refused}), (std::array{0, 2}));
    EXPECT_EQ(quillmere::runMessage(r), q("このフォルダでは名前を変更できません（読み取り専用のドライブです）。"));
    const auto p = renamer::runRename({"../work/c"}, [](const QString&, int) { return renamer::TransformResult::to("d"); }, {});
    EXPECT_TRUE(p.notFound == 1 && dir.exists("c") && !dir.exists("d"));
}

// Large runs plan groups ahead of their renames; each entry must still see the folder as the renames
// before it left it. Chains run across group boundaries (f0100 -> f0000 once f0000 -> g0000 is done),
// some listed files are missing and some are listed again after they were moved or filled again.
TEST(RenameRun, LargeRunMatchesOneRenameAtATime)
{
    const std::tuple<int, int> rows[] = {{300, 40}, {1500, 100}, {3000, 1300}};   // files, chain step
    for (const auto& row : rows) {
        const int files = std::get<0>(row), step = std::get<1>(row);   // captured below: no structured binding
        SCOPED_TRACE(files);
        testsupport::TempWorkDir dir;
        const auto f = [](int i) { return QStringLiteral("f%1").arg(i, 4, 10, QChar(u'0')); };
        QStringList work;
        QSet<QString> start, now;
        for (int i = 0; i < files; ++i) {
            work << f(i);
            if (i % 7 != 3)
                dir.write(f(i), f(i).toUtf8()), start << f(i);
        }
        work << f(0) << f(1) << f(5) << f(files - 1) << f(files / 2);
        const auto transform = [&](const QString& name, int) {
            const int i = name.mid(1).toInt();
            return renamer::TransformResult::to(i < step ? QStringLiteral("g%1").arg(i, 4, 10, QChar(u'0')) : f(i - step));
        };
        // One rename at a time, as the user expects it.
        now = start;
        QByteArray script;
        std::array<int, 4> expected{};   // renamed, taken, not found, listed again
        for (const QString& name : work) {
            const QString to = transform(name, 0).name;
            if (!now.contains(name)) {
                ++expected[start.contains(name) ? 3 : 2];
                continue;
            }
            if (now.contains(to)) {
                ++expected[1];   // and no line: it could later move the file that holds the name
            } else {
                script += "ren    " + to.toLatin1() + "    " + name.toLatin1() + "\r\n";
                now.remove(name), now.insert(to), ++expected[0];
            }
        }
        const auto report = renamer::runRename(work, transform, {});
        EXPECT_EQ((std::array{report.renamed, report.taken, report.notFound, report.alreadyMoved}), expected);
        EXPECT_EQ(report.attempts, work.size());
        EXPECT_EQ(dir.read("modosu.bat"), script);
        const QStringList left = dir.namesButScript();
        EXPECT_EQ(QSet<QString>(left.begin(), left.end()), now);
    }
}

// Where no thread can be started (a user at its process limit), the listing, the run and the restore
// do all their work on the calling thread. Needs root, to become a user whose limit counts.
TEST(RenameRun, WithoutThreadsStillRuns)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to run as an unprivileged user at its process limit";
    testsupport::TempWorkDir dir;
    constexpr int kFiles = 5000;   // above the sizes from which listing and run use a second thread
    for (int i = 0; i < kFiles; ++i)
        dir.write(QStringLiteral("写真 %1.jpg").arg(i));
    for (const QString& d : {dir.path(), QFileInfo(dir.path()).path()})
        ASSERT_EQ(::chmod(QFile::encodeName(d).constData(), 0777), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit one{1, 1};
        if (::setgid(65534) != 0 || ::setuid(65534) != 0 || ::setrlimit(RLIMIT_NPROC, &one) != 0)
            ::_exit(3);
        const auto names = platform::listFiles(QStringLiteral("."));
        const auto prefix = [](const QString& name, int) { return renamer::addPrefix(name, QStringLiteral("済_")); };
        const bool ran = names && names->size() == kFiles && renamer::runRename(*names, prefix, {}).renamed == kFiles;
        ::_exit(ran && batch::runUndoScript(QStringLiteral("modosu.bat")).restored == kFiles ? 0 : 1);
    }
    int status = -1;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_TRUE(dir.exists(QStringLiteral("写真 0.jpg")) && dir.exists(QStringLiteral("写真 4999.jpg")));
}

} // namespace
