#include "renamer/ui/command_line.h"

#include <QMessageBox>

#include <cstdio>

namespace quillmere {

namespace {

const QString kTitle = QStringLiteral("ファイルネーム一括変更");

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Prints what an answered command line asks for; nullopt for a run.
std::optional<int> answer(const CommandLine& line)
{
    switch (line.action) {
    case CommandLine::Action::Help:
        print(stdout, usageText());
        return 0;
    case CommandLine::Action::Version:
        print(stdout, versionText() + u'\n');
        return 0;
    case CommandLine::Action::Misuse:
        print(stderr, QStringLiteral("quillmere: ") + line.problem + u'\n' + usageText());
        return 2;
    case CommandLine::Action::Run:
        break;
    }
    return std::nullopt;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QStringList folders;
    QString unknown;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && argument.size() > 1 && argument.startsWith(u'-')) {
            if (argument == u"--help")
                return {CommandLine::Action::Help, {}, {}};
            if (argument == u"--version")
                return {CommandLine::Action::Version, {}, {}};
            if (unknown.isEmpty())
                unknown = argument;
        } else {
            folders << argument;
        }
    }
    if (!unknown.isEmpty())
        return {CommandLine::Action::Misuse, {}, QStringLiteral("不明なオプションです: ") + unknown};
    if (folders.size() > 1)
        return {CommandLine::Action::Misuse, {}, QStringLiteral("フォルダは１つだけ指定して下さい。")};
    if (folders.isEmpty())
        return {};
    return {CommandLine::Action::Run, folders.front(), {}};
}

QString usageText()
{
    return QStringLiteral(
        "使い方: quillmere [フォルダ]\n"
        "       quillmere --help | --version\n"
        "\n"
        "フォルダ内のファイル名を一括で変更します。フォルダを指定すると、\n"
        "そのフォルダで起動したときと同じように動きます。\n"
        "\n"
        "  --help     この説明を表示して終了します\n"
        "  --version  版を表示して終了します\n");
}

QString versionText()
{
    return QStringLiteral("quillmere " QM_VERSION);
}

QString enterFolderError(const QString& folder, platform::EnterResult result)
{
    switch (result) {
    case platform::EnterResult::Missing:
        return QStringLiteral("フォルダ「%1」が見つかりません。").arg(folder);
    case platform::EnterResult::NotAFolder:
        return QStringLiteral("「%1」はフォルダではありません。").arg(folder);
    case platform::EnterResult::Refused:
        return QStringLiteral("フォルダ「%1」を開けません。").arg(folder);
    case platform::EnterResult::Entered:
        break;
    }
    return {};
}

std::optional<int> answerWithoutDisplay(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = parseCommandLine(arguments);
    if (line.action == CommandLine::Action::Help || line.action == CommandLine::Action::Version)
        return answer(line);
    return std::nullopt;   // the rest may be Qt's own options
}

std::optional<int> enterStartFolder(const QStringList& arguments)
{
    const CommandLine line = parseCommandLine(arguments);
    if (const auto status = answer(line))
        return status;
    if (!line.folder)
        return std::nullopt;
    const platform::EnterResult result = platform::enterFolder(*line.folder);
    if (result == platform::EnterResult::Entered)
        return std::nullopt;
    const QString text = enterFolderError(*line.folder, result);
    print(stderr, QStringLiteral("quillmere: ") + text + u'\n');
    QMessageBox::critical(nullptr, kTitle, text);
    return 2;
}

} // namespace quillmere
