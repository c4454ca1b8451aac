#include "batch/script.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void writeScript(const QStringList& lines)
{
    ASSERT_EQ(platform::writeLines("modosu.bat", lines), platform::WriteStatus::Ok);
}

// The other names in the working directory, in code point order.
QStringList withoutScript(QStringList names)
{
    names.removeAll("modosu.bat");
    std::sort(names.begin(), names.end());
    return names;
}

TEST(RunScript, RenLinesRunFromLastToFirst)
{
    // The run did Aa -> AAa, then a -> Aa; in file order the first line
    // would find Aa taken.
    testsupport::TempWorkDir dir;
    dir.write("AAa", "was Aa");
    dir.write("Aa", "was a");
    writeScript({batch::undoLine("AAa", "Aa"), batch::undoLine("Aa", "a")});
    const auto report = batch::runScript("modosu.bat");
    EXPECT_TRUE(report.readable);
    EXPECT_EQ(report.renamed, 2);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(withoutScript(dir.names()), QStringList({"Aa", "a"}));
    EXPECT_EQ(dir.read("Aa"), "was Aa");
    EXPECT_EQ(dir.read("a"), "was a");
    // The script itself stays as it was.
    EXPECT_TRUE(dir.exists("modosu.bat"));
}

TEST(RunScript, OutcomeOfOneLine)
{
    struct Case {
        const char* name;
        QStringList files;      // each holds its own name as contents
        QString line;
        int renamed;
        int failed;
        QStringList after;
    };
    const Case cases[] = {
        {"plain", {"b"}, "ren    b    a", 1, 0, {"a"}},
        {"names with blanks", {"Amy file.txt"}, "ren    Amy file.txt    my file.txt", 1, 0, {"my file.txt"}},
        {"target taken: both stay", {"a", "b"}, "ren    b    a", 0, 1, {"a", "b"}},
        {"source missing", {"x"}, "ren    b    a", 0, 1, {"x"}},
        {"split chosen by the existing source", {"x    a"}, "ren    x    a    b", 1, 0, {"b"}},
        {"split whose target is free wins", {"x", "x    a", "a    b"}, "ren    x    a    b", 1, 0, {"a    b", "b", "x"}},
        {"leading blank in the old name", {"a"}, "ren    a     b", 1, 0, {" b"}},
        {"same name, file there", {"a"}, "ren    a    a", 1, 0, {"a"}},
        {"same name, file gone", {}, "ren    a    a", 1, 0, {}},
        {"a name left alone beats another split", {"a", "a    b"}, "ren    a    b    a    b", 1, 0, {"a", "a    b"}},
        {"no path in a name", {"b"}, "ren    b    sub/a", 0, 1, {"b"}},
        {"ren without a second name", {"b"}, "ren    b", 0, 1, {"b"}},
        {"case of ren", {"b"}, "Ren    b    a", 1, 0, {"a"}},
    };
    for (const auto& c : cases) {
        testsupport::TempWorkDir dir;
        for (const QString& file : c.files)
            dir.write(file, file.toUtf8());
        writeScript({c.line});
        const auto report = batch::runScript("modosu.bat");
        EXPECT_EQ(report.renamed, c.renamed) << c.name;
        EXPECT_EQ(report.failed, c.failed) << c.name;
        EXPECT_EQ(withoutScript(dir.names()), c.after) << c.name;
        if (QString(c.name).startsWith("target taken")) {
            EXPECT_EQ(dir.read("a"), "a");
            EXPECT_EQ(dir.read("b"), "b");
        }
    }
}

TEST(RunScript, JapaneseNamesAndLineEnds)
{
    testsupport::TempWorkDir dir;
    dir.write(QStringLiteral("新 写真.jpg"), "1");
    dir.write("b2", "2");
    // A bare LF ends a line too; blank lines and other commands are ignored.
    dir.write("modosu.bat", "ren    \x90\x56 \x8E\xCA\x90\x5E.jpg    \x8E\xCA\x90\x5E.jpg\r\n\r\n"
                            "echo hello\nren    b2    a2");
    const auto report = batch::runScript("modosu.bat");
    EXPECT_EQ(report.renamed, 2);
    EXPECT_EQ(report.ignored, 2);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(withoutScript(dir.names()), QStringList({"a2", QStringLiteral("写真.jpg")}));
}

