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

// Reads the arguments that follow the program name, as main() receives them:
// before QApplication exists, so that every answer (help, version, misuse)
// needs no display. Qt's own options (-platform NAME, -style NAME, -reverse,
// ...) are passed over with their values and left to QApplication. --help and
// --version win over anything else on the line; "--" ends the options.
CommandLine parseCommandLine(const QStringList& arguments);

QString usageText();
QString versionText();   // "quillmere 3.13"

// The one line that tells the user why the start folder was not entered.
QString enterFolderError(const QString& folder, platform::EnterResult result);

// The two steps of main() around QApplication; each gives the exit status
// when the program ends there. The first reads argv and answers help, version
// and misuse; the second enters the folder named, telling the user in a
// message box when it cannot.
std::optional<int> answerCommandLine(int argc, char** argv, CommandLine& line);
std::optional<int> enterStartFolder(const CommandLine& line);

} // namespace quillmere
