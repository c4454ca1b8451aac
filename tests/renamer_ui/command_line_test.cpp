#include "renamer/ui/command_line.h"

#include <gtest/gtest.h>

namespace {

using quillmere::CommandLine;
using Action = CommandLine::Action;

// The parser sees the raw argv, Qt's options still in it. The options of
// the program's own, and each misuse, are rows of the command-line test of
// the built program.
TEST(CommandLine, ReadsTheFolderAndTheOptions)
{
    struct Row {
        QStringList arguments;
        Action action;
        std::optional<QString> folder;
    };
    const Row rows[] = {
        {{}, Action::Run, std::nullopt},
        {{QStringLiteral("写真 2026")}, Action::Run, QStringLiteral("写真 2026")},
        {{""}, Action::Run, QString()},                          // named but empty: not "no folder"
        {{"--", "--help"}, Action::Run, QStringLiteral("--help")},
        // Qt's options and their values are Qt's, in either spelling.
        {{"-style", "fusion", "写真"}, Action::Run, QStringLiteral("写真")},
        {{"--platform", "offscreen", "-reverse", "-style=fusion", "a"}, Action::Run, QStringLiteral("a")},
        {{"-qwindowtitle", "--help"}, Action::Run, std::nullopt},   // a title, not the option
        {{"photos", "--bogus", "--help"}, Action::Help, std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const CommandLine line = quillmere::parseCommandLine(row.arguments);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.folder, row.folder);
        EXPECT_TRUE(line.problem.isEmpty());
    }
}

} // namespace
