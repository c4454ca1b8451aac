#include "renamer/ui/command_line.h"

#include <gtest/gtest.h>

namespace {

using quillmere::CommandLine;
using Action = CommandLine::Action;

// The parser sees the raw argv, Qt's options still in it.
TEST(CommandLine, ReadsTheFolderAndTheOptions)
{
    struct Row {
        QStringList arguments;
        Action action;
        std::optional<QString> folder;
        const char* problemMentions = nullptr;   // a misuse names what was wrong
    };
    const Row rows[] = {
        {{}, Action::Run, std::nullopt},
        {{QStringLiteral("写真 2026")}, Action::Run, QStringLiteral("写真 2026")},
        {{""}, Action::Run, QString()},                          // named but empty: not "no folder"
        {{"--", "--help"}, Action::Run, QStringLiteral("--help")},
        {{"--help"}, Action::Help, std::nullopt},
        {{"--version"}, Action::Version, std::nullopt},
        {{"-h"}, Action::Help, std::nullopt},
        {{"-V"}, Action::Version, std::nullopt},
        {{"-platform", "offscreen", "--version"}, Action::Version, std::nullopt},
        // Qt's options and their values are Qt's, in either spelling.
        {{"-style", "fusion", "写真"}, Action::Run, QStringLiteral("写真")},
        {{"--platform", "offscreen", "-reverse", "-style=fusion", "a"}, Action::Run, QStringLiteral("a")},
        {{"-qwindowtitle", "--help"}, Action::Run, std::nullopt},   // a title, not the option
        {{"-style"}, Action::Misuse, std::nullopt, "-style"},             // its value is missing
        {{"-v"}, Action::Misuse, std::nullopt, "-v"},
        {{"photos", "--bogus", "--help"}, Action::Help, std::nullopt},
        {{"--bogus"}, Action::Misuse, std::nullopt, "--bogus"},
        {{"a", "b"}, Action::Misuse, std::nullopt, "１つ"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const CommandLine line = quillmere::parseCommandLine(row.arguments);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.folder, row.folder);
        if (row.problemMentions)
            EXPECT_TRUE(line.problem.contains(QString::fromUtf8(row.problemMentions))) << line.problem.toStdString();
        else
            EXPECT_TRUE(line.problem.isEmpty());
    }
}

} // namespace
