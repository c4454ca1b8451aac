#include "setup/ui/page.h"

#include "platform/fonts.h"
#include "setup/ui/wizard.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace setup {

using platform::twips;

Page::Page(Wizard& wizard, const QString& caption)
    : wizard_(wizard)
{
    setWindowTitle(caption);
    setFont(platform::gothicFont(9));
    setFixedSize(twips(4230), twips(3615));
}

void Page::closeEvent(QCloseEvent* event)
{
    event->accept();
    wizard_.end();
}

QLabel* Page::label(const QString& name, const QString& text, int left, int top)
{
    auto* l = new QLabel(this);
    l->setTextFormat(Qt::PlainText);
    l->setObjectName(name);
    l->move(twips(left), twips(top));
    setLabelText(l, text);
    return l;
}

QLabel* Page::bigLabel(const QString& name, const QString& text, int left, int top)
{
    auto* l = label(name, QString(), left, top);
    l->setFont(platform::pGothicFont(12));
    setLabelText(l, text);
    return l;
}

QPushButton* Page::button(const QString& name, const QString& text, int left, int top, int width, int height)
{
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setGeometry(twips(left), twips(top), twips(width), twips(height));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* Page::textBox(const QString& name, int left, int top, int width, int height)
{
    auto* t = new QLineEdit(this);
    t->setObjectName(name);
    t->setGeometry(twips(left), twips(top), twips(width), twips(height));
    return t;
}

void Page::setLabelText(QLabel* label, const QString& text)
{
    label->setText(text);
    label->adjustSize();
}

} // namespace setup
