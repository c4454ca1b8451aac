#include "batch/script.h"
#include "batch/script_runner.h"
#include "platform/text_file.h"
#include "temp_env.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(Script, RenReadings)
{
    const std::pair<QString, std::vector<std::pair<QString, QString>>> cases[] = {
        {"REN    Amy file    my file", {{"Amy file", "my file"}}}, {"ren     a    b", {{" a", "b"}}}, {"ren    a    ", {}},
        {"ren    x    a    b", {{"x", "a    b"}, {"x    a", "b"}}}, {"ren    a     b", {{"a", " b"}, {"a ", "b"}}}, {"ren   a    b", {}}};
    for (const auto& [line, readings] : cases)
        EXPECT_EQ(batch::renReadings(line), readings) << line.toStdString();
}

// Files hold their own names; the runner's report (readable, renamed, failed, ignored) comes back on this thread.
TEST(Script, RunScriptThroughTheRunner)
{
    const std::tuple<QStringList, QByteArray, std::array<int, 4>, QString> rows[] = {
        {{"AAa", "Aa"}, "ren    AAa    Aa\r\nren    Aa    a\r\n", {1, 2, 0, 0}, "Aa=AAa a=Aa"},   // undone last to first
        {{"a", "b"}, "ren    b    a\r\n", {1, 0, 1, 0}, "a=a b=b"},
        {{"x", "x    a", "a    b"}, "REN    x    a    b\r\n", {1, 1, 0, 0}, "a    b=a    b b=x    a x=x"},
        {{"b", "新 写真"}, "ren    \x90\x56 \x8E\xCA\x90\x5E    \x8E\xCA\x90\x5E\r\n\r\necho x\nren    b    c", {1, 2, 0, 2}, "c=b 写真=新 写真"},
        {{"b", "c"}, "ren    c    b\r\nren    \xFF    a\r\n", {0, 0, 0, 0}, "b=b c=c"}};   // not code page 932
    for (const auto& [files, script, counts, after] : rows) {
        testsupport::TempWorkDir dir;
        for (const QString& file : files) dir.write(file, file.toUtf8());
        dir.write("modosu.bat", script);
        batch::ScriptRunner runner;
        QThread* deliveredOn = nullptr;
        QObject::connect(&runner, &batch::ScriptRunner::finished, [&] { deliveredOn = QThread::currentThread(); });
        QSignalSpy spy(&runner, &batch::ScriptRunner::finished);
        ASSERT_TRUE(runner.start("modosu.bat") && spy.wait(5000));
        const auto r = spy.at(0).at(0).value<batch::ScriptReport>();
        QStringList left = dir.names();
        left.removeAll("modosu.bat");
        for (QString& name : left) name += "=" + QString::fromUtf8(dir.read(name));
        EXPECT_EQ(std::tuple(deliveredOn, std::array{int(r.readable), r.renamed, r.failed, r.ignored}, left.join(" ")),
                  std::tuple(QThread::currentThread(), counts, after)) << script.data() << left.join(" ").toStdString();
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
    platform::writeLines(dir.systemFolder() + "/cpy.bat", {batch::copyLine("q"), "COPY /b q.exe+C:\\Windows\\missing   r.exe /b"});
    const auto report = batch::runScript("C:\\Windows\\cpy.bat");   // the failed copy leaves nothing behind
    EXPECT_EQ(std::tuple(report.copied, report.failed, dir.read("q.exe"), QFile::permissions("q.exe"), dir.names()),
              std::tuple(1, 1, QByteArray("\x7F" "ELF\0\r\n", 7), QFile::permissions("q.$_$"), QStringList{"q.$_$", "q.exe"}));
}

TEST(Script, UndoProgramExitCodes)
{
    const std::tuple<QByteArray, QStringList, int, QString> cases[] = {   // script, arguments, code, output
        {"ren    b    a\r\n", {"other.bat"}, 0, "1 件の名前を元に戻しました。"},
        {"ren    b    a\r\nren    c    d\r\n", {}, 1, "1 件はできませんでした。"},
        {{}, {}, 2, "modosu.bat が見つかりません。"}};
    for (const auto& [script, args, code, output] : cases) {
        testsupport::TempWorkDir dir;
        dir.write("b");
        if (!script.isEmpty()) dir.write(args.value(0, "modosu.bat"), script);   // none: the program looks for modosu.bat
        QProcess undo;
        ASSERT_TRUE((undo.start(QM_UNDO_PROGRAM, args), undo.waitForFinished(10000)));
        const QString said = QString::fromUtf8(undo.readAllStandardOutput() + undo.readAllStandardError());
        EXPECT_EQ(std::pair(undo.exitCode(), said.contains(output)), std::pair(code, true)) << said.toStdString();
    }
}
