#include "renamer/ui/command_line.h"

#include <QMessageBox>

#include <array>
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

// QGuiApplication's and QApplication's options, and those the X11 platform
// reads; Qt also takes them with two dashes.
constexpr std::array kQtOptionsWithValue = {
    u"-platform", u"-platformpluginpath", u"-platformtheme", u"-plugin", u"-session",
    u"-qwindowgeometry", u"-qwindowicon", u"-qwindowtitle", u"-style", u"-stylesheet",
    u"-display", u"-geometry", u"-title", u"-icon", u"-name", u"-visual",
};
constexpr std::array kQtFlags = {u"-reverse", u"-widgetcount", u"-nograb", u"-dograb", u"-sync"};
constexpr std::array kQtJoinedOptions = {u"-style=", u"-stylesheet=", u"-qmljsdebugger="};

// How many arguments the Qt option at `at` takes up with its value: 0 when it
// is none of Qt's, or its value is missing.
qsizetype qtOptionLength(const QStringList& arguments, qsizetype at)
{
    QStringView option = arguments[at];
    if (option.startsWith(u"--"))
        option = option.mid(1);
    for (const char16_t* name : kQtFlags)
        if (option == name)
            return 1;
    for (const char16_t* prefix : kQtJoinedOptions)
        if (option.startsWith(prefix))
            return 1;
    for (const char16_t* name : kQtOptionsWithValue)
        if (option == name)
            return at + 1 < arguments.size() ? 2 : 0;
    return 0;
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    QStringList folders;
    QString unknown;
    bool options = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (options && argument == u"--") {
            options = false;
        } else if (options && argument.size() > 1 && argument.startsWith(u'-')) {
            if (argument == u"--help" || argument == u"-h")
                return {CommandLine::Action::Help, {}, {}};
            if (argument == u"--version" || argument == u"-V")
                return {CommandLine::Action::Version, {}, {}};
            if (const qsizetype length = qtOptionLength(arguments, i))
                i += length - 1;
            else if (unknown.isEmpty())
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
        "       quillmere -h | --help | -V | --version\n"
        "\n"
        "フォルダ内のファイル名を一括で変更します。フォルダを指定すると、\n"
        "そのフォルダで起動したときと同じように動きます。\n"
        "\n"
        "  -h, --help     この説明を表示して終了します\n"
        "  -V, --version  版を表示して終了します\n");
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

std::optional<int> answerCommandLine(int argc, char** argv, CommandLine& line)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    line = parseCommandLine(arguments);
    return answer(line);
}

std::optional<int> enterStartFolder(const CommandLine& line)
{
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
