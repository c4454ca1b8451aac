#include "batch/script.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// "name=contents" for every file but the script, in code point order.
std::string others(const testsupport::TempWorkDir& dir)
{
    QStringList names = dir.names();
    names.removeAll("modosu.bat");
    std::sort(names.begin(), names.end());
    for (QString& name : names)
        name += "=" + QString::fromUtf8(dir.read(name));
    return names.join(" | ").toStdString();
}

TEST(RunScript, RenLines)
{
    struct Case {
        QStringList files;   // each holds its own name
        QStringList lines;
        int renamed, failed;
        QStringList after;
    };
    const Case cases[] = {
        // The run did Aa -> AAa, then a -> Aa: only last-to-first undoes it.
        {{"AAa", "Aa"}, {"ren    AAa    Aa", "ren    Aa    a"}, 2, 0, {"Aa=AAa", "a=Aa"}},
        {{"a", "b"}, {"ren    b    a"}, 0, 1, {"a=a", "b=b"}},
        {{"x"}, {"ren    b    a"}, 0, 1, {"x=x"}},
        {{"x    a"}, {"ren    x    a    b"}, 1, 0, {"b=x    a"}},
        {{"x", "x    a", "a    b"}, {"REN    x    a    b"}, 1, 0, {"a    b=a    b", "b=x    a", "x=x"}},
        {{"a"}, {"ren    a     b"}, 1, 0, {" b=a"}},
        {{}, {"ren    a    a"}, 1, 0, {}},
        // A name the run left alone, rather than another split.
        {{"a", "a    b"}, {"ren    a    b    a    b"}, 1, 0, {"a=a", "a    b=a    b"}},
        {{"b"}, {"ren    b    sub/a", "ren    b"}, 0, 2, {"b=b"}},
    };
    for (const auto& c : cases) {
        testsupport::TempWorkDir dir;
        for (const QString& file : c.files)
            dir.write(file, file.toUtf8());
        platform::writeLines("modosu.bat", c.lines);
        const auto report = batch::runScript("modosu.bat");
        const std::string what = c.lines.join(" / ").toStdString();
        EXPECT_EQ(report.renamed, c.renamed) << what;
        EXPECT_EQ(report.failed, c.failed) << what;
        EXPECT_EQ(others(dir), c.after.join(" | ").toStdString()) << what;
    }
}

TEST(RunScript, ScriptText)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"ren    \x90\x56 \x8E\xCA\x90\x5E    \x8E\xCA\x90\x5E\r\n\r\necho x\nren    b    c", {"c=b", "写真=新 写真"}},
        {"ren    b    c\r\nren    \xFF    a\r\n", {"b=b", "新 写真=新 写真"}},   // not code page 932
        {"ren    b    c\r\n\x82", {"b=b", "新 写真=新 写真"}},                 // lone lead byte
    };
    for (const auto& [bytes, after] : cases) {
        testsupport::TempWorkDir dir;
        dir.write("b", "b");
        dir.write(QStringLiteral("新 写真"), QStringLiteral("新 写真").toUtf8());
        dir.write("modosu.bat", bytes);
        const auto report = batch::runScript("modosu.bat");
        EXPECT_EQ(report.readable, report.ignored == 2) << bytes;
        EXPECT_EQ(others(dir), after.join(" | ").toStdString()) << bytes;
    }
    EXPECT_FALSE(batch::runScript("missing.bat").readable);
}

TEST(RunScript, CopyLines)
{
    testsupport::TempWorkDir dir;
    QDir().mkpath(dir.systemFolder());
    dir.write("q.$_$", QByteArray("\x7F" "ELF\0", 5));
    QFile::setPermissions("q.$_$", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup);
    dir.write("q.exe", "an older, longer program file");
    platform::writeLines(dir.systemFolder() + "/qmnull.dam", {""});
    platform::writeLines(dir.systemFolder() + "/cpy.bat",
                         {batch::copyLine("q"), "COPY /b q.exe+C:\\Windows\\missing   r.exe /b", "copy /B q++q s /B"});

    const auto report = batch::runScript("C:\\Windows\\cpy.bat");
    EXPECT_EQ(report.copied, 1);
    EXPECT_EQ(report.failed, 1);
    EXPECT_EQ(report.ignored, 1);
    EXPECT_EQ(dir.read("q.exe"), QByteArray("\x7F" "ELF\0\r\n", 7));
    EXPECT_EQ(QFile::permissions("q.exe"), QFile::permissions("q.$_$"));
    // The failed copy leaves neither its target nor a scratch file.
    EXPECT_EQ(dir.names(), QStringList({"q.$_$", "q.exe"}));
}

} // namespace