TEST(RunScript, UnreadableScriptDoesNothing)
{
    struct Case {
        const char* name;
        const char* bytes;   // nullptr: no script at all
    };
    const Case cases[] = {
        {"missing", nullptr},
        {"not code page 932", "ren    b    a\r\nren    \xFF    c\r\n"},
        {"lone lead byte at the end", "ren    b    a\r\n\x82"},
    };
    for (const auto& c : cases) {
        testsupport::TempWorkDir dir;
        dir.write("b", "b");
        if (c.bytes)
            dir.write("modosu.bat", c.bytes);
        const auto report = batch::runScript("modosu.bat");
        EXPECT_FALSE(report.readable) << c.name;
        EXPECT_EQ(report.renamed + report.failed + report.ignored, 0) << c.name;
        EXPECT_TRUE(dir.exists("b")) << c.name;
        EXPECT_FALSE(dir.exists("a")) << c.name;
    }
}

TEST(RunScript, CopyConcatenatesAndKeepsExecuteBits)
{
    testsupport::TempWorkDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.systemFolder()));
    const QByteArray image("\x7F" "ELF\0\x01\x02", 7);
    dir.write("quillmere.$_$", image);
    QFile::setPermissions(dir.file("quillmere.$_$"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ReadGroup | QFile::ExeGroup);
    ASSERT_EQ(platform::writeLines(dir.systemFolder() + "/qmnull.dam", {""}), platform::WriteStatus::Ok);
    dir.write("quillmere.exe", "an older, longer program file");
    ASSERT_EQ(platform::writeLines("cpy.bat", {batch::copyLine("quillmere")}), platform::WriteStatus::Ok);

    const auto report = batch::runScript("cpy.bat");
    EXPECT_EQ(report.copied, 1);
    EXPECT_EQ(report.failed, 0);
    EXPECT_EQ(dir.read("quillmere.exe"), image + "\r\n");
    EXPECT_TRUE(QFile::permissions(dir.file("quillmere.exe")) & QFile::ExeOwner);
    EXPECT_TRUE(QFile::permissions(dir.file("quillmere.exe")) & QFile::ExeGroup);
    EXPECT_FALSE(QFile::permissions(dir.file("quillmere.exe")) & QFile::WriteGroup);
}

TEST(RunScript, CopyWithAMissingSourceLeavesTheTargetAlone)
{
    struct Case {
        const char* name;
        bool oldTarget;
    };
    for (const Case& c : {Case{"no target before", false}, Case{"old target", true}}) {
        testsupport::TempWorkDir dir;
        dir.write("quillmere.$_$", "image");   // the system folder has no qmnull.dam
        if (c.oldTarget)
            dir.write("quillmere.exe", "old");
        ASSERT_EQ(platform::writeLines("cpy.bat", {batch::copyLine("quillmere")}), platform::WriteStatus::Ok);
        const auto report = batch::runScript("cpy.bat");
        EXPECT_EQ(report.copied, 0) << c.name;
        EXPECT_EQ(report.failed, 1) << c.name;
        EXPECT_EQ(dir.exists("quillmere.exe"), c.oldTarget) << c.name;
        if (c.oldTarget) {
            EXPECT_EQ(dir.read("quillmere.exe"), "old");
        }
        // No scratch file of the failed copy is left behind.
        EXPECT_EQ(dir.names().size(), c.oldTarget ? 3 : 2) << c.name;
    }
}

TEST(RunScript, CopyScriptFromTheSystemFolderWithUpperCasePath)
{
    testsupport::TempWorkDir dir;
    ASSERT_TRUE(QDir().mkpath(dir.systemFolder()));
    dir.write("p.$_$", "P");
    ASSERT_EQ(platform::writeLines(dir.systemFolder() + "/tail", {"T"}), platform::WriteStatus::Ok);
    ASSERT_EQ(platform::writeLines(dir.systemFolder() + "/cpy.bat", {"COPY /b p.$_$+C:\\Windows\\tail   p.exe /b"}),
              platform::WriteStatus::Ok);
    const auto report = batch::runScript(dir.systemFolder() + "/cpy.bat");
    EXPECT_EQ(report.copied, 1);
    EXPECT_EQ(dir.read("p.exe"), "PT\r\n");
}

} // namespace
