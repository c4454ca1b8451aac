#include "batch/copy_script.h"
#include "batch/restore_messages.h"
#include "batch/script_runner.h"
#include "batch/undo_script.h"
#include "platform/text_file.h"
#include "temp_env.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

using Status = batch::RestoreReport::Status;

// The readings' names borrow the parse's text: a copy must keep them whole
// after the parse it came from is gone. The names are read here, where the
// sanitizer watches; the toolkit's own compare runs unwatched.
TEST(Script, ParsedNamesOutliveTheParseTheyCameFrom)
{
    batch::ParsedScript copy;
    {
        const batch::ParsedScript parsed = batch::parseUndoScript("ren    Xa.txt    a.txt\r\nren    Xb    c    b\r\n");
        copy = parsed;
    }
    std::u16string read;
    for (const auto& line : copy.readings)
        for (const auto& [from, to] : line)
            for (const QString* name : {&from, &to})
                read.append(reinterpret_cast<const char16_t*>(name->constData()), std::size_t(name->size())) += u'|';
    EXPECT_EQ(read, u"Xa.txt|a.txt|Xb|c    b|Xb    c|b|");
}

// Files hold their own names; the runner's report comes back on this thread.
TEST(Script, RestoreThroughTheRunner)
{
    struct Row { QStringList files; QByteArray script; std::array<int, 6> counts; /* restored, back, taken, missing, ambiguous, cut */
                 QString after; const char* message; };
    const Row rows[] = {
        {{"AAa", "Aa"}, "ren    AAa    Aa\r\nren    Aa    a\r\n", {2, 0, 0, 0, 0, 0}, "Aa=AAa a=Aa", "2 件の名前を元に戻しました。"},
        {{"a", "b"}, "ren    b    a\r\n", {0, 0, 1, 0, 0, 0}, "a=a b=b", "元の名前のファイルがほかにある"},
        {{"x"}, "ren    b    a\r\n", {0, 0, 0, 1, 0, 0}, "x=x", "見つからない"},
        {{"x", "x    a", "a    b"}, "REN    x    a    b\r\n", {1, 0, 0, 0, 0, 0}, "a    b=a    b b=x    a x=x", "1 件の名前"},
        {{"x", "x    a"}, "ren    x    a    b\r\n", {0, 0, 0, 0, 1, 0}, "x=x x    a=x    a", "一つに決まらない"},
        {{"b", "新 写真"}, "ren    \x90\x56 \x8E\xCA\x90\x5E    \x8E\xCA\x90\x5E\r\nren    c    b", {1, 0, 0, 0, 0, 1},
         "b=b 写真=新 写真", "途中で切れた最後の行"},
        {{"c"}, "ren    c    b\r\nren    d    c\r", {1, 0, 0, 0, 0, 1}, "b=c", "途中で切れた最後の行"},   // cut between CR and LF
        // Restored already, a chain included: nothing moves, and the user is told.
        {{"Aa", "a"}, "ren    AAa    Aa\r\nren    Aa    a\r\n", {0, 2, 0, 0, 0, 0}, "Aa=Aa a=a", "名前はすでに元に戻っています。"},
        {{"n"}, "ren    n    n\r\n", {0, 0, 0, 0, 0, 0}, "n=n", "元に戻す名前はありませんでした。"}};
    for (const Row& r : rows) {
        testsupport::TempWorkDir dir;
        for (const QString& file : r.files) dir.write(file, file.toUtf8());
        dir.write("modosu.bat", r.script);
        batch::ScriptRunner runner;
        QThread* deliveredOn = nullptr;
        QObject::connect(&runner, &batch::ScriptRunner::finished, [&] { deliveredOn = QThread::currentThread(); });
        QSignalSpy spy(&runner, &batch::ScriptRunner::finished);
        ASSERT_TRUE(runner.start("modosu.bat") && spy.wait(5000));
        const auto x = spy.at(0).at(0).value<batch::RestoreReport>();
        const std::array counts{x.restored, x.alreadyBack, x.taken, x.missing, x.ambiguous, int(x.cutShort)};
        EXPECT_EQ(std::tuple(deliveredOn, x.status, counts, dir.contentsButScript()), std::tuple(QThread::currentThread(), Status::Ran, r.counts, r.after))
            << r.script.data();
        EXPECT_TRUE(batch::restoreMessage(x, "modosu.bat").contains(QString::fromUtf8(r.message))) << batch::restoreMessage(x, "modosu.bat").toStdString();
    }
}

