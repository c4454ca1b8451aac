#include "batch/script.h"
#include "batch/script_runner.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <array>

namespace {

// "name=contents" for every file but the script.
std::string others(const testsupport::TempWorkDir& dir)
{
    QStringList all;
    for (const QString& name : dir.names())
        if (name != u"modosu.bat")
            all << name + "=" + QString::fromUtf8(dir.read(name));
    return all.join(" | ").toStdString();
}

TEST(Script, RenReadings)
{
    using Readings = std::vector<std::pair<QString, QString>>;
    const std::pair<QString, Readings> cases[] = {
        {"REN    Amy file    my file", {{"Amy file", "my file"}}}, {"ren     a    b", {{" a", "b"}}},
        {"ren    x    a    b", {{"x", "a    b"}, {"x    a", "b"}}},
        {"ren    a     b", {{"a", " b"}, {"a ", "b"}}},   // overlapping runs
        {"ren    a    ", {}}, {"ren   a    b", {}},
    };
    for (const auto& [line, readings] : cases)
        EXPECT_EQ(batch::renReadings(line), readings) << line.toStdString();
}

TEST(Script, RunScript)
{
    struct Row { QStringList files; QByteArray script; std::array<int, 4> counts; const char* after; };
    const Row rows[] = {   // counts: readable, renamed, failed, ignored; each file holds its own name
        // The run did Aa -> AAa, then a -> Aa: only last-to-first undoes it.
        {{"AAa", "Aa"}, "ren    AAa    Aa\r\nren    Aa    a\r\n", {1, 2, 0, 0}, "Aa=AAa | a=Aa"},
        {{"a", "b"}, "ren    b    a\r\n", {1, 0, 1, 0}, "a=a | b=b"}, {{"x"}, "ren    b    a\r\n", {1, 0, 1, 0}, "x=x"},
        {{"x    a"}, "ren    x    a    b\r\n", {1, 1, 0, 0}, "b=x    a"},
        {{"x", "x    a", "a    b"}, "REN    x    a    b\r\n", {1, 1, 0, 0}, "a    b=a    b | b=x    a | x=x"},
        {{"a", "a    b"}, "ren    a    b    a    b\r\n", {1, 1, 0, 0}, "a=a | a    b=a    b"},   // left alone by the run
        {{"b"}, "ren    b    sub/a\r\nren    b\r\n", {1, 0, 2, 0}, "b=b"}, {{"a"}, "ren    a     b\r\n", {1, 1, 0, 0}, " b=a"},
        {{"b", "新 写真"}, "ren    \x90\x56 \x8E\xCA\x90\x5E    \x8E\xCA\x90\x5E\r\n\r\necho x\nren    b    c",
         {1, 2, 0, 2}, "c=b | 写真=新 写真"},
        {{"b", "c"}, "ren    c    b\r\nren    \xFF    a\r\n", {0, 0, 0, 0}, "b=b | c=c"},   // not code page 932
        {{"b", "c"}, "ren    c    b\r\n\x82", {0, 0, 0, 0}, "b=b | c=c"},                  // lone lead byte
    };
    for (const auto& r : rows) {
        testsupport::TempWorkDir dir;
        for (const QString& file : r.files)
            dir.write(file, file.toUtf8());
        dir.write("modosu.bat", r.script);
        const auto report = batch::runScript("modosu.bat");
        const std::array counts{int(report.readable), report.renamed, report.failed, report.ignored};
        EXPECT_EQ(counts, r.counts) << r.script.constData();
        EXPECT_EQ(others(dir), r.after) << r.script.constData();
    }
}

TEST(Script, CopyLines)
{
    testsupport::TempWorkDir dir;
    QDir().mkpath(dir.systemFolder());
    dir.write("q.$_$", QByteArray("\x7F" "ELF\0", 5));
    QFile::setPermissions("q.$_$", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup);
    dir.write("q.exe", "an older, longer program file");
    platform::writeLines(dir.systemFolder() + "/qmnull.dam", {""});
    EXPECT_EQ(batch::copyLine("q"), "copy /B q.$_$+c:\\windows\\qmnull.dam   q.exe /B");
    platform::writeLines(dir.systemFolder() + "/cpy.bat",
                         {batch::copyLine("q"), "COPY /b q.exe+C:\\Windows\\missing   r.exe /b", "copy /B q++q s /B"});
    const auto report = batch::runScript("C:\\Windows\\cpy.bat");
    EXPECT_EQ((std::array{report.copied, report.failed, report.ignored}), (std::array{1, 1, 1}));
    EXPECT_EQ(dir.read("q.exe"), QByteArray("\x7F" "ELF\0\r\n", 7));
    EXPECT_EQ(QFile::permissions("q.exe"), QFile::permissions("q.$_$"));
    EXPECT_EQ(dir.names(), QStringList({"q.$_$", "q.exe"}));   // the failed copy leaves nothing behind
}

TEST(Script, RunnerDeliversTheReportOnTheOwnersThread)
{
    testsupport::TempWorkDir dir;
    dir.write("b");
    dir.write("modosu.bat", "ren    b    a\r\nren    x    y\r\n");
    batch::ScriptRunner runner;
    QThread* deliveredOn = nullptr;
    QObject::connect(&runner, &batch::ScriptRunner::finished, [&] { deliveredOn = QThread::currentThread(); });
    QSignalSpy spy(&runner, &batch::ScriptRunner::finished);
    ASSERT_TRUE(runner.start("modosu.bat"));
    ASSERT_TRUE(spy.wait(5000));
    EXPECT_EQ(deliveredOn, QThread::currentThread());
    const auto report = spy.at(0).at(0).value<batch::ScriptReport>();
    EXPECT_EQ(std::pair(report.renamed, report.failed), std::pair(1, 1));
}

TEST(Script, UndoProgramExitCodes)
{
    const std::tuple<QByteArray, QStringList, int, QString> cases[] = {   // script, arguments, code, output
        {"ren    b    a\r\n", {"other.bat"}, 0, "1 件の名前を元に戻しました。"},
        {"ren    b    a\r\nren    c    d\r\n", {}, 1, "1 件はできませんでした。"},
        {{}, {}, 2, "modosu.bat が見つかりません。"}, {"ren    \xFF    a\r\n", {}, 2, "modosu.bat を読めません。"},
    };
    for (const auto& [script, args, code, output] : cases) {
        testsupport::TempWorkDir dir;
        dir.write("b");
        if (!script.isEmpty())
            dir.write(args.value(0, "modosu.bat"), script);   // none: the program looks for modosu.bat
        QProcess undo;
        undo.start(QM_UNDO_PROGRAM, args);
        ASSERT_TRUE(undo.waitForFinished(10000));
        EXPECT_EQ(undo.exitCode(), code) << output.toStdString();
        EXPECT_TRUE(QString::fromUtf8(undo.readAllStandardOutput() + undo.readAllStandardError()).contains(output));
    }
}

} // namespace
