#include "batch/script.h"
#include "platform/text_file.h"
#include "temp_env.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptFormat, WrittenLines)
{
    testsupport::TempWorkDir dir;
    platform::writeLines("modosu.bat", {batch::undoLine("Amy file.txt", "my file.txt"),
                                        batch::undoLine(QStringLiteral("写真_1"), QStringLiteral("写真"))});
    EXPECT_EQ(dir.read("modosu.bat"), "ren    Amy file.txt    my file.txt\r\nren    \x8E\xCA\x90\x5E_1    \x8E\xCA\x90\x5E\r\n");
    EXPECT_EQ(batch::copyLine("quillmere"), "copy /B quillmere.$_$+c:\\windows\\qmnull.dam   quillmere.exe /B");
}

TEST(ScriptFormat, RenReadings)
{
    using Readings = std::vector<std::pair<QString, QString>>;
    const std::pair<QString, Readings> cases[] = {
        {"REN    Amy file    my file", {{"Amy file", "my file"}}},
        {"ren    x    a    b", {{"x", "a    b"}, {"x    a", "b"}}},
        {"ren    a     b", {{"a", " b"}, {"a ", "b"}}},   // overlapping runs
        {"ren     a    b", {{" a", "b"}}},
        {"ren    a    ", {}},
        {"ren   a    b", {}},
    };
    for (const auto& [line, readings] : cases)
        EXPECT_EQ(batch::renReadings(line), readings) << line.toStdString();
}

} // namespace
