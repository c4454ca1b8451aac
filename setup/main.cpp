#include "setup/ui/wizard.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quillmere.svg")));
    // Pages are hidden and shown in turn; only the wizard decides when
    // setup ends.
    app.setQuitOnLastWindowClosed(false);
    setup::Wizard wizard;
    QObject::connect(&wizard, &setup::Wizard::ended, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    wizard.start();
    return app.exec();
}
