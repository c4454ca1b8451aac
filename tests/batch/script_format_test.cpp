#include "batch/script.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <gtest/gtest.h>

namespace {

using Readings = std::vector<std::pair<QString, QString>>;

TEST(ScriptFormat, UndoScriptBytesAreCp932WithCrLf)
{
    testsupport::TempWorkDir dir;
    platform::LineWriter writer;
    ASSERT_TRUE(writer.create("modosu.bat"));
    ASSERT_EQ(writer.writeLine(batch::undoLine("Amy file.txt", "my file.txt")), platform::WriteStatus::Ok);
    ASSERT_EQ(writer.writeLine(batch::undoLine(QStringLiteral("写真_01.jpg"), QStringLiteral("写真.jpg"))),
              platform::WriteStatus::Ok);
    ASSERT_TRUE(writer.close());
    EXPECT_EQ(dir.read("modosu.bat"),
              QByteArray("ren    Amy file.txt    my file.txt\r\n"
                         "ren    \x8E\xCA\x90\x5E_01.jpg    \x8E\xCA\x90\x5E.jpg\r\n"));
}

TEST(ScriptFormat, CopyLineForTheProgram)
{
    const QString line = batch::copyLine("quillmere");
    EXPECT_EQ(line, QStringLiteral("copy /B quillmere.$_$+c:\\windows\\qmnull.dam   quillmere.exe /B"));
    EXPECT_EQ(line.size(), 62);
    const auto copy = batch::parseCopy(line);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->sources, QStringList({"quillmere.$_$", "c:\\windows\\qmnull.dam"}));
    EXPECT_EQ(copy->target, "quillmere.exe");
}

TEST(ScriptFormat, RenReadingsSplitAtEveryRunOfFourBlanks)
{
    struct Case {
        const char* name;
        QString line;
        Readings readings;
    };
    const Case cases[] = {
        {"plain", "ren    b.txt    a.txt", {{"b.txt", "a.txt"}}},
        {"blanks inside names", "ren    Amy file.txt    my file.txt", {{"Amy file.txt", "my file.txt"}}},
        {"letter case of ren", "REN    b    a", {{"b", "a"}}},
        {"four blanks in the old name", "ren    x    a    b", {{"x", "a    b"}, {"x    a", "b"}}},
        {"target begins with a blank", "ren    a     b", {{"a", " b"}, {"a ", "b"}}},
        {"source begins with a blank", "ren     a    b", {{" a", "b"}}},
        {"eight blanks", "ren    a        b", {{"a", "    b"}, {"a ", "   b"}, {"a  ", "  b"}, {"a   ", " b"}, {"a    ", "b"}}},
        {"same name twice", "ren    a    a", {{"a", "a"}}},
        {"no separator", "ren    a", {}},
        {"nothing after the separator", "ren    a    ", {}},
        {"three blanks after ren", "ren   a    b", {}},
        {"tab after ren", "ren\ta    b", {}},
        {"another command", "copy    a    b", {}},
        {"empty", "", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(batch::renReadings(c.line), c.readings) << c.name;
}

TEST(ScriptFormat, ParseCopy)
{
    struct Case {
        const char* name;
        QString line;
        bool ok;
        QStringList sources;
        QString target;
    };
    const Case cases[] = {
        {"written form", "copy /B a.$_$+c:\\windows\\n.dam   a.exe /B", true, {"a.$_$", "c:\\windows\\n.dam"}, "a.exe"},
        {"letter case and blank runs", "  COPY   /b a+b+c d   /b ", true, {"a", "b", "c"}, "d"},
        {"one source", "copy /B a b /B", true, {"a"}, "b"},
        {"empty source", "copy /B a++b c /B", false, {}, {}},
        {"no target", "copy /B a+b /B", false, {}, {}},
        {"no trailing switch", "copy /B a+b c", false, {}, {}},
        {"blank in a source", "copy /B a +b c /B", false, {}, {}},
        {"text mode", "copy /A a+b c /A", false, {}, {}},
        {"a ren line", "ren    a    b", false, {}, {}},
    };
    for (const auto& c : cases) {
        const auto copy = batch::parseCopy(c.line);
        ASSERT_EQ(copy.has_value(), c.ok) << c.name;
        if (copy) {
            EXPECT_EQ(copy->sources, c.sources) << c.name;
            EXPECT_EQ(copy->target, c.target) << c.name;
        }
    }
}

} // namespace