// A script holding anything a run does not write is refused whole, naming its first such line.
// lines lines of a run's script, but line bad holds badName.
QByteArray large(int lines, int bad, const char* badName)
{
    QByteArray script;
    for (int i = 1; i <= lines; ++i)
        script += "ren    new_" + QByteArray::number(i) + "    " + (i == bad ? QByteArray(badName) : "old_" + QByteArray::number(i)) + "\r\n";
    return script;
}

// So are a link (never followed) and a huge file. (Another process holding
// the folder is the second-run test's.)
TEST(Script, RefusedScriptsRunNothing)
{
    const std::tuple<QByteArray, Status, int> rows[] = {
        {"ren    b    a\r\ncopy /B a+b   c /B\r\n", Status::Foreign, 2}, {"del a\r\n", Status::Foreign, 1},
        {"move a b\r\n", Status::Foreign, 1}, {"ren   b    a\r\n", Status::Foreign, 1}, {"ren    b\ta\r\n", Status::Foreign, 1},
        {"ren    b    a\rren    c    a\r", Status::Foreign, 1}, {"ren    b    a\nren    c    a\n", Status::Foreign, 1},
        {"ren    b    \xFF\r\n", Status::Foreign, 1}, {"ren    b    a\r\n\r\n", Status::Foreign, 2},
        {"ren    b    ../a\r\n", Status::Foreign, 1}, {"ren    b    /etc/a\r\n", Status::Foreign, 1}, {"ren    b    ..\r\n", Status::Foreign, 1},
        // Deep in a large script, for bytes that do not decode and for a name that is not bare.
        {large(12000, 11000, "\xFF"), Status::Foreign, 11000}, {large(12000, 6001, "../a"), Status::Foreign, 6001},
        {"<link>", Status::Unreadable, 0}, {"<huge>", Status::TooLarge, 0}};
    for (const auto& [script, status, line] : rows) {
        testsupport::TempWorkDir dir;
        dir.write("b", "B"), dir.write("c", "C");
        if (script == "<link>")
            dir.write("../real.bat", "ren    b    a\r\n"), QFile::link("../real.bat", "modosu.bat");
        else if (QFile f("modosu.bat"); f.open(QIODevice::WriteOnly))
            script == "<huge>" ? void(f.resize(batch::kMaxUndoScriptBytes + 1)) : void(f.write(script));
        const auto report = batch::runUndoScript("modosu.bat");
        EXPECT_EQ(std::tuple(report.status, report.foreignLine, dir.contentsButScript()), std::tuple(status, line, QString("b=B c=C")))
            << script.left(60).toStdString();
        EXPECT_TRUE(!line || batch::restoreMessage(report, "modosu.bat").contains(QStringLiteral("%1 行目").arg(line)));
    }
}

