#include "memorial/greeting.h"

#include "memorial/anniversary.h"
#include "memorial/form5.h"
#include "memorial/record.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>

namespace quillmere {
namespace {

// The main window is usually shown only after its start-up has run, so its
// place on the screen is known late: follow it once, when it first shows.
// Its frame is known only once show() has returned, hence the queued call.
class PlaceOnFirstShow : public QObject {
public:
    explicit PlaceOnFirstShow(Form5* form) : QObject(form), form_(form) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            watched->removeEventFilter(this);
            QPointer<QWidget> mainWindow = static_cast<QWidget*>(watched);
            QMetaObject::invokeMethod(this, [this, mainWindow] {
                if (mainWindow)
                    form_->placeBeside(mainWindow);
                deleteLater();
            }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    Form5* form_;
};

} // namespace

Form5* greetIfDue(const QString& today, QWidget* mainWindow)
{
    const auto anniversary = memorial::findAnniversary(memorial::readRecord(memorial::dataFilePath()), today);
    if (!anniversary)
        return nullptr;

    // A window of its own, not a child of the main window: the program runs
    // on while either of the two is open.
    auto* form = new Form5;
    form->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, form, &QObject::deleteLater);
    form->setGreeting(*anniversary);
    if (mainWindow) {
        form->placeBeside(mainWindow);
        if (!mainWindow->isVisible())
            mainWindow->installEventFilter(new PlaceOnFirstShow(form));
    }
    form->show();
    form->Command1->setFocus();
    return form;
}

} // namespace quillmere
