#include "renamer/ui/command_line.h"

#include <gtest/gtest.h>

namespace {

using quillmere::CommandLine;
using Action = CommandLine::Action;

// The parser sees the raw argv before QApplication and what Qt left after it.
TEST(CommandLine, ReadsTheFolderAndTheOptions)
{
    struct Row {
        QStringList arguments;
        Action action;
        std::optional<QString> folder;
        const char* problemMentions;
    };
    const Row rows[] = {
        {{}, Action::Run, std::nullopt, ""},
        {{QStringLiteral("写真 2026")}, Action::Run, QStringLiteral("写真 2026"), ""},
        {{""}, Action::Run, QString(), ""},                          // named but empty: not "no folder"
        {{"-"}, Action::Run, QStringLiteral("-"), ""},
        {{"--", "--help"}, Action::Run, QStringLiteral("--help"), ""},
        {{"--help"}, Action::Help, std::nullopt, ""},
        {{"--version"}, Action::Version, std::nullopt, ""},
        {{"-platform", "offscreen", "--version"}, Action::Version, std::nullopt, ""},   // before Qt took -platform
        {{"photos", "--bogus", "--help"}, Action::Help, std::nullopt, ""},
        {{"--bogus"}, Action::Misuse, std::nullopt, "--bogus"},
        {{"photos", "-x"}, Action::Misuse, std::nullopt, "-x"},
        {{"a", "b"}, Action::Misuse, std::nullopt, "１つ"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const CommandLine line = quillmere::parseCommandLine(row.arguments);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.folder, row.folder);
        EXPECT_EQ(line.problem.isEmpty(), row.action != Action::Misuse);
        EXPECT_TRUE(line.problem.contains(QString::fromUtf8(row.problemMentions)));
    }
}

TEST(CommandLine, EachFailureToEnterHasItsOwnLineNamingTheFolder)
{
    using platform::EnterResult;
    const QString missing = quillmere::enterFolderError("写真", EnterResult::Missing);
    const QString notFolder = quillmere::enterFolderError("写真", EnterResult::NotAFolder);
    const QString refused = quillmere::enterFolderError("写真", EnterResult::Refused);
    for (const QString& text : {missing, notFolder, refused})
        EXPECT_TRUE(text.contains(QStringLiteral("「写真」")) && !text.contains(u'\n')) << text.toStdString();
    EXPECT_NE(missing, notFolder);
    EXPECT_NE(missing, refused);
    EXPECT_NE(notFolder, refused);
}

} // namespace
