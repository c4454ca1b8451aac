#include "platform/working_dir.h"
#include "setup/ui/wizard.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quillmere.svg")));
    // Setup installs and uninstalls in its own folder, beside the image it
    // came with: never in the folder it happened to be started from, whose
    // readme.txt and program files are none of its business.
    if (platform::enterFolder(QCoreApplication::applicationDirPath()) != platform::EnterResult::Entered)
        return 2;
    // Pages are hidden and shown in turn; only the wizard decides when
    // setup ends.
    app.setQuitOnLastWindowClosed(false);
    setup::Wizard wizard;
    QObject::connect(&wizard, &setup::Wizard::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    wizard.start();
    return app.exec();
}
