#include "setup/ui/form1.h"

#include "platform/fonts.h"
#include "setup/core/program_name.h"
#include "setup/core/uninstall.h"
#include "setup/ui/setup_messages.h"
#include "setup/ui/wizard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace setup {

Form1::Form1(Wizard& wizard)
    : Page(wizard, QStringLiteral("セットアップ"))
{
    setObjectName(QStringLiteral("Form1"));
    Label2 = bigLabel("Label2", QStringLiteral("の"), 840, 600);
    Label1 = bigLabel("Label1", QStringLiteral("セットアップをします。"), 960, 1080);
    Label3 = bigLabel("Label3", QStringLiteral("よろしければ、「次へ」ボタンを"), 600, 1560);
    Label4 = bigLabel("Label4", QStringLiteral("押して下さい。"), 1320, 2040);
    Command1 = button("Command1", QStringLiteral("次へ"), 1080, 2520, 855, 375);
    Command2 = button("Command2", QStringLiteral("中止"), 2280, 2520, 855, 375);
    Label5 = label("Label5", QStringLiteral("アンインストールは削除ボタン"), 480, 3240);
    // In the fixed-pitch Gothic this line would run under the 削除 button.
    Label5->setFont(platform::pGothicFont(9));
    setLabelText(Label5, Label5->text());
    Command3 = button("Command3", QStringLiteral("削除"), 2880, 3120, 855, 375);
    Text1 = textBox("Text1", 360, 120, 3615, 270);
    Text1->setText(QStringLiteral("quillmere"));
    Text1->setEnabled(false);
    Text1->setVisible(false);

    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);

    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
}

void Form1::Form_Load()
{
    setProgramName(Text1->text());
    setLabelText(Label2, programNameLine());
}

void Form1::focusFirst()
{
    Command1->setFocus();
}

void Form1::Command1_Click()
{
    wizard_.show(2);
}

void Form1::Command2_Click()
{
    wizard_.end();
}

void Form1::Command3_Click()
{
    const UninstallResult result = uninstall(programName());
    if (!result.ok())
        wizard_.showMessage(this, uninstallMessage(result));
    wizard_.show(5);
}

} // namespace setup
