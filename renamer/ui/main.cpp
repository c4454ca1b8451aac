#include "platform/heap.h"
#include "renamer/ui/command_line.h"
#include "renamer/ui/form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    quillmere::CommandLine line;
    if (const auto status = quillmere::answerCommandLine(argc, argv, line))
        return *status;
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quillmere.svg")));
    if (const auto status = quillmere::enterStartFolder(line))
        return *status;
    quillmere::Form1 window;
    // Only after the start-up listing: kept, its freed blocks would raise
    // the start-up's peak in a folder of 100,000 names.
    platform::keepFreedMemory();
    window.show();
    return app.exec();
}
