#pragma once

#include "platform/working_dir.h"

#include <QString>
#include <QStringList>

#include <optional>

// quillmere [FOLDER]: the folder to start in, or --help and --version.
namespace quillmere {

struct CommandLine {
    enum class Action { Run, Help, Version, Misuse };
    Action action = Action::Run;
    std::optional<QString> folder;   // Run: the folder to start in; none: stay where started
    QString problem;   // Misuse: what is wrong, in one line
};

// Reads the arguments that follow the program name. --help and --version win
// over anything else on the line, so they can be answered before Qt has
// taken its own options (-platform, -style, ...) out. "--" ends the options.
CommandLine parseCommandLine(const QStringList& arguments);

QString usageText();
QString versionText();   // "quillmere 3.13"

// The one line that tells the user why the start folder was not entered.
QString enterFolderError(const QString& folder, platform::EnterResult result);

// The two steps of main() around QApplication; each gives the exit status
// when the program ends there. The first answers --help and --version and
// needs no display; the second takes the arguments Qt left and enters the
// folder, telling the user in a message box when it cannot.
std::optional<int> answerWithoutDisplay(int argc, char** argv);
std::optional<int> enterStartFolder(const QStringList& arguments);

} // namespace quillmere
