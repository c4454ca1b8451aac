#include "setup/ui/form5.h"

#include "platform/fonts.h"
#include "setup/ui/setup_messages.h"
#include "setup/ui/wizard.h"

#include <QLabel>
#include <QPushButton>

namespace setup {

Form5::Form5(Wizard& wizard)
    : Page(wizard, QStringLiteral("Form5"))
{
    setObjectName(QStringLiteral("Form5"));
    Label1 = bigLabel("Label1", QStringLiteral("の"), 480, 360);
    Label2 = bigLabel("Label2", QStringLiteral("アンインストールが完了しました。"), 480, 840);
    Label3 = bigLabel("Label3", QStringLiteral("終了ボタンを押して下さい。"), 720, 1320);
    Label4 = bigLabel("Label4", QStringLiteral("フォルダに残っているファイルを"), 480, 2040);
    Label5 = bigLabel("Label5", QStringLiteral("フォルダごとゴミ箱に入れて下さい。"), 360, 2520);
    Command1 = button("Command1", QStringLiteral("終了"), 1320, 3000, 1575, 375);
    Command1->setFont(platform::pGothicFont(9.75));
    connect(Command1, &QPushButton::clicked, this, &Form5::Command1_Click);
}

void Form5::Form_Load()
{
    setLabelText(Label1, programNameLine());
}

void Form5::focusFirst()
{
    Command1->setFocus();
}

void Form5::Command1_Click()
{
    wizard_.end();
}

} // namespace setup
