#include "renamer/ui/command_line.h"
#include "renamer/ui/form1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    if (const auto status = quillmere::answerWithoutDisplay(argc, argv))
        return *status;
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quillmere.svg")));
    if (const auto status = quillmere::enterStartFolder(QApplication::arguments().mid(1)))
        return *status;
    quillmere::Form1 window;
    window.show();
    return app.exec();
}
