#include "memorial/form5.h"

#include "platform/fonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace quillmere {

using platform::twips;

Form5::Form5(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Form5"));
    setFixedSize(twips(4680), twips(3195));
    setFont(platform::pGothicFont(12));

    Label1 = addLabel("Label1", 480, 360, QStringLiteral("Label1-nameさん"));
    Label2 = addLabel("Label2", 480, 840, QStringLiteral("今日は○年目の記念日です。"));
    Label3 = addLabel("Label3", 480, 1320, QStringLiteral("こんなプログラムを起ち上げるのは"));
    Label4 = addLabel("Label4", 480, 1800, QStringLiteral("やめにしませんか？"));

    Command1 = new QPushButton(QStringLiteral("終　了"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(platform::pGothicFont(12));
    Command1->setGeometry(twips(1800), twips(2400), twips(1215), twips(375));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
    Command1->setFocus();
}

QLabel* Form5::addLabel(const char* name, int left, int top, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setTextFormat(Qt::PlainText);   // the name comes from a file
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(platform::pGothicFont(12));
    label->move(twips(left), twips(top));
    label->adjustSize();
    return label;
}

void Form5::setGreeting(const memorial::Anniversary& anniversary)
{
    Label1->setText(anniversary.name + QStringLiteral(" さん"));
    Label1->adjustSize();
    Label2->setText(QStringLiteral("今日は") + QString::number(anniversary.years) + QStringLiteral("年目の記念日です。"));
    Label2->adjustSize();
}

void Form5::placeBeside(const QWidget* other)
{
    const QRect main = other->frameGeometry();
    const QScreen* screen = other->screen() ? other->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    // The frame is not known before the window is first shown; the margins
    // of the other window are the best guess.
    const QSize margins = other->frameGeometry().size() - other->geometry().size();
    const QSize size = QSize(width(), height()) + margins;
    const int gap = 8;

    const QPoint candidates[] = {
        {main.right() + 1 + gap, main.top()},
        {main.left() - gap - size.width(), main.top()},
        {main.left(), main.bottom() + 1 + gap},
        {main.left(), main.top() - gap - size.height()},
    };
    for (const QPoint& at : candidates) {
        if (area.isEmpty() || area.contains(QRect(at, size))) {
            move(at);
            return;
        }
    }
    // No room on any side: to the right, pulled back onto the screen.
    const int x = std::max(area.left(), std::min(candidates[0].x(), area.right() + 1 - size.width()));
    const int y = std::max(area.top(), std::min(candidates[0].y(), area.bottom() + 1 - size.height()));
    move(x, y);
}

void Form5::Command1_Click()
{
    close();
}

} // namespace quillmere
