#include "setup/ui/wizard.h"

#include "setup/ui/form1.h"
#include "setup/ui/form2.h"
#include "setup/ui/form3.h"
#include "setup/ui/form4.h"
#include "setup/ui/form5.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>

namespace setup {

Wizard::Wizard()
{
    showMessage = [](QWidget* parent, const QString& text) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("セットアップ"), text, QMessageBox::Ok, parent);
        box.setTextFormat(Qt::PlainText);   // names and paths are not markup
        box.exec();
    };
}

Wizard::~Wizard()
{
    for (Page*& page : pages_) {
        delete page;
        page = nullptr;
    }
}

void Wizard::start()
{
    show(1);
}

Page* Wizard::create(int page)
{
    switch (page) {
    case 1: return new Form1(*this);
    case 2: return new Form2(*this);
    case 3: return new Form3(*this);
    case 4: return new Form4(*this);
    case 5: return new Form5(*this);
    }
    return nullptr;
}

void Wizard::show(int page)
{
    if (ended_ || page < 1 || page > 5)
        return;
    Page*& slot = pages_[page - 1];
    const bool first = slot == nullptr;
    if (first) {
        slot = create(page);
        slot->Form_Load();
    }
    Page* next = slot;
    if (next == visible_)
        return;

    // The next page takes the place of the one it replaces.
    if (visible_) {
        next->move(visible_->pos());
        visible_->hide();
    } else if (first) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = next->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            next->move(frame.topLeft());
        }
    }
    visible_ = next;
    next->show();
    next->activateWindow();
    if (first)
        next->focusFirst();
}

void Wizard::unloadAll()
{
    // A page may be unloaded from inside its own handler, so it is deleted
    // once control is back in the event loop.
    for (Page*& page : pages_) {
        if (!page)
            continue;
        page->hide();
        page->deleteLater();
        page = nullptr;
    }
    visible_ = nullptr;
}

void Wizard::end()
{
    unloadAll();
    if (ended_)
        return;
    ended_ = true;
    emit ended();
}

Form1* Wizard::form1() const { return static_cast<Form1*>(pages_[0]); }
Form2* Wizard::form2() const { return static_cast<Form2*>(pages_[1]); }
Form3* Wizard::form3() const { return static_cast<Form3*>(pages_[2]); }
Form4* Wizard::form4() const { return static_cast<Form4*>(pages_[3]); }
Form5* Wizard::form5() const { return static_cast<Form5*>(pages_[4]); }

QWidget* Wizard::visiblePage() const
{
    return visible_;
}

} // namespace setup
