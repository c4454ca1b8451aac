#include "batch/script.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"
#include "temp_env.h"

#include <gtest/gtest.h>

#include <array>
#include <variant>

// The rows name only the boxes a mode reads; the others stay empty on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using renamer::RunReport;


// "name=contents" of every file but the script, in code unit order.
std::string others(const testsupport::TempWorkDir& dir)
{
    QStringList names = dir.names();
    names.removeAll("modosu.bat");
    names.sort();
    for (QString& n : names)
        n += "=" + QString::fromUtf8(dir.read(n));
    return names.join(" | ").toStdString();
}

// A run over files that hold their own names, then its undo script.
TEST(RenameRun, RunThenRestore)
{
    using enum renamer::Mode;
    struct Row {
        QStringList files, listed;   // listed: the files when empty
        renamer::Mode mode; renamer::Boxes boxes;
        std::array<int, 5> counts;   // attempts, renamed, failed, unrepresentable, too short
        QList<int> progress; QByteArray script; const char *after, *message;
    };
    const Row rows[] = {
        {{"a.exe", "b.EXE", "c.bat", "d.txt", "modosu.bat", "x.com", "y.dll"}, {}, Prefix, {.text6 = "X"},
         {2, 2, 0, 0, 0}, {0, 1, 1, 2, 2, 2, 2}, "ren    Xb.EXE    b.EXE\r\nren    Xd.txt    d.txt\r\n",
         "Xb.EXE=b.EXE | Xd.txt=d.txt | a.exe=a.exe | c.bat=c.bat | x.com=x.com | y.dll=y.dll", ""},
        {{"my file.txt", "写真.jpg"}, {}, Prefix, {.text6 = "ａ "}, {2, 2, 0, 0, 0}, {1, 2},
         "ren    \x82\x81 my file.txt    my file.txt\r\nren    \x82\x81 \x8e\xca\x90^.jpg    \x8e\xca\x90^.jpg\r\n",
         "ａ my file.txt=my file.txt | ａ 写真.jpg=写真.jpg", ""},
        {{"same.txt"}, {}, DeleteBefore, {}, {1, 0, 0, 0, 0}, {1}, "ren    same.txt    same.txt\r\n",
         "same.txt=same.txt", ""},
        {{"a.txt", "Xa.txt", "b.txt"}, {"a.txt", "b.txt"}, Prefix, {.text6 = "X"}, {2, 1, 1, 0, 0}, {1, 2},   // blocked
         "ren    Xa.txt    a.txt\r\nren    Xb.txt    b.txt\r\n", "Xa.txt=Xa.txt | Xb.txt=b.txt | a.txt=a.txt", "1 件"},
        {{}, {}, Prefix, {.text6 = "X"}, {0, 0, 0, 0, 0}, {}, "", "", ""},
        {{"abc"}, {}, DeleteAt, {.text7 = "0"}, {0, 0, 0, 0, 0}, {0}, "", "abc=abc", ""},
        {{"Aa", "a"}, {}, Prefix, {.text6 = "A"}, {2, 2, 0, 0, 0}, {1, 2}, "ren    AAa    Aa\r\nren    Aa    a\r\n",
         "AAa=Aa | Aa=a", ""},
        {{"x.txt", "y", "z.exe", "写真.jpg"}, {}, NumberBehind, {.text8 = "1"}, {3, 3, 0, 0, 0}, {1, 2, 2, 3},
         "ren    x-01.txt    x.txt\r\nren    y-02    y\r\nren    \x8e\xca\x90^-03.jpg    \x8e\xca\x90^.jpg\r\n",
         "x-01.txt=x.txt | y-02=y | z.exe=z.exe | 写真-03.jpg=写真.jpg", ""},
        {{"x-a.txt", "y-a.txt", "a"}, {}, DeleteBefore, {.text11 = "-", .check1 = true}, {2, 1, 1, 0, 0}, {1, 2},
         "ren    a.txt    x-a.txt\r\nren    a.txt    y-a.txt\r\n", "a=a | a.txt=x-a.txt | y-a.txt=y-a.txt", "1 件"},
        {{"b1", "ab1"}, {}, DeleteAt, {.text7 = "1", .text9 = "1"}, {2, 2, 0, 0, 0}, {1, 2},
         "ren    1    b1\r\nren    b1    ab1\r\n", "1=b1 | b1=ab1", ""},
        // Names the script cannot hold (U+301C reads back as U+FF5E), or too short for n: left alone, counted apart.
        {{"a\xE3\x80\x9C.txt", "next.txt"}, {}, Prefix, {.text6 = "X"}, {1, 1, 0, 1, 0}, {0, 1},
         "ren    Xnext.txt    next.txt\r\n", "Xnext.txt=next.txt | a\xE3\x80\x9C.txt=a\xE3\x80\x9C.txt",
         "1 件は modosu.bat に書けない"},
        {{"\xC3\xA9.txt", "a\nb", "a\rb", "next.txt"}, {}, Prefix, {.text6 = "X"}, {1, 1, 0, 3, 0}, {0, 0, 0, 1},
         "ren    Xnext.txt    next.txt\r\n", "Xnext.txt=next.txt | a\nb=a\nb | a\rb=a\rb | \xC3\xA9.txt=\xC3\xA9.txt",
         "3 件"},
        {{"plain.txt"}, {}, Prefix, {.text6 = "\xC3\xA9"}, {0, 0, 0, 1, 0}, {0}, "", "plain.txt=plain.txt",
         "1 件"},   // only the new name is the problem
        {{"abc", "next.txt"}, {}, DeleteAt, {.text7 = "1", .text9 = "5"}, {1, 1, 0, 0, 1}, {0, 1},
         "ren    txt    next.txt\r\n", "abc=abc | txt=next.txt", "1 件はファイル名が短い"},
    };
    for (const Row& r : rows) {
        testsupport::TempWorkDir dir;
        for (const QString& f : r.files)
            dir.write(f, f.toUtf8());
        dir.write("modosu.bat", "ren    old    lines\r\n");
        const std::string before = others(dir), what = r.files.join(", ").toStdString();
        QList<int> progress;
        const auto run = std::get<renamer::PreparedRun>(renamer::prepareRun(r.mode, r.boxes, int(r.files.size())));
        const RunReport report = renamer::runRename(r.listed.isEmpty() ? r.files : r.listed, run.transform,
            {.refreshEveryEntry = run.refreshEveryEntry, .progress = [&](int c) { progress << c; }});
        EXPECT_EQ(report.stop, RunReport::Stop::None) << what;
        const std::array counts{report.attempts, report.renamed, report.failed, report.unrepresentable, report.tooShort};
        EXPECT_EQ(counts, r.counts) << what;
        EXPECT_EQ(progress, r.progress) << what;
        EXPECT_EQ(dir.read("modosu.bat"), r.script) << what;
        EXPECT_EQ(others(dir), r.after) << what;
        const QString message = renamer::reportMessage(report);
        EXPECT_TRUE(*r.message ? message.contains(QString::fromUtf8(r.message)) : message.isEmpty()) << what;
        EXPECT_TRUE(batch::runScript("modosu.bat").readable) << what;
        EXPECT_EQ(others(dir), before) << what;
    }
}

} // namespace
