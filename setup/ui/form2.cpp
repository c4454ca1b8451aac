#include "setup/ui/form2.h"

#include "setup/ui/setup_messages.h"
#include "setup/ui/wizard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace setup {

Form2::Form2(Wizard& wizard)
    : Page(wizard, QStringLiteral("セットアップ"))
{
    setObjectName(QStringLiteral("Form2"));
    NamePrompt = label("NamePrompt", QStringLiteral("名前あるいはハンドルネームを入れてください。"), 240, 240);
    Text1 = textBox("Text1", 1080, 600, 2535, 270);
    Label3 = label("Label3", QStringLiteral("記録しておきたい年月日（誕生日など）を"), 480, 1080);
    Label4 = label("Label4", QStringLiteral("８桁の半角数字で入れてください。"), 480, 1320);
    Label2 = label("Label2", QStringLiteral("例）"), 720, 1560);
    Label1 = label("Label1", QStringLiteral("Label1"), 1080, 1560);

    const int labelTops[3] = {1845, 2205, 2565};
    const int boxTops[3] = {1800, 2160, 2520};
    QLabel** rowLabels[3] = {&Label5, &Label6, &Label7};
    QLabel** yearLabels[3] = {&Label8, &Label9, &Label10};
    QLabel** monthLabels[3] = {&Label11, &Label12, &Label13};
    QLabel** dayLabels[3] = {&Label14, &Label15, &Label16};
    QLineEdit** yearBoxes[3] = {&Text2, &Text3, &Text4};
    QLineEdit** monthBoxes[3] = {&Text5, &Text6, &Text7};
    QLineEdit** dayBoxes[3] = {&Text8, &Text9, &Text10};
    const QString rowTexts[3] = {QStringLiteral("１）"), QStringLiteral("２）"), QStringLiteral("３）")};

    for (int row = 0; row < 3; ++row) {
        auto name = [](const char* kind, int number) { return QString::fromLatin1(kind) + QString::number(number); };
        *rowLabels[row] = label(name("Label", 5 + row), rowTexts[row], 720, labelTops[row]);
        *yearBoxes[row] = textBox(name("Text", 2 + row), 1080, boxTops[row], 495, 270);
        *yearLabels[row] = label(name("Label", 8 + row), QStringLiteral("年"), 1680, labelTops[row]);
        *monthBoxes[row] = textBox(name("Text", 5 + row), 2040, boxTops[row], 495, 270);
        *monthLabels[row] = label(name("Label", 11 + row), QStringLiteral("月"), 2640, labelTops[row]);
        *dayBoxes[row] = textBox(name("Text", 8 + row), 3000, boxTops[row], 495, 270);
        *dayLabels[row] = label(name("Label", 14 + row), QStringLiteral("日"), 3600, labelTops[row]);
        years_[row] = *yearBoxes[row];
        months_[row] = *monthBoxes[row];
        days_[row] = *dayBoxes[row];
    }
    Command2 = button("Command2", QStringLiteral("次へ"), 1080, 3000, 855, 375);
    Command1 = button("Command1", QStringLiteral("中止"), 2280, 3000, 855, 375);

    // Design texts, cleared again when the page loads.
    Text1->setText(QStringLiteral("Text1"));
    for (int row = 0; row < 3; ++row) {
        years_[row]->setText(QStringLiteral("Text%1").arg(2 + row));
        months_[row]->setText(QStringLiteral("Text%1").arg(5 + row));
        days_[row]->setText(QStringLiteral("Text%1").arg(8 + row));
    }

    QWidget* order[] = {Text1, Text2, Text5, Text8, Text3, Text6, Text9, Text4, Text7, Text10, Command2, Command1};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
}

void Form2::Form_Load()
{
    setEntry(DateEntry{});
    setLabelText(Label1, todayLabelText());
}

void Form2::focusFirst()
{
    Text1->setFocus();
}

DateEntry Form2::entry() const
{
    DateEntry e;
    e.name = Text1->text();
    for (int row = 0; row < 3; ++row)
        e.rows[row] = DateRow{years_[row]->text(), months_[row]->text(), days_[row]->text()};
    return e;
}

void Form2::setEntry(const DateEntry& e)
{
    Text1->setText(e.name);
    for (int row = 0; row < 3; ++row) {
        years_[row]->setText(e.rows[row].year);
        months_[row]->setText(e.rows[row].month);
        days_[row]->setText(e.rows[row].day);
    }
}

QLineEdit* Form2::box(BoxRef ref) const
{
    switch (ref.box) {
    case Box::Name: return Text1;
    case Box::Year: return years_[ref.row];
    case Box::Month: return months_[ref.row];
    case Box::Day: return days_[ref.row];
    }
    return Text1;
}

void Form2::Command1_Click()
{
    wizard_.end();
}

void Form2::Command2_Click()
{
    const DateEntry e = entry();
    if (const auto rejected = firstRejectedBox(e)) {
        box(*rejected)->setFocus();
        return;
    }
    // Found here, not at 実行, where the user could only guess which box.
    if (const auto unwritable = firstUnwritable(e)) {
        box(unwritable->box)->setFocus();
        wizard_.showMessage(this, unwritableMessage(*unwritable));
        return;
    }
    setEntry(padded(e));
    wizard_.show(3);
}

} // namespace setup
