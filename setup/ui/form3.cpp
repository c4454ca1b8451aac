#include "setup/ui/form3.h"

#include "setup/core/install.h"
#include "setup/core/program_name.h"
#include "setup/ui/form2.h"
#include "setup/ui/setup_messages.h"
#include "setup/ui/wizard.h"

#include <QLabel>
#include <QPushButton>

namespace setup {

Form3::Form3(Wizard& wizard)
    : Page(wizard, QStringLiteral("セットアップ"))
{
    setObjectName(QStringLiteral("Form3"));
    Label2 = bigLabel("Label2", QStringLiteral("の"), 840, 480);
    Label1 = bigLabel("Label1", QStringLiteral("セットアップを実行します。"), 960, 840);
    Label3 = bigLabel("Label3", QStringLiteral("よろしければ、「実行」ボタンを"), 600, 1320);
    Label4 = bigLabel("Label4", QStringLiteral("押して下さい。"), 1080, 1560);
    Command3 = button("Command3", QStringLiteral("前画面へ戻る。"), 1080, 2280, 2055, 375);
    Command1 = button("Command1", QStringLiteral("実行"), 1080, 3000, 855, 375);
    Command2 = button("Command2", QStringLiteral("中止"), 2280, 3000, 855, 375);

    setTabOrder(Command2, Command1);
    setTabOrder(Command1, Command3);

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form3::Command3_Click);
}

void Form3::Form_Load()
{
    setLabelText(Label2, programNameLine());
}

void Form3::focusFirst()
{
    Command2->setFocus();
}

void Form3::Command1_Click()
{
    Form2* datePage = wizard_.form2();
    if (!datePage)
        return;
    const InstallResult result = install(programName(), datePage->entry());
    if (!result.ok()) {
        wizard_.showMessage(this, installMessage(result));
        return;
    }
    wizard_.show(4);
}

void Form3::Command2_Click()
{
    wizard_.end();
}

void Form3::Command3_Click()
{
    if (Form2* datePage = wizard_.form2())
        datePage->setEntry(withZerosEmptied(datePage->entry()));
    wizard_.show(2);
}

} // namespace setup