TEST(Script, CopyLinesWriteFreshFilesInTheirTwoFolders)
{
    testsupport::TempWorkDir dir;
    QDir().mkpath(dir.systemFolder());
    dir.write("q.$_$", QByteArray("\x7F" "ELF\0", 5));
    QFile::setPermissions("q.$_$", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup);
    dir.write("elsewhere", "not ours");
    QFile::link(dir.file("elsewhere"), "q.exe");   // replaced, never written through
    platform::writeLines(dir.systemFolder() + "/qmnull.dam", {""});
    EXPECT_EQ(batch::copyLine("q"), "copy /B q.$_$+c:\\windows\\qmnull.dam   q.exe /B");
    platform::writeLines(dir.systemFolder() + "/cpy.bat",
                         {batch::copyLine("q"), "COPY /b q.exe+C:\\Windows\\missing   r.exe /b", "copy /B q.exe   ../x /B",
                          "copy /B /etc/passwd   y /B", "copy /B q.exe   c:\\windows\\../z /B"});
    const auto report = batch::runCopyScript("C:\\Windows\\cpy.bat");   // a failed copy leaves nothing behind
    EXPECT_EQ(std::tuple(report.copied, report.failed, dir.read("q.exe"), QFileInfo("q.exe").isSymLink(), QFile::permissions("q.exe"),
                         dir.read("elsewhere"), dir.names()),
              std::tuple(1, 4, QByteArray("\x7F" "ELF\0\r\n", 7), false, QFile::permissions("q.$_$"), QByteArray("not ours"),
                         QStringList{"elsewhere", "q.$_$", "q.exe"}));
}

// The undo program's status and words. A script named with a folder runs in that folder, whatever the
// working folder: its names are those of the files beside it (moved: where b came back as a).
TEST(Script, UndoProgram)
{
    const std::tuple<QByteArray, QStringList, int, QString, const char*> cases[] = {   // script, arguments, code, output, moved
        {"ren    b    a\r\n", {"other.bat"}, 0, "1 件の名前を元に戻しました。", "a"},
        {"ren    b    a\r\n", {"sub/modosu.bat"}, 0, "1 件の名前を元に戻しました。", "sub/a"},
        {"ren    b    a\r\n", {"../work/sub/u.bat"}, 0, "1 件の名前を元に戻しました。", "sub/a"},
        {"ren    b    a\r\n", {":u.bat"}, 0, "1 件の名前を元に戻しました。", "a"},   // a file, not a Qt resource
        {"ren    b    a\r\nren    c    d\r\n", {}, 1, "1 件はファイルが見つからない", "a"},
        {{}, {}, 2, "modosu.bat がありません。", nullptr},
        {"copy /B b   c /B\r\n", {}, 2, "quillmere が書いたものではない", nullptr},
        // Damaged or cut scripts are never a success.
        {"ren    b    a\r\nren    b<NUL>    a\r\n", {}, 2, "modosu.bat が壊れている", nullptr},
        {"<NUL><NUL><NUL>", {}, 2, "modosu.bat が壊れている", nullptr},
        {"ren    b    a\r\nren    x    y", {}, 1, "途中で切れた最後の行", "a"},
        {"ren    b    a\r\n<NUL><NUL><NUL>", {}, 1, "1 件の名前を元に戻しました。\n途中で切れた最後の行", "a"},
        {QByteArray("ren    b    a\r\n").repeated(batch::kMaxUndoLines + 1), {}, 2, "大きすぎる", nullptr}};
    for (const auto& [script, args, code, output, moved] : cases) {
        testsupport::TempWorkDir dir;
        QDir().mkdir("sub");
        dir.write("b"), dir.write("sub/b");
        if (!script.isEmpty())
            dir.write(args.value(0, "modosu.bat"), QByteArray(script).replace("<NUL>", QByteArray(1, '\0')));
        QProcess undo;
        ASSERT_TRUE((undo.start(QM_UNDO_PROGRAM, args), undo.waitForFinished(10000)));
        const QString said = QString::fromUtf8(undo.readAllStandardOutput() + undo.readAllStandardError());
        EXPECT_EQ(std::pair(undo.exitCode(), said.contains(output)), std::pair(code, true)) << said.toStdString();
        EXPECT_TRUE(moved ? dir.exists(moved) && dir.exists("b") != dir.exists("sub/b") : dir.exists("b") && dir.exists("sub/b"))
            << args.value(0).toStdString();
    }
}

} // namespace
